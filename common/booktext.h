#pragma once
// Texts shared by the calculations and their calculation books.
// Standard library only.

#include "numbers.h"

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

// An intermediate figure as a person reads it: four significant digits,
// trailing zeros dropped ("206.7", "0.4243", "1.25E+04" only beyond the
// plain form). Results keep the digits the window shows; this is for the
// figures between them.
inline std::string bookFigure(double value) { return displaySignificant(value, 4); }

}  // namespace morvane
