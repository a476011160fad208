#include "fieldrule.h"

namespace morvane {

const FieldRule *brokenRule(std::span<const FieldRule> rules, double value)
{
    for (const FieldRule &rule : rules) {
        const bool broken = (rule.test == FieldRule::Above && value <= rule.bound)
            || (rule.test == FieldRule::AtLeast && value < rule.bound)
            || (rule.test == FieldRule::AtMost && value > rule.bound);
        if (broken)
            return &rule;
    }
    return nullptr;
}

std::string notANumberMessage(std::string_view text)
{
    constexpr int kLongestQuoted = 40;  // characters, not bytes
    std::size_t end = 0;
    int characters = 0;
    while (end < text.size() && characters < kLongestQuoted) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;  // the continuation bytes of a UTF-8 sequence
        ++characters;
    }
    const std::string quoted = end < text.size() ? std::string(text.substr(0, end)) + "…" : std::string(text);
    return "「" + quoted + "」不是一个数，请改正";
}

}  // namespace morvane
