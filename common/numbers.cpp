#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>
#include <type_traits>

namespace morvane {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Magnitude class of a scanned number whose conversion left the double
// range: true when it is too large, false when it is too small.
bool scannedNumberIsHuge(std::string_view mantissa, std::string_view exponent)
{
    // Decimal order of the first significant digit, relative to the point.
    long order = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint) {
            if (seenSignificant || c != '0') {
                seenSignificant = true;
                ++integerDigits;
            }
        } else if (!seenSignificant) {
            if (c == '0')
                ++leadingFractionZeros;
            else
                seenSignificant = true;
        }
    }
    if (!seenSignificant)
        return false;  // zero mantissa: never huge
    order = integerDigits > 0 ? integerDigits : -leadingFractionZeros;

    long exp = 0;
    bool negativeExp = false;
    for (char c : exponent) {
        if (c == '-')
            negativeExp = true;
        else if (isDigit(c) && exp < 1000000)
            exp = exp * 10 + (c - '0');
    }
    return order + (negativeExp ? -exp : exp) > 0;
}

// The decimal digits of a finite, non-zero value rounded to `significant`
// digits: value = 0.d1d2d3... x 10^pointPos, i.e. pointPos digits stand
// before the decimal point.
struct DecimalDigits {
    bool negative = false;
    std::string digits;  // no trailing zeros; empty means zero
    int pointPos = 0;
};

// The digits of a normal double rounded to at most 15 significant digits,
// from its shortest digits, which to_chars gives much faster than digits to
// a precision; false when the slower way must give them. The shortest digits
// rounded to 15 digits or fewer are the value's own rounded digits: those
// decimals lie further apart than the normal doubles, so shortest digits of
// at most that many are the nearest such; and no halfway point between two
// roundings lies between the value and longer shortest digits, which would
// otherwise not be the shortest or not the nearest. Shortest digits exactly
// halfway need the value itself. (Not so for the subnormal doubles, nor for
// floats to 7 digits: they lie further apart than the decimals.)
struct FastDigits {
    bool negative = false;
    char digits[24];
    int count = 0;     // no trailing zeros
    int exponent = 0;  // of the first digit
};

bool fastDigits(double value, int significant, FastDigits &d)
{
    if (significant > 15 || !(std::fabs(value) >= std::numeric_limits<double>::min()))
        return false;
    char text[40];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (ec != std::errc())
        return false;
    const char *c = text;
    d.negative = *c == '-';
    c += d.negative ? 1 : 0;
    d.count = 0;
    for (; c < end && *c != 'e'; ++c) {
        if (isDigit(*c))
            d.digits[d.count++] = *c;
    }
    d.exponent = 0;
    if (c < end)
        std::from_chars(c + (c[1] == '+' ? 2 : 1), end, d.exponent);
    if (d.count > significant) {
        if (d.count == significant + 1 && d.digits[significant] == '5')
            return false;  // exactly halfway
        const bool up = d.digits[significant] >= '5';
        d.count = significant;
        int i = d.count;
        for (; up && i > 0; --i) {
            if (d.digits[i - 1] != '9') {
                ++d.digits[i - 1];
                break;
            }
            d.digits[i - 1] = '0';
        }
        if (up && i == 0) {
            d.digits[0] = '1';  // all nines: the rest are zeros now
            d.count = 1;
            ++d.exponent;
        }
    }
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    return true;
}

template <typename Float>
DecimalDigits decimalDigits(Float value, int significant)
{
    DecimalDigits d;
    if constexpr (std::is_same_v<Float, double>) {
        FastDigits fast;
        if (fastDigits(value, significant, fast)) {
            d.negative = fast.negative;
            d.digits.assign(fast.digits, static_cast<std::size_t>(fast.count));
            d.pointPos = fast.exponent + 1;
            return d;
        }
    }
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                   significant - 1);
    std::string_view text(buffer, ec == std::errc() ? static_cast<std::size_t>(end - buffer) : 0);
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    int exponent = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (isDigit(c)) {
            d.digits.push_back(c);
        } else if (c == 'e') {
            std::from_chars(text.data() + i + (text[i + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
            break;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    d.pointPos = exponent + 1;
    if (d.digits.empty())
        d.negative = false;
    return d;
}

std::string plainForm(const DecimalDigits &d)
{
    if (d.digits.empty())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int len = static_cast<int>(d.digits.size());
    if (d.pointPos <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.pointPos), '0');
        out += d.digits;
    } else if (d.pointPos >= len) {
        out += d.digits;
        out.append(static_cast<std::size_t>(d.pointPos - len), '0');
    } else {
        out += d.digits.substr(0, static_cast<std::size_t>(d.pointPos));
        out += '.';
        out += d.digits.substr(static_cast<std::size_t>(d.pointPos));
    }
    return out;
}

std::string exponentForm(const DecimalDigits &d)
{
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out += d.digits.substr(1);
    }
    const int exponent = d.pointPos - 1;
    out += exponent < 0 ? "E-" : "E+";
    std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
    if (e.size() < 2)
        e = "0" + e;
    return out + e;
}

// The plain form of a normal double to at most 15 significant digits,
// written into `out` from its fast digits; its length, or 0 when the slower
// way must give it.
std::size_t fastPlainForm(double value, int significant, char (&out)[32])
{
    FastDigits d;
    if (!fastDigits(value, significant, d) || d.exponent >= 15 || d.exponent < -4)
        return 0;  // the exponent form
    std::size_t n = 0;
    if (d.negative)
        out[n++] = '-';
    const int pointPos = d.exponent + 1;  // digits before the point
    if (pointPos <= 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -pointPos; ++i)
            out[n++] = '0';
        for (int i = 0; i < d.count; ++i)
            out[n++] = d.digits[i];
    } else {
        for (int i = 0; i < pointPos; ++i)
            out[n++] = i < d.count ? d.digits[i] : '0';
        if (d.count > pointPos) {
            out[n++] = '.';
            for (int i = pointPos; i < d.count; ++i)
                out[n++] = d.digits[i];
        }
    }
    return n;
}

template <typename Float>
std::string display(Float value, int significant)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return "0";
    if constexpr (std::is_same_v<Float, double>) {
        char text[32];
        if (const std::size_t length = fastPlainForm(value, significant, text))
            return std::string(text, length);
    }
    DecimalDigits d = decimalDigits(value, significant);
    const int exponent = d.pointPos - 1;
    if (exponent >= 15 || exponent < -4)
        return exponentForm(d);
    return plainForm(d);
}

// Rounds the 15-digit decimal value of `value` to `decimals` places, halves
// away from zero. Returns the integer digits (no leading zeros, possibly
// empty) and exactly `decimals` fraction digits.
struct Rounded {
    bool negative = false;
    std::string integerPart;
    std::string fraction;
    bool isZero() const { return integerPart.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

Rounded roundDecimal(double value, int decimals)
{
    Rounded r;
    r.fraction.assign(static_cast<std::size_t>(decimals), '0');
    if (value == 0)
        return r;
    DecimalDigits d = decimalDigits(value, 15);
    r.negative = d.negative;
    std::string digits = d.digits;
    int pointPos = d.pointPos;
    const int kept = pointPos + decimals;  // digits that survive the rounding
    if (kept < 0) {
        r.negative = false;  // rounds to zero: no sign
        return r;
    }
    if (kept < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(kept)] >= '5';
        digits.resize(static_cast<std::size_t>(kept));
        if (up) {
            int i = kept - 1;
            for (; i >= 0; --i) {
                if (digits[static_cast<std::size_t>(i)] == '9') {
                    digits[static_cast<std::size_t>(i)] = '0';
                } else {
                    ++digits[static_cast<std::size_t>(i)];
                    break;
                }
            }
            if (i < 0) {
                digits = "1" + digits;
                ++pointPos;
            }
        }
    }
    // Lay the digits out around the point.
    if (pointPos > 0) {
        std::string whole = digits.substr(0, std::min<std::size_t>(digits.size(), static_cast<std::size_t>(pointPos)));
        whole.append(static_cast<std::size_t>(pointPos) - whole.size(), '0');
        r.integerPart = whole;
    }
    for (int i = 0; i < decimals; ++i) {
        const int index = pointPos + i;  // position of fraction digit i in `digits`
        if (index >= 0 && index < static_cast<int>(digits.size()))
            r.fraction[static_cast<std::size_t>(i)] = digits[static_cast<std::size_t>(index)];
    }
    const auto firstNonZero = r.integerPart.find_first_not_of('0');
    r.integerPart = firstNonZero == std::string::npos ? std::string() : r.integerPart.substr(firstNonZero);
    if (r.isZero())
        r.negative = false;
    return r;
}

}  // namespace

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The characters that can make up a number, with the full-width forms a
// Chinese input method types ("４０", "１２．５", "－３", "１Ｅ３") read as
// their ASCII forms, and the ideographic blank read as a blank. Blanks are
// dropped when `dropBlanks`, kept as ' ' otherwise.
std::string asciiNumberText(std::string_view text, bool dropBlanks)
{
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c)) {
            if (!dropBlanks)
                s.push_back(' ');
            continue;
        }
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            i += 2;  // U+3000 ideographic space
            if (!dropBlanks)
                s.push_back(' ');
            continue;
        }
        if (i + 2 < text.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)
            && (byte(2) & 0xC0) == 0x80) {
            // U+FF01..U+FF5E stand for ASCII 0x21..0x7E; a third byte that
            // is no continuation byte makes no character of them.
            const unsigned code = 0xFF00u + (byte(1) == 0xBC ? byte(2) - 0x80u : byte(2) - 0x80u + 0x40u);
            const char ascii = static_cast<char>(code - 0xFF00u + 0x20u);
            if (isDigit(ascii) || ascii == '+' || ascii == '-' || ascii == '.' || ascii == 'e' || ascii == 'E') {
                s.push_back(ascii);
                i += 2;
                continue;
            }
        }
        s.push_back(c);
    }
    return s;
}

// The longest decimal number at the start of `s`: sign, digits, ".",
// fraction, exponent, with at least one digit before the exponent.
struct ScannedNumber {
    std::size_t mantissaStart = 0;  // after the sign
    std::size_t mantissaEnd = 0;
    std::size_t end = 0;  // 0: no number
};

ScannedNumber scanNumber(std::string_view s)
{
    ScannedNumber n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    n.mantissaStart = i;
    std::size_t digitCount = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digitCount;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digitCount;
        }
    }
    if (digitCount == 0)
        return n;
    n.mantissaEnd = i;
    n.end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            n.end = j;
        }
    }
    return n;
}

// The value of a decimal of at most 15 significant digits times a power of
// ten up to 10^22 either way, without from_chars: both are exact doubles, so
// one product or quotient is the value correctly rounded, as from_chars
// gives it, only faster. Nothing for any other decimal. `mantissa` is the
// digits with their point, `exponent` empty or "e", a sign and digits.
std::optional<double> exactlyRounded(std::string_view mantissa, std::string_view exponent)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t digits = 0;
    int significant = 0, fraction = 0;
    bool point = false;
    for (const char c : mantissa) {
        if (c == '.') {
            point = true;
            continue;
        }
        fraction += point ? 1 : 0;
        if (significant == 0 && c == '0')
            continue;  // a leading zero
        if (++significant > 15)
            return std::nullopt;
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    }
    int power = 0;
    if (!exponent.empty()) {
        std::size_t i = 1;  // after the "e"
        const bool negative = exponent[i] == '-';
        i += exponent[i] == '-' || exponent[i] == '+' ? 1 : 0;
        if (exponent.size() - i > 4)
            return std::nullopt;
        for (; i < exponent.size(); ++i)
            power = power * 10 + (exponent[i] - '0');
        power = negative ? -power : power;
    }
    power -= fraction;
    if (digits == 0)
        return 0.0;
    if (power < -22 || power > 22)
        return std::nullopt;
    return power >= 0 ? static_cast<double>(digits) * kPowers[power] : static_cast<double>(digits) / kPowers[-power];
}

// True when the text is already as asciiNumberText would make it: ASCII, without blanks.
bool isPlainAscii(std::string_view text)
{
    for (const char c : text) {
        if (isBlank(c) || static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

double parseLeadingNumber(std::string_view text)
{
    const bool plain = isPlainAscii(text);
    const std::string normalised = plain ? std::string() : asciiNumberText(text, true);
    const std::string_view s = plain ? text : std::string_view(normalised);
    const ScannedNumber n = scanNumber(s);
    if (n.end == 0)
        return 0.0;
    const bool negative = s[0] == '-';

    const char *first = s.data() + n.mantissaStart;
    const char *last = s.data() + n.end;
    const std::string_view mantissa(first, n.mantissaEnd - n.mantissaStart);
    const std::string_view exponent(s.data() + n.mantissaEnd, n.end - n.mantissaEnd);
    double value = 0.0;
    if (const std::optional<double> exact = exactlyRounded(mantissa, exponent)) {
        value = *exact;
    } else {
        const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
        if (ec == std::errc::result_out_of_range)
            value = scannedNumberIsHuge(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
        else if (ec != std::errc())
            return 0.0;
    }
    if (value == 0.0)
        return 0.0;  // never -0
    return negative ? -value : value;
}

bool isOneNumber(std::string_view text)
{
    if (isPlainAscii(text))
        return text.empty() || scanNumber(text).end == text.size();
    const std::string s = asciiNumberText(text, false);
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return true;  // empty, or blanks only: reads 0
    const std::size_t last = s.find_last_not_of(' ');
    const std::string number = s.substr(first, last - first + 1);
    return scanNumber(number).end == number.size();
}

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

std::string displayDouble(double value) { return display(value, 15); }

std::string displaySingle(float value) { return display(value, 7); }

std::string displaySignificant(double value, int digits) { return display(value, std::clamp(digits, 1, 17)); }

std::string formatFourDecimals(double value)
{
    if (!std::isfinite(value))
        return {};
    Rounded r = roundDecimal(value, 4);
    if (r.isZero())
        return "0";
    std::string fraction = r.fraction;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return (r.negative ? "-" : "") + r.integerPart + "." + fraction;
}

namespace {

// At least one digit before the point, exactly `decimals` after it.
std::string fixedDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    Rounded r = roundDecimal(value, decimals);
    std::string out = r.negative ? "-" : "";
    out += r.integerPart.empty() ? std::string("0") : r.integerPart;
    out += '.';
    out += r.fraction;
    return out;
}

}  // namespace

std::string formatTwoDecimals(double value) { return fixedDecimals(value, 2); }

std::string formatThreeDecimals(double value) { return fixedDecimals(value, 3); }

}  // namespace morvane
