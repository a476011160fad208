// The leading-number reading against a second, plain reading of its grammar:
// blanks (" ", tab, line feed, U+3000) dropped anywhere, the full-width forms
// of digits, sign, point and exponent letter read as ASCII, then the longest
// prefix [+-] digits [. digits] [(e|E) [+-] digits] with at least one
// mantissa digit, converted by strtod. Overflow gives +/-infinity, underflow
// 0, and zero is never negative. Both readings must agree bit for bit.
// A text taken as one number is that prefix whole: nothing but blanks around
// it, none inside it, and nothing left after it.

#include "fuzzcheck.h"
#include "numbers.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

using fuzzcheck::require;
using fuzzcheck::show;

namespace {

// Blanks dropped, or kept as ' ' when `keepBlanks`.
std::string normalised(std::string_view text, bool keepBlanks = false)
{
    struct Wide {
        const char *utf8;
        char ascii;  // 0: dropped like a blank
    };
    static const Wide wide[] = {
        {"\u3000", 0}, {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
        {"７", '7'},   {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'}, {"．", '.'}, {"ｅ", 'e'}, {"Ｅ", 'E'},
    };
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (keepBlanks)
                out.push_back(' ');
            ++i;
            continue;
        }
        bool matched = false;
        for (const Wide &w : wide) {
            if (text.substr(i, 3) == w.utf8) {
                if (w.ascii || keepBlanks)
                    out.push_back(w.ascii ? w.ascii : ' ');
                i += 3;
                matched = true;
                break;
            }
        }
        if (!matched) {
            out.push_back(c);
            ++i;
        }
    }
    return out;
}

bool digit(const std::string &s, std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; }

// The length of the number the plain reading takes from the normalised text.
std::size_t numberLength(const std::string &s)
{
    std::size_t n = 0;
    if (n < s.size() && (s[n] == '+' || s[n] == '-'))
        ++n;
    std::size_t digits = 0;
    for (; digit(s, n); ++n)
        ++digits;
    if (n < s.size() && s[n] == '.')
        for (++n; digit(s, n); ++n)
            ++digits;
    if (digits == 0)
        return 0;
    if (n < s.size() && (s[n] == 'e' || s[n] == 'E')) {
        std::size_t k = n + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-'))
            ++k;
        if (digit(s, k)) {
            while (digit(s, k))
                ++k;
            n = k;
        }
    }
    return n;
}

double plainReading(std::string_view text)
{
    const std::string s = normalised(text);
    const std::size_t n = numberLength(s);
    if (n == 0)
        return 0;
    const std::string prefix = s.substr(0, n);
    const double value = std::strtod(prefix.c_str(), nullptr);
    return value == 0 ? 0.0 : value;  // no negative zero
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double read = morvane::parseLeadingNumber(text);
    const double expected = plainReading(text);
    require(std::memcmp(&read, &expected, sizeof read) == 0, "parseLeadingNumber agrees with the plain reading",
            "\"" + std::string(text) + "\" read as " + show(read) + ", expected " + show(expected));
    require(!std::isnan(read), "parseLeadingNumber never gives NaN");

    // One number: with the blanks at both ends taken off, no blank is left
    // and the rest is empty or a number whole.
    std::string kept = normalised(text, true);
    kept.erase(0, std::min(kept.size(), kept.find_first_not_of(' ')));
    kept.erase(kept.find_last_not_of(' ') + 1);
    const bool expectedOne = kept.find(' ') == std::string::npos && numberLength(kept) == kept.size();
    require(morvane::isOneNumber(text) == expectedOne, "isOneNumber takes a number read whole",
            "\"" + std::string(text) + "\" taken as " + (expectedOne ? "not " : "") + "one number");

    // Both readings at once, as a batch reads a cell.
    bool one = !expectedOne;
    const double both = morvane::readNumber(text, one);
    require(std::memcmp(&both, &expected, sizeof both) == 0 && one == expectedOne, "readNumber reads as both do",
            "\"" + std::string(text) + "\" read as " + show(both));
    return 0;
}
