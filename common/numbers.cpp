#include "numbers.h"

#include "bytecopy.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>

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

// A value of up to 128 bits, as two halves.
struct Wide {
    std::uint64_t high = 0, low = 0;
};

Wide multiply(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32, bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh, highLow = aHigh * bLow;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
    return {aHigh * bHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}

constexpr std::uint64_t kPowersOfTen[] = {1,
                                          10,
                                          100,
                                          1000,
                                          10000,
                                          100000,
                                          1000000,
                                          10000000,
                                          100000000,
                                          1000000000,
                                          10000000000,
                                          100000000000,
                                          1000000000000,
                                          10000000000000,
                                          100000000000000,
                                          1000000000000000,
                                          10000000000000000,
                                          100000000000000000,
                                          1000000000000000000,
                                          10000000000000000000u};

// The digits of a value rounded to `significant` digits (1 to 17), worked
// out exactly from its binary form, which is much faster than to_chars to a
// precision: value = m x 2^e, so value x 10^k = m x 10^k / 2^-e, whose
// quotient is the digits and whose remainder against half of 2^-e rounds
// them. False where the slower way must give them: an exact half (rounded
// as to_chars rounds it), the subnormal doubles, and magnitudes for which
// 10^k or 2^-e leave 128 bits (below about 1e-5 and, with fewer digits than
// 16, from 10^significant up).
struct FastDigits {
    bool negative = false;
    char text[24];              // the digits' room: they end where it ends
    const char *digits = text;  // no trailing zeros
    int count = 0;
    int exponent = 0;  // of the first digit
};

// The eight digits of a value below 10^8, leading zeros written, two at a time.
void writeEightDigits(char *at, std::uint32_t value)
{
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    const std::uint32_t high = value / 10000, low = value % 10000;
    std::memcpy(at, kPairs + 2 * (high / 100), 2);
    std::memcpy(at + 2, kPairs + 2 * (high % 100), 2);
    std::memcpy(at + 4, kPairs + 2 * (low / 100), 2);
    std::memcpy(at + 6, kPairs + 2 * (low % 100), 2);
}

bool fastDigits(double value, int significant, FastDigits &d)
{
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int(bits >> 52 & 0x7FF);
    if (biased == 0 || biased == 0x7FF || significant < 1 || significant > 17)
        return false;
    const std::uint64_t m = (bits & 0xFFFFFFFFFFFFFu) | (std::uint64_t(1) << 52);
    const int shift = 1075 - biased;  // value = m / 2^shift
    if (shift < 1 || shift > 127)
        return false;
    // The decimal exponent of the first digit: floor(log10 2^(52 - shift)), or one more.
    int exponent = ((52 - shift) * 78913) >> 18;
    std::uint64_t q = 0;
    int roundsUp = 0;  // -1 down, 0 an exact half, 1 up
    for (int attempt = 0;; ++attempt) {
        const int k = significant - 1 - exponent;
        if (k < 0 || k > 19 || attempt > 2)
            return false;
        const Wide p = multiply(m, kPowersOfTen[k]);
        // q = p >> shift, the remainder against half of 2^shift.
        Wide rest;
        if (shift < 64) {
            if (p.high >> shift)
                return false;
            q = p.high << (64 - shift) | p.low >> shift;
            rest = {0, p.low & ((std::uint64_t(1) << shift) - 1)};
        } else {
            q = shift == 64 ? p.high : p.high >> (shift - 64);
            rest = {shift == 64 ? 0 : p.high & ((std::uint64_t(1) << (shift - 64)) - 1), p.low};
        }
        const Wide half = shift <= 64 ? Wide{0, std::uint64_t(1) << (shift - 1)}
                                      : Wide{std::uint64_t(1) << (shift - 65), 0};
        if (q < kPowersOfTen[significant - 1]) {
            --exponent;
        } else if (q >= kPowersOfTen[significant]) {
            ++exponent;
        } else {
            roundsUp = rest.high != half.high ? (rest.high > half.high ? 1 : -1)
                : rest.low != half.low        ? (rest.low > half.low ? 1 : -1)
                                              : 0;
            break;
        }
    }
    if (roundsUp == 0)
        return false;
    if (roundsUp > 0 && ++q == kPowersOfTen[significant]) {
        q = kPowersOfTen[significant - 1];
        ++exponent;
    }
    d.negative = value < 0;
    d.exponent = exponent;
    // q as 24 digits with leading zeros, eight at a time.
    writeEightDigits(d.text, std::uint32_t(q / 10000000000000000u));
    writeEightDigits(d.text + 8, std::uint32_t(q / 100000000 % 100000000));
    writeEightDigits(d.text + 16, std::uint32_t(q % 100000000));
    d.digits = d.text + sizeof d.text - significant;
    d.count = significant;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    return true;
}

template <typename Float>
DecimalDigits decimalDigits(Float value, int significant)
{
    DecimalDigits d;
    FastDigits fast;
    if (fastDigits(double(value), significant, fast)) {
        d.negative = fast.negative;
        d.digits.assign(fast.digits, static_cast<std::size_t>(fast.count));
        d.pointPos = fast.exponent + 1;
        return d;
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

// The plain form of a value to at most `significant` digits, written into
// `out` from its fast digits; its length, or 0 when the slower
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
    const auto put = [&out, &n](const char *from, int count) {
        const auto bytes = static_cast<std::size_t>(std::clamp(count, 0, 24));  // within the digits' room
        copyBytes(out + n, from, bytes);
        n += bytes;
    };
    const auto zeros = [&out, &n](int count) {
        for (int i = 0; i < count; ++i)
            out[n++] = '0';
    };
    if (pointPos <= 0) {
        out[n++] = '0';
        out[n++] = '.';
        zeros(-pointPos);
        put(d.digits, d.count);
    } else if (d.count <= pointPos) {
        put(d.digits, d.count);
        zeros(pointPos - d.count);
    } else {
        put(d.digits, pointPos);
        out[n++] = '.';
        put(d.digits + pointPos, d.count - pointPos);
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
    char text[32];
    if (const std::size_t length = fastPlainForm(double(value), significant, text))
        return std::string(text, length);
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
    const DecimalDigits d = decimalDigits(value, 15);
    r.negative = d.negative;
    // The digits after a place for a carry: value = 0.0d1d2d3... x 10^pointPos.
    char digits[24] = {'0'};
    std::memcpy(digits + 1, d.digits.data(), d.digits.size());
    int count = 1 + static_cast<int>(d.digits.size());
    const int pointPos = d.pointPos + 1;   // digits before the point, the carry's place among them
    const int kept = pointPos + decimals;  // digits that survive the rounding
    if (kept < 1) {
        r.negative = false;  // rounds to zero: no sign
        return r;
    }
    if (kept < count) {
        const bool up = digits[kept] >= '5';
        count = kept;
        for (int i = kept - 1; up && i >= 0; --i) {
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';  // the carry's place is never a nine
        }
    }
    // Lay the digits out around the point.
    const auto digit = [&](int i) { return i >= 0 && i < count ? digits[i] : '0'; };
    for (int i = 0; i < pointPos; ++i) {
        if (const char c = digit(i); c != '0' || !r.integerPart.empty())
            r.integerPart += c;
    }
    for (int i = 0; i < decimals; ++i)
        r.fraction[static_cast<std::size_t>(i)] = digit(pointPos + i);
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

// The powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a decimal of at most 15 significant digits times a power of
// ten up to 10^22 either way, without from_chars: both are exact doubles, so
// one product or quotient is the value correctly rounded, as from_chars
// gives it, only faster. Nothing for any other decimal. `mantissa` is the
// digits with their point, `exponent` empty or "e", a sign and digits.
std::optional<double> exactlyRounded(std::string_view mantissa, std::string_view exponent)
{
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
    return power >= 0 ? static_cast<double>(digits) * kExactPowersOfTen[power]
                      : static_cast<double>(digits) / kExactPowersOfTen[-power];
}

// What most boxes hold, read in one pass: digits with a point perhaps and a
// minus perhaps, nothing else, of at most 15 significant digits and 22
// decimals, read exactly as exactlyRounded reads them. False for another
// text, which the general way reads.
bool readPlainDecimal(std::string_view text, double &value)
{
    if (text.empty() || text.size() > 21)
        return false;  // a minus, 19 digits and a point at most
    const char *c = text.data();
    const char *const end = c + text.size();
    const bool negative = *c == '-';
    c += negative ? 1 : 0;
    std::uint64_t digits = 0;
    const char *const whole = c;
    for (unsigned digit; c < end && (digit = unsigned(*c) - '0') < 10; ++c)
        digits = digits * 10 + digit;
    std::ptrdiff_t count = c - whole, fraction = 0;
    if (c < end && *c == '.') {
        const char *const first = ++c;
        for (unsigned digit; c < end && (digit = unsigned(*c) - '0') < 10; ++c)
            digits = digits * 10 + digit;
        fraction = c - first;
        count += fraction;
    }
    // Within 19 digits, at most 15 significant ones are a value below 10^15.
    if (c != end || count == 0 || count > 19 || digits >= 1000000000000000u)
        return false;
    if (digits == 0) {
        value = 0.0;  // never -0: "-0" and "-0.00" read 0
        return true;
    }
    value = static_cast<double>(digits) / kExactPowersOfTen[fraction];
    value = negative ? -value : value;
    return true;
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

namespace {

double parseGeneralNumber(std::string_view text)
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

}  // namespace

double parseLeadingNumber(std::string_view text)
{
    double value;
    return readPlainDecimal(text, value) ? value : parseGeneralNumber(text);
}

namespace {

// isOneNumber of a text that is no plain decimal.
bool isOneGeneralNumber(std::string_view text)
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

}  // namespace

bool isOneNumber(std::string_view text)
{
    double value;
    return readPlainDecimal(text, value) || isOneGeneralNumber(text);
}

double readNumber(std::string_view text, bool &oneNumber)
{
    double value;
    oneNumber = true;
    if (readPlainDecimal(text, value))
        return value;
    oneNumber = isOneGeneralNumber(text);
    return parseGeneralNumber(text);
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
