#pragma once
// Friction-type high-strength bolt connection of the end plate of an
// H-section member under a design moment and shear, by either edition of
// the design codes: the original (GB 50017-2003, CECS 102:2002) or the
// current (GB 50017-2017 11.4.2 and 4.4.1, GB 51022-2015 10.2.7). Pure
// calculation.

#include "boltgrade.h"
#include "edition.h"

#include <string>
#include <vector>

namespace morvane {

// The treatments of the contact surfaces each edition's table of slip
// coefficients lists: the original edition the first four, the current one
// GritBlasted, ShotBlasted and WireBrushed.
enum class SurfaceTreatment {
    Blasted,            // "喷砂（丸）"
    BlastedZincPrimer,  // "喷砂（丸）后涂无机富锌漆"
    BlastedRusted,      // "喷砂（丸）后生赤锈"
    WireBrushed,  // "钢丝刷清除浮锈或未经处理的干净扎制表面"; current edition "…干净轧制面"
    GritBlasted,  // "喷硬质石英砂或铸钢棱角砂"
    ShotBlasted,  // "抛丸（喷砂）"
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
    Edition edition = Edition::Original;
};

struct BoltConnectionResult {
    // False when no finite result exists (a zero divisor, an entry beyond
    // the double range, or, under the original edition, magnitudes beyond
    // the single-precision range of the bolt tension step), or when the
    // current edition's table has no slip coefficient for the surface (then
    // `message` tells why); then every number is 0 and every text is empty.
    bool computable = false;
    std::string message;  // kQ420WireBrushedMessage, or empty

    // mm, the row distances from the centre line the tension step takes:
    // y2 from six rows on and y3 with eight, 0 where the layout has no such row.
    double y1 = 0, y2 = 0, y3 = 0, y4 = 0;
    double Nt1 = 0;  // N, tension of one bolt of the outermost row
    double Nv1 = 0;  // kN, shear per bolt
    // N, slip-resistant shear capacity of one bolt: under the original
    // edition that of the outermost bolt under Nt1, 0.9μ(P − 1.25Nt1); under
    // the current one Nvb = 0.9·k·nf·μ·P (k = 1.0, standard holes; nf = 1).
    double Nbv1 = 0;
    int P = 0;                // kN, pretension of one bolt
    double nt2 = 0;           // kN, tension of one bolt of the row at e1 + e2
    double mu = 0;            // slip coefficient: single precision under the original edition
    double Nw = 0;            // kN, bolt tension the web check takes: the larger of nt2 and 0.4P
    double sigma = 0;         // N/mm², web stress of the web check
    int f = 0;                // N/mm², design strength of the web steel
    double tensionLimit = 0;  // kN, 0.8P (Ntb under the current edition)
    double ratio = 0;         // current edition: Nv1/Nvb + Nt1/Ntb, kN over kN

    // The three checks. The shear is judged only while the tension holds.
    // Original edition: Nt1 < 0.8P, Nv1 <= Nbv1, sigma < f. Current edition:
    // Nt1 <= Ntb, ratio <= 1 (shear and tension together), sigma <= f.
    bool tensionSatisfied = false;
    bool shearSatisfied = false;
    bool webSatisfied = false;

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
    std::string ratioText;  // current edition: ratio to two decimals, rounded up ("1.32"); else empty
};

inline constexpr const char *kTensionFailureLine = "一.Nt1>=0.8P，螺栓的抗拉承载力不满足，请重新布置螺栓或选择螺栓.";
inline constexpr const char *kShearFailureLine =
    "一.螺栓抗拉承载力满足要求，但其抗剪承载力设计值不满足    要求，请调整螺栓的布置.";
inline constexpr const char *kBoltsSatisfiedLine = "一.螺栓的抗拉及抗剪承载力均满足要求.";
inline constexpr const char *kWebSatisfiedLine = "二.腹板强度满足";
inline constexpr const char *kWebFailureLine = "二.腹板强度不满足要求，请设置加劲肋或调整腹板厚度";
// The current edition's bolt lines; the other two carry the ratio.
inline constexpr const char *kCurrentTensionFailureLine =
    "一.Nt1>0.8P，螺栓的抗拉承载力不满足，请重新布置螺栓或选择螺栓.";
std::string currentBoltsSatisfiedLine(const std::string &ratioText);   // "…（Nv/Nvb+Nt/Ntb=0.83≤1.0）."
std::string currentCombinedFailureLine(const std::string &ratioText);  // "…（Nv/Nvb+Nt/Ntb=1.25>1.0），…"
// The current edition's table has no slip coefficient for this surface of Q420 steel.
inline constexpr const char *kQ420WireBrushedMessage = "Q420钢材的摩擦面不应采用钢丝刷清除浮锈或未经处理的干净轧制面";

// The current edition's hole type factor (standard holes) and number of
// friction planes of one bolt.
inline constexpr double kHoleFactor = 1.0;
inline constexpr int kFrictionPlanes = 1;

// Tension of one bolt of the outermost row, N, from the amplified moment
// (kN·m) and the four row distances (mm), all already single precision.
double nt1_jisuan(float Md, float y1, float y2, float y3, float y4);

// Slip coefficient of the original edition by surface treatment and steel
// grade (0 for an unlisted grade or a treatment the table does not list).
float slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade);
// The same by either edition's table, exactly as tabulated under the current
// edition; 0 where the table has no value (a wire-brushed Q420 surface under
// the current edition).
double slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade, Edition edition);

// Design strength of the web steel, N/mm², thickness up to 16 mm (0 for an
// unlisted grade): the original edition's, and either edition's.
int webSteelStrength(const std::string &steelGrade);
int webSteelStrength(const std::string &steelGrade, Edition edition);

// A ratio to two decimals rounded up: the least number of hundredths not
// below it ("1.32" for 1.3182, "1.01" for 1.0000001, "0.83" for 0.83).
std::string hundredthsRoundedUp(double ratio);

BoltConnectionResult computeBoltConnection(const BoltConnectionInput &input);

}  // namespace morvane
