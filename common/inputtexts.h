#pragma once
// The inputs of one calculation as the texts a window shows them, by the
// names of the calculation inputs they feed ("e1", "rows", "boltGrade"): a
// box or a list its text, a check "是" or "否", an option group the caption
// of its chosen option. What a window reads at "计算", a calculation file
// keeps and a spreadsheet row gives. Standard library only.

#include "numbers.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace morvane {

class InputTexts
{
public:
    // The text of an input; empty when none is given.
    virtual std::string_view text(std::string_view input) const = 0;
    // The number its text box reads from that text, and whether the text is
    // one number as "计算" takes it; texts asked for the same input many
    // times may keep both.
    virtual double number(std::string_view input) const { return parseLeadingNumber(text(input)); }
    virtual bool holdsOneNumber(std::string_view input) const { return isOneNumber(text(input)); }

protected:
    ~InputTexts() = default;
};

// A text's number and whether it is one number, read at the first asking
// and kept, for texts asked for the same input many times.
struct NumberReading {
    bool read = false;
    bool oneNumber = true;
    double value = 0;

    const NumberReading &of(std::string_view text)
    {
        if (!read)
            value = readNumber(text, oneNumber);
        read = true;
        return *this;
    }
};

// Texts held by name.
class InputTextMap final : public InputTexts
{
public:
    std::map<std::string, std::string, std::less<>> texts;

    std::string_view text(std::string_view input) const override
    {
        const auto found = texts.find(input);
        return found == texts.end() ? std::string_view() : std::string_view(found->second);
    }
};

}  // namespace morvane
