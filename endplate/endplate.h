#pragma once
// Minimum thickness of a bolted beam end plate from the support classes of
// its panels, and the design tensile capacity of one high-strength bolt.
// Pure calculation: standard library only.

#include "boltgrade.h"

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
};

struct EndPlateResult {
    // The bolt capacity never depends on the plate, so Ntb and NtbText are
    // always given, also when no thickness can be found.
    float Ntb = 0;        // kN, 0.8 P
    std::string NtbText;  // e.g. "124"

    // False when no thickness can be given: a ticked class with an unlisted
    // steel (then `message` tells why), or a ticked class whose formula has a
    // zero divisor, a negative root or a value beyond the single-precision
    // range (lengths of 0 or less, or huge; then `message` is empty). In both
    // cases thickness is 0 and thicknessText is empty.
    bool hasThickness = false;
    float thickness = 0;  // mm, governing class thickness, never below 16
    // mm, the thickness of each ticked class, 0 for a class not ticked.
    float cantileverThickness = 0;
    float noStiffenerThickness = 0;
    float twoSideThickness = 0;
    float threeSideThickness = 0;
    std::string thicknessText;  // "此端板的最小厚度为" + thickness + "mm"
    std::string message;        // kUnlistedSteelMessage or empty
};

inline constexpr const char *kUnlistedSteelMessage = "端板钢材应为Q235、Q345、Q390或Q420";
// Why the window computes nothing for a bolt size outside the pretension table.
inline constexpr const char *kUnlistedBoltSizeMessage = "螺栓直径应为M16、M20、M22、M24、M27或M30";

// Design strength f of the end plate steel, N/mm², by grade text; nothing
// for a text other than the four grades.
std::optional<int> steelStrength(std::string_view steelGrade);

EndPlateResult computeEndPlate(const EndPlateInput &input);

}  // namespace morvane
