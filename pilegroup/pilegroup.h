#pragma once
// Bearing capacity of a group of 1 to 16 piles under a rectangular cap,
// after deducting the weight of the cap and of the soil resting on it.
// Pure calculation: standard library only.

#include <string>
#include <string_view>

namespace morvane {

struct PileGroupInput {
    double L = 0;               // mm, cap length in plan
    double B = 0;               // mm, cap width in plan
    double H = 0;               // mm, cap height
    double capDepth = 0;        // mm, depth of the cap underside below the ground
    double pileCapacity = 0;    // kN, design bearing capacity of one pile
    double concreteWeight = 0;  // kN/m³, cap concrete
    double soilWeight = 0;      // kN/m³, soil on the cap
    std::string pileCountText;  // "单桩" ... "十六桩", matched exactly
};

// Why no capacity is given: a pile count text that is none of the list's,
// a burial depth above the cap's top (the soil on it would weigh less than
// nothing).
enum class PileGroupRefusal : unsigned char { None, PileCount, OutOfRange };
inline constexpr const char *kPileCountMessage = "桩数应从列表中选择";
inline constexpr const char *kCapDepthMessage = "承台埋深不得小于承台高度";

struct PileGroupResult {
    int pileCount = 0;  // 0 to 16
    // False when the pile count text is none of the list's (pileCount 0),
    // or when a step leaves the double range (inputs of enormous
    // magnitude); then every number but pileCount is 0, capacityText is
    // empty and `refusal` tells why.
    bool computable = false;
    PileGroupRefusal refusal = PileGroupRefusal::None;
    std::string refusalText;   // kPileCountMessage or kOutOfRangeMessage; empty when computable
    double capLoad = 0;        // kN/m², cap weight per square metre of plan
    double soilLoad = 0;       // kN/m², soil weight per square metre of plan (negative when capDepth < H)
    double deduction = 0;      // kN, weight of the cap and of the soil on it
    double capacity = 0;       // kN, group capacity after the deduction; may be negative
    std::string capacityText;  // capacity in double-precision display
};

// Number of piles by the list text "单桩" ... "十六桩"; 0 for any other text.
int pileCountFromText(std::string_view text);

PileGroupResult computePileGroup(const PileGroupInput &input);

}  // namespace morvane
