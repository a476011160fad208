// The double and single displays and the patterns "#.####" and "0.00":
// each text has its documented shape, is never empty, "nan", "inf" or a
// negative zero for a finite value, and reads back to the value within its
// precision. For a value typed as decimal digits (an integer of up to 15
// digits over a power of ten) both patterns must give exactly the digits
// of rounding halves away from zero.

#include "fuzzcheck.h"
#include "numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using fuzzcheck::fail;
using fuzzcheck::require;
using fuzzcheck::show;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digitsFrom(const std::string &s, std::size_t i)
{
    std::size_t n = 0;
    while (i + n < s.size() && isDigit(s[i + n]))
        ++n;
    return n;
}

// Plain "-?(0|[1-9]d*)(.d*[1-9])?" or exponent "-?[1-9](.d*[1-9])?E[+-]dd+"
// with at most `significant` significant digits.
void requireDisplayShape(const std::string &text, int significant, const char *what)
{
    const auto broken = [&] { fail(what, "shape of \"" + text + "\""); };
    std::size_t i = text[0] == '-' ? 1 : 0;
    const std::size_t whole = digitsFrom(text, i);
    if (whole == 0 || (whole > 1 && text[i] == '0'))
        broken();
    i += whole;
    std::size_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        fraction = digitsFrom(text, i + 1);
        if (fraction == 0 || text[i + fraction] == '0')
            broken();
        i += 1 + fraction;
    }
    std::string digits;
    for (char c : text.substr(0, i))
        if (isDigit(c))
            digits.push_back(c);
    const auto first = digits.find_first_not_of('0');
    std::string significantDigits = first == std::string::npos ? "" : digits.substr(first);
    const bool exponentForm = i < text.size();
    if (exponentForm) {
        if (whole != 1 || text[i] != 'E' || i + 1 >= text.size() || (text[i + 1] != '+' && text[i + 1] != '-'))
            broken();
        const std::size_t expDigits = digitsFrom(text, i + 2);
        if (expDigits < 2 || i + 2 + expDigits != text.size() || (expDigits > 2 && text[i + 2] == '0'))
            broken();
    } else {
        while (!significantDigits.empty() && significantDigits.back() == '0')
            significantDigits.pop_back();  // zeros of the integer part
    }
    require(static_cast<int>(significantDigits.size()) <= significant, what, "too many digits in \"" + text + "\"");
    const double back = std::fabs(std::strtod(text.c_str(), nullptr));  // the thresholds are doubles
    require(exponentForm == (back != 0 && (back >= 1e15 || back < 1e-4)), what, "exponent form of \"" + text + "\"");
}

void checkDisplay(const std::string &text, double value, int significant, const char *what)
{
    if (!std::isfinite(value)) {
        require(text.empty(), what, "not empty for " + show(value));
        return;
    }
    fuzzcheck::requireNumberText(text, what);
    requireDisplayShape(text, significant, what);
    fuzzcheck::requireReadsBack(text, value, significant == 15 ? 5e-15 : 5e-7, what);
}

// A pattern text reads back to the value within half its last decimal, on
// top of the 15-digit rounding.
void requireNear(const std::string &text, double value, double half, const char *what)
{
    const long double back = fuzzcheck::readBack(text);
    require(std::fabs(back - value) <= half * 1.000001 + std::fabs(value) * 6e-15, what,
            "\"" + text + "\" for " + show(value));
}

void checkFourDecimals(const std::string &text, double value)
{
    const char *what = "formatFourDecimals";
    fuzzcheck::requireNumberText(text, what);
    if (text != "0") {
        // "-?([1-9]d*)?.(d{0,3}[1-9])?", not "." alone.
        std::size_t i = text[0] == '-' ? 1 : 0;
        const std::size_t whole = digitsFrom(text, i);
        const std::size_t point = i + whole;
        const std::size_t fraction = text.size() - point - 1;
        const bool shaped = (whole == 0 || text[i] != '0') && point < text.size() && text[point] == '.'
            && digitsFrom(text, point + 1) == fraction && fraction <= 4 && (fraction == 0 || text.back() != '0')
            && whole + fraction > 0;
        require(shaped, what, "shape of \"" + text + "\"");
    }
    requireNear(text, value, 0.00005, what);
}

void checkTwoDecimals(const std::string &text, double value)
{
    const char *what = "formatTwoDecimals";
    fuzzcheck::requireNumberText(text, what);
    // "-?(0|[1-9]d*).dd"
    std::size_t i = text[0] == '-' ? 1 : 0;
    const std::size_t whole = digitsFrom(text, i);
    const std::size_t point = i + whole;
    const bool shaped = whole > 0 && (whole == 1 || text[i] != '0') && point + 3 == text.size() && text[point] == '.'
        && digitsFrom(text, point + 1) == 2;
    require(shaped, what, "shape of \"" + text + "\"");
    requireNear(text, value, 0.005, what);
}

using Wide = unsigned __int128;

Wide powerOfTen(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// |mantissa| / 10^scale rounded to `decimals` places, halves away from zero,
// as an integer count of 10^-decimals.
Wide roundedUnits(Wide magnitude, int scale, int decimals)
{
    if (scale <= decimals)
        return magnitude * powerOfTen(decimals - scale);
    const Wide unit = powerOfTen(scale - decimals);
    return magnitude / unit + (2 * (magnitude % unit) >= unit ? 1 : 0);
}

std::string decimalsOf(Wide units, int decimals)
{
    std::string s = std::to_string(static_cast<unsigned long long>(units % powerOfTen(decimals)));
    return std::string(static_cast<std::size_t>(decimals) - s.size(), '0') + s;
}

void checkExactPatterns(long long mantissa, int scale, double value)
{
    const bool negative = mantissa < 0;
    const Wide magnitude = static_cast<Wide>(negative ? -static_cast<Wide>(mantissa) : mantissa);
    const std::string typed = std::to_string(mantissa) + "E-" + std::to_string(scale);

    const Wide four = roundedUnits(magnitude, scale, 4);
    std::string expected = "0";
    if (four != 0) {
        std::string fraction = decimalsOf(four, 4);
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        const auto whole = static_cast<unsigned long long>(four / 10000);
        expected = (negative ? "-" : "") + (whole ? std::to_string(whole) : "") + "." + fraction;
    }
    const std::string gotFour = morvane::formatFourDecimals(value);
    require(gotFour == expected, "formatFourDecimals rounds the typed digits",
            typed + " gave \"" + gotFour + "\", expected \"" + expected + "\"");

    const Wide two = roundedUnits(magnitude, scale, 2);
    expected = (negative && two != 0 ? "-" : "") + std::to_string(static_cast<unsigned long long>(two / 100)) + "."
        + decimalsOf(two, 2);
    const std::string gotTwo = morvane::formatTwoDecimals(value);
    require(gotTwo == expected, "formatTwoDecimals rounds the typed digits",
            typed + " gave \"" + gotTwo + "\", expected \"" + expected + "\"");
}

}  // namespace

// The display stands for the decimal the C library rounds the value to,
// to as many digits ("%.14e" for 15).
void requireRoundedAsTheLibrary(const std::string &text, double value, int digits, const char *what)
{
    if (!std::isfinite(value))
        return;
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.*e", digits - 1, value);
    require(std::strtod(text.c_str(), nullptr) == std::strtod(reference, nullptr), what,
            "\"" + text + "\" for " + show(value) + ", rounded " + reference);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    double value;
    const std::uint8_t kind = in.byte() % 3;
    if (kind == 0) {
        value = in.raw<double>();
    } else if (kind == 1) {
        // Digits as typed: up to 15 significant digits over 10^0 .. 10^22,
        // so the 15-digit decimal value of the double is exactly these digits.
        const long long mantissa = in.raw<long long>() % 1000000000000000LL;
        const int scale = in.byte() % 23;
        value = static_cast<double>(mantissa) / static_cast<double>(powerOfTen(scale));
        checkExactPatterns(mantissa, scale, value);
    } else {
        value = in.number();
    }

    checkDisplay(morvane::displayDouble(value), value, 15, "displayDouble");
    // A double beyond the single range turns into an infinity, as a cast
    // of it would be undefined.
    const double towardSingle = std::fabs(value) > FLT_MAX ? std::copysign(HUGE_VAL, value) : value;
    const float single = in.flag() ? in.raw<float>() : static_cast<float>(towardSingle);
    checkDisplay(morvane::displaySingle(single), single, 7, "displaySingle");
    requireRoundedAsTheLibrary(morvane::displayDouble(value), value, 15, "displayDouble");
    requireRoundedAsTheLibrary(morvane::displaySingle(single), single, 7, "displaySingle");
    const int digits = 1 + in.byte() % 17;
    requireRoundedAsTheLibrary(morvane::displaySignificant(value, digits), value, digits, "displaySignificant");

    const std::string four = morvane::formatFourDecimals(value);
    const std::string two = morvane::formatTwoDecimals(value);
    if (std::isfinite(value)) {
        checkFourDecimals(four, value);
        checkTwoDecimals(two, value);
    } else {
        for (const std::string *text : {&four, &two})
            require(text->find("nan") == std::string::npos && text->find("inf") == std::string::npos,
                    "a pattern never shows nan or inf", *text);
    }
    return 0;
}
