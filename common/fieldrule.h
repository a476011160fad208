#pragma once
// The bound a box's value must keep, and how a refused entry is worded: the
// same for a window's field check and for a calculation run from texts
// (a calculation file, a spreadsheet). Standard library only.

#include <span>
#include <string>
#include <string_view>

namespace morvane {

// A bound a box's value must keep. A value that breaks it is told in the
// warning box, with the message and title, when the box is left and at "计算".
struct FieldRule {
    enum Test : unsigned char { None, Above, AtLeast, AtMost };
    Test test = None;
    double bound = 0;
    const char *message = nullptr;
    const char *title = nullptr;
};
// The value must be above the bound: at the bound or below, it is refused.
constexpr FieldRule above(double bound, const char *message, const char *title)
{
    return {FieldRule::Above, bound, message, title};
}
// The value may equal the bound, not fall below it.
constexpr FieldRule atLeast(double bound, const char *message, const char *title)
{
    return {FieldRule::AtLeast, bound, message, title};
}
// The value may equal the bound, not exceed it.
constexpr FieldRule atMost(double bound, const char *message, const char *title)
{
    return {FieldRule::AtMost, bound, message, title};
}

// The first of the rules, in their order, that the value breaks; none when it keeps them all.
const FieldRule *brokenRule(std::span<const FieldRule> rules, double value);

// The title and the message of a box that holds anything but one number:
// "「8O」不是一个数，请改正", a very long text quoted by its first 40
// characters and "…", so that the warning box stays on the screen.
inline constexpr const char *kNotANumberTitle = "输入数据错误";
std::string notANumberMessage(std::string_view text);

}  // namespace morvane
