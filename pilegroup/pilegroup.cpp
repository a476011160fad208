#include "pilegroup.h"

#include "booktext.h"
#include "numbers.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace morvane {

int pileCountFromText(std::string_view text)
{
    static constexpr std::array<std::string_view, 16> texts{
        "单桩", "两桩", "三桩",   "四桩",   "五桩",   "六桩",   "七桩",   "八桩",
        "九桩", "十桩", "十一桩", "十二桩", "十三桩", "十四桩", "十五桩", "十六桩",
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

PileGroupResult computePileGroup(const PileGroupInput &in)
{
    PileGroupResult r;
    r.pileCount = pileCountFromText(in.pileCountText);
    if (r.pileCount == 0) {
        r.refusal = PileGroupRefusal::PileCount;  // not a group of no piles carrying less than nothing
        r.refusalText = kPileCountMessage;
        return r;
    }

    // capacity = n·R − L·B·(γc·H/1000 + γs·(d − H)/1000)/1000000, one rounding per line;
    // /1000 turns mm into m, /1000000 turns mm² into m².
    const double t1 = r.pileCount * in.pileCapacity;  // kN, before the deduction
    const double t2 = in.L * in.B;                    // mm², plan area
    const double t3 = in.concreteWeight * in.H;
    const double capLoad = t3 / 1000;      // kN/m²
    const double t5 = in.capDepth - in.H;  // mm, soil on the cap
    const double t6 = in.soilWeight * t5;
    const double soilLoad = t6 / 1000;  // kN/m²
    const double t8 = capLoad + soilLoad;
    const double t9 = t2 * t8;
    const double deduction = t9 / 1000000;   // kN
    const double capacity = t1 - deduction;  // kN

    if (!allFinite({t1, t2, t3, capLoad, t5, t6, soilLoad, t8, t9, deduction, capacity})) {
        r.refusal = PileGroupRefusal::OutOfRange;
        r.refusalText = kOutOfRangeMessage;
        return r;
    }
    r.computable = true;
    r.capLoad = capLoad;
    r.soilLoad = soilLoad;
    r.deduction = deduction;
    r.capacity = capacity;
    r.capacityText = displayDouble(capacity);
    return r;
}

}  // namespace morvane
