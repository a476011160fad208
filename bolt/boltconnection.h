#pragma once
// Friction-type high-strength bolt connection of the end plate of an
// H-section member under a design moment and shear. Pure calculation.

#include "boltgrade.h"

#include <string>
#include <vector>

namespace morvane {

enum class SurfaceTreatment {
    Blasted,            // "喷砂（丸）"
    BlastedZincPrimer,  // "喷砂（丸）后涂无机富锌漆"
    BlastedRusted,      // "喷砂（丸）后生赤锈"
    WireBrushed,        // "钢丝刷清除浮锈或未经处理的干净扎制表面"
};

struct BoltConnectionInput {
    int rows = 8;              // 4, 6 or 8 rows of two bolts
    double e1 = 0;             // mm, centre line to innermost row
    double e2 = 0;             // mm, innermost row to the next (0 for four rows)
    double e3 = 0;             // mm, to the third row (0 for four and six rows)
    double ef = 0;             // mm, bolt row to flange
    double ew = 0;             // mm, web width per bolt in the web check
    double tw = 0;             // mm, web thickness
    double M = 0;              // kN·m, design moment before amplification; its sign does not matter
    double V = 0;              // kN, design shear before amplification; its sign does not matter
    double amplification = 1;  // factor on M and V
    std::string steelGrade;    // "Q235", "Q345", "Q390", "Q420"
    std::string boltSize;      // "M16" ... "M30"
    BoltGrade boltGrade = BoltGrade::Grade10_9;
    SurfaceTreatment surfaceTreatment = SurfaceTreatment::Blasted;
};

struct BoltConnectionResult {
    // False when no finite result exists (a zero divisor, an entry beyond
    // the double range, or magnitudes beyond the single-precision range of
    // the bolt tension step); then
    // every number is 0 and every text is empty.
    bool computable = false;

    // mm, the row distances from the centre line the tension step takes:
    // y2 from six rows on and y3 with eight, 0 where the layout has no such row.
    double y1 = 0, y2 = 0, y3 = 0, y4 = 0;
    double Nt1 = 0;           // N, tension of one bolt of the outermost row
    double Nv1 = 0;           // kN, shear per bolt
    double Nbv1 = 0;          // N, slip-resistant shear capacity of that bolt under Nt1
    int P = 0;                // kN, pretension of one bolt
    double nt2 = 0;           // kN, tension of one bolt of the row at e1 + e2
    float mu = 0;             // slip coefficient
    double Nw = 0;            // kN, bolt tension the web check takes: the larger of nt2 and 0.4P
    double sigma = 0;         // N/mm², web stress of the web check
    int f = 0;                // N/mm², design strength of the web steel
    double tensionLimit = 0;  // kN, 0.8P

    // The three checks. The shear is judged only while the tension holds.
    bool tensionSatisfied = false;  // Nt1 < 0.8P
    bool shearSatisfied = false;    // Nv1 <= Nbv1
    bool webSatisfied = false;      // sigma < f

    // The verdict box's two lines, both always: the bolts' sentence by the
    // first check that fails, then the web's.
    std::vector<std::string> verdict;

    // Texts as the window shows them.
    std::string Nt1Text;  // Nt1 / 1000, kN
    std::string Nv1Text;
    std::string Nbv1Text;  // Nbv1 / 1000, kN
    std::string PText;
    std::string nt2Text;
    std::string muText;
};

inline constexpr const char *kTensionFailureLine = "一.Nt1>=0.8P，螺栓的抗拉承载力不满足，请重新布置螺栓或选择螺栓.";
inline constexpr const char *kShearFailureLine =
    "一.螺栓抗拉承载力满足要求，但其抗剪承载力设计值不满足    要求，请调整螺栓的布置.";
inline constexpr const char *kBoltsSatisfiedLine = "一.螺栓的抗拉及抗剪承载力均满足要求.";
inline constexpr const char *kWebSatisfiedLine = "二.腹板强度满足";
inline constexpr const char *kWebFailureLine = "二.腹板强度不满足要求，请设置加劲肋或调整腹板厚度";

// Tension of one bolt of the outermost row, N, from the amplified moment
// (kN·m) and the four row distances (mm), all already single precision.
double nt1_jisuan(float Md, float y1, float y2, float y3, float y4);

// Slip coefficient by surface treatment and steel grade (0 for an unlisted grade).
float slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade);

// Design strength of the web steel, N/mm², thickness up to 16 mm (0 for an unlisted grade).
int webSteelStrength(const std::string &steelGrade);

BoltConnectionResult computeBoltConnection(const BoltConnectionInput &input);

}  // namespace morvane
