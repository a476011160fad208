#pragma once
// Minimum thickness of a bolted beam end plate from the support classes of
// its panels, and the design tensile capacity of one high-strength bolt, by
// either edition of the design codes: the original (CECS 102:2002, GB
// 50017-2003) or the current (GB 51022-2015 10.2.7, GB 50017-2017 4.4.1 and
// 11.4.2). Pure calculation: standard library only.

#include "boltgrade.h"
#include "edition.h"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

enum class PlateEnd {
    Extended,  // "端板外伸"
    Flush,     // "端板平齐"
};

struct EndPlateInput {
    double b = 0;            // mm, width of the end plate
    double bs = 0;           // mm, stiffened panel dimension (three-side class only)
    double a = 0;            // mm, spacing of the bolt rows along the web (no-stiffener class only)
    double ef = 0;           // mm, bolt row to the flange next to it
    double ew = 0;           // mm, bolt line to the web
    std::string steelGrade;  // "Q235", "Q345", "Q390", "Q420", matched exactly
    std::string boltSize;    // "M16" ... "M30", matched exactly
    BoltGrade boltGrade = BoltGrade::Grade10_9;
    bool cantilever = false;                 // "伸臂类端板"
    bool noStiffener = false;                // "无加劲肋类端板"
    bool twoSide = false;                    // "两边支承端板"
    bool threeSide = false;                  // "三边支承类端板"
    PlateEnd plateEnd = PlateEnd::Extended;  // read by the two-side class only
    Edition edition = Edition::Original;
};

struct EndPlateResult {
    // The bolt capacity never depends on the plate, so Ntb and NtbText are
    // always given, also when no thickness can be found. The original
    // edition rounds it and the thicknesses to single precision.
    double Ntb = 0;       // kN, 0.8 P
    std::string NtbText;  // e.g. "124"

    // False when no thickness can be given: a ticked class with an unlisted
    // steel (then `message` tells why), or a ticked class whose formula has a
    // zero divisor, a negative root or a value beyond the single-precision
    // range (lengths of 0 or less, or huge; under the current edition also a
    // thickness beyond 100 mm, the thickest plate of the strength table;
    // then `message` is empty). In both cases thickness is 0 and
    // thicknessText is empty.
    bool hasThickness = false;
    double thickness = 0;  // mm, governing class thickness, never below leastThickness
    // mm, the thickness of each ticked class, 0 for a class not ticked.
    double cantileverThickness = 0;
    double noStiffenerThickness = 0;
    double twoSideThickness = 0;
    double threeSideThickness = 0;
    std::string thicknessText;  // "此端板的最小厚度为" + thickness + "mm"
    std::string message;        // kUnlistedSteelMessage or empty

    // mm, the least thickness: 16, and under the current edition not below
    // 0.8 times the bolt diameter.
    double leastThickness = 16;
    // N/mm², the plate strength f the thicknesses were computed with, for
    // plates thicker than strengthFrom up to strengthTo mm (under the
    // original edition 16 to 40 mm for every plate).
    int f = 0;
    int strengthFrom = 16, strengthTo = 40;
};

inline constexpr const char *kUnlistedSteelMessage = "端板钢材应为Q235、Q345、Q390或Q420";
// Why the window computes nothing for a bolt size outside the pretension table.
inline constexpr const char *kUnlistedBoltSizeMessage = "螺栓直径应为M16、M20、M22、M24、M27或M30";

// Design strength f of the end plate steel, N/mm², by grade text; nothing
// for a text other than the four grades.
std::optional<int> steelStrength(std::string_view steelGrade);

// The current edition's design strength of a plate of the grade, N/mm², for
// a thickness group, thinnest first: 16 < t ≤ 40 mm, then the thicker ones
// up to 100 mm. Nothing for an unlisted grade or beyond the last group.
struct StrengthGroup {
    int from, to;  // mm: thicker than `from`, up to `to`
    int f;         // N/mm²
};
std::optional<StrengthGroup> plateStrengthGroup(std::string_view steelGrade, int group);

// The current edition's least thickness of the plate, mm: 16, and not below
// 0.8 times the diameter of the bolt ("M30" gives 24); 16 for an unlisted size.
double leastPlateThickness(std::string_view boltSize);

EndPlateResult computeEndPlate(const EndPlateInput &input);

}  // namespace morvane
