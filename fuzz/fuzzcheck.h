#pragma once
// What every fuzz target shares: turning the fuzzer's bytes into inputs, and
// the checks on a number text that no result box may break.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>

namespace fuzzcheck {

// Whether a text is one of those a list offers.
inline bool listed(std::string_view text, std::initializer_list<const char *> offered)
{
    for (const char *item : offered) {
        if (text == item)
            return true;
    }
    return false;
}

// Stops the run with the broken promise; libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what, const std::string &detail = {})
{
    std::fprintf(stderr, "\nBROKEN: %s\n  %s\n", what, detail.c_str());
    std::abort();
}

inline void require(bool holds, const char *what, const std::string &detail = {})
{
    if (!holds)
        fail(what, detail);
}

inline std::string show(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// The fuzzer's bytes read front to back; past the end every read gives 0.
class Input
{
public:
    Input(const std::uint8_t *data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    bool flag() { return byte() & 1; }

    template <typename T>
    T raw()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (auto &b : bytes)
            b = byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    // Any double: raw bits (NaN, infinities, subnormals and -0 included),
    // a value an engineer types (an integer over a power of ten), or one of
    // the edges of the double and single ranges.
    double number()
    {
        switch (byte() % 4) {
        case 0: return raw<double>();
        case 1:
        case 2: {
            const auto mantissa = raw<std::int32_t>();
            return mantissa / std::pow(10.0, byte() % 8);
        }
        default: {
            static constexpr double edges[] = {
                0.0,
                -0.0,
                1.0,
                -1.0,
                0.5,
                1e-300,
                -1e-300,
                std::numeric_limits<double>::denorm_min(),
                std::numeric_limits<double>::max(),
                -std::numeric_limits<double>::max(),
                std::numeric_limits<double>::infinity(),
                -std::numeric_limits<double>::infinity(),
                std::numeric_limits<double>::quiet_NaN(),
                std::numeric_limits<float>::max(),
                3.5e38,
                -3.5e38,
                1e20,
                1e-20,
                1e155,
                1e160,
            };
            return edges[byte() % (sizeof edges / sizeof edges[0])];
        }
        }
    }

    // One of the texts a list offers, or arbitrary bytes.
    std::string text(std::initializer_list<const char *> offered)
    {
        const std::uint8_t choice = byte();
        if (choice % 2 == 0)
            return offered.begin()[(choice / 2) % offered.size()];
        std::string s;
        for (std::size_t n = byte() % 16; n > 0; --n)
            s.push_back(static_cast<char>(byte()));
        return s;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A number text in a result box: not empty, no "nan" or "inf" in any case,
// and not a negative zero ("-0", "-0.00", "-0E+00").
inline void requireNumberText(const std::string &text, const char *what)
{
    require(!text.empty(), what, "empty text");
    std::string lower;
    for (char c : text)
        lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
    require(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos, what, "\"" + text + "\"");
    if (text[0] == '-') {
        const std::string mantissa = text.substr(1, text.find('E') - 1);
        require(mantissa.find_first_of("123456789") != std::string::npos, what, "negative zero \"" + text + "\"");
    }
}

// The value a number text stands for, read with the C library in extended
// precision: the display of the largest double ("1.79769313486232E+308")
// lies beyond the double range.
inline long double readBack(const std::string &text) { return std::strtold(text.c_str(), nullptr); }

// A number text reads back to `value` within a relative precision
// (5e-15 for 15 significant digits, 5e-7 for 7).
inline void requireReadsBack(const std::string &text, double value, double relative, const char *what)
{
    const long double back = readBack(text);
    const long double allowed = std::fabs(value) * relative * 1.000001L + std::numeric_limits<double>::denorm_min();
    require(std::fabs(back - value) <= allowed, what, "\"" + text + "\" for " + show(value));
}

// True when every value is finite and of a magnitude between `low` and `high`
// (0 allowed when low is 0).
inline bool ordinary(std::initializer_list<double> values, double low, double high)
{
    for (double v : values) {
        if (!std::isfinite(v) || std::fabs(v) > high || (std::fabs(v) < low))
            return false;
    }
    return true;
}

}  // namespace fuzzcheck
