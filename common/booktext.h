#pragma once
// Texts shared by the calculations and their calculation books.
// Standard library only.

#include "numbers.h"

#include <cmath>
#include <string>

namespace morvane {

// Why a calculation gave no result when a value left the range it can handle.
inline constexpr const char *kOutOfRangeMessage = "输入数据超出计算范围，无法计算";

// A number put into a formula: double-precision display, in parentheses when
// negative, so that "6 × (-40)" never reads as a subtraction.
inline std::string bookOperand(double value)
{
    const std::string text = displayDouble(value);
    return !text.empty() && text.front() == '-' ? "(" + text + ")" : text;
}

// An intermediate figure as a person reads it: four significant digits, but
// never a digit before the point rounded away (206.666… gives "206.7",
// 0.4242… "0.4243", 125560 stays "125560", not "125600", which would read as
// exact). Results keep the digits the window shows; this is for the figures
// between them.
inline std::string bookFigure(double value)
{
    int digits = 4;
    for (double magnitude = std::fabs(value); magnitude >= 1e4 && digits < 15; magnitude /= 10)
        ++digits;
    return displaySignificant(value, digits);
}

}  // namespace morvane
