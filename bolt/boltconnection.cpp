#include "boltconnection.h"

#include "numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <utility>

namespace morvane {

namespace {

// Tension of one bolt of the outermost row, N, from the amplified moment
// (kN·m) and the four row distances (mm), each as precise as it is given;
// the squares are summed in double precision.
template <typename Number>
double boltTension(Number Md, Number y1, Number y2, Number y3, Number y4)
{
    const double sumOfSquares = ((double(y1) * y1 + double(y2) * y2) + double(y3) * y3) + double(y4) * y4;
    // Two bolts per row and both halves of the group: hence the divisor 4.
    // 1 000 000 turns kN·m into N·mm.
    return ((double(Md) * 1000000 * y4) / 4) / sumOfSquares;
}

}  // namespace

double nt1_jisuan(float Md, float y1, float y2, float y3, float y4) { return boltTension(Md, y1, y2, y3, y4); }

namespace {

// The column of the slip coefficient tables a steel reads: Q235 | Q345, Q390 | Q420; -1 for another.
int slipColumn(const std::string &steelGrade)
{
    return steelGrade == "Q235" ? 0 : steelGrade == "Q345" || steelGrade == "Q390" ? 1 : steelGrade == "Q420" ? 2 : -1;
}

}  // namespace

float slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade)
{
    const int column = slipColumn(steelGrade);
    if (column < 0)
        return 0.0f;
    static constexpr float table[4][3] = {
        {0.45f, 0.50f, 0.50f},  // Blasted
        {0.35f, 0.40f, 0.40f},  // BlastedZincPrimer
        {0.45f, 0.50f, 0.50f},  // BlastedRusted
        {0.30f, 0.35f, 0.40f},  // WireBrushed
    };
    const int row = static_cast<int>(treatment);
    return row < 4 ? table[row][column] : 0.0f;
}

double slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade, Edition edition)
{
    if (edition == Edition::Original)
        return slipCoefficient(treatment, steelGrade);
    const int column = slipColumn(steelGrade);
    if (column < 0)
        return 0;
    switch (treatment) {
    case SurfaceTreatment::GritBlasted: return 0.45;
    case SurfaceTreatment::ShotBlasted: return 0.40;
    case SurfaceTreatment::WireBrushed: return column == 0 ? 0.30 : column == 1 ? 0.35 : 0;  // none for Q420
    default: return 0;  // a treatment of the original edition's table
    }
}

int webSteelStrength(const std::string &steelGrade)
{
    if (steelGrade == "Q235")
        return 215;
    if (steelGrade == "Q345")
        return 310;
    if (steelGrade == "Q390")
        return 350;
    if (steelGrade == "Q420")
        return 380;
    return 0;
}

int webSteelStrength(const std::string &steelGrade, Edition edition)
{
    if (edition == Edition::Original)
        return webSteelStrength(steelGrade);
    const std::pair<const char *, int> strengths[] = {{"Q235", 215}, {"Q345", 305}, {"Q390", 345}, {"Q420", 375}};
    for (const auto &[grade, f] : strengths) {
        if (steelGrade == grade)
            return f;
    }
    return 0;
}

std::string hundredthsRoundedUp(double ratio)
{
    // ratio × 100 rounded up, then set right where that product's own
    // rounding moved it across a whole hundredth.
    double hundredths = std::ceil(ratio * 100);
    if ((hundredths - 1) / 100 >= ratio)
        hundredths -= 1;
    else if (hundredths / 100 < ratio)
        hundredths += 1;
    char digits[400];
    std::snprintf(digits, sizeof digits, "%03.0f", hundredths);
    const std::string whole = digits;  // at least three digits
    return whole.substr(0, whole.size() - 2) + "." + whole.substr(whole.size() - 2);
}

std::string currentBoltsSatisfiedLine(const std::string &ratioText)
{
    return "一.螺栓的抗拉及抗剪承载力均满足要求（Nv/Nvb+Nt/Ntb=" + ratioText + "≤1.0）.";
}

std::string currentCombinedFailureLine(const std::string &ratioText)
{
    return "一.螺栓抗拉承载力满足要求，但拉剪共同作用不满足要求（Nv/Nvb+Nt/Ntb=" + ratioText
        + ">1.0），请调整螺栓的布置.";
}

namespace {

bool fitsSinglePrecision(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

}  // namespace

BoltConnectionResult computeBoltConnection(const BoltConnectionInput &in)
{
    BoltConnectionResult r;

    // 1. Amplification of the internal forces, taken by their size: the
    // connection is symmetric about its centre line, so a reversed moment
    // loads the other outer row the same way, and the shear's direction
    // does not matter.
    const double Md = std::fabs(in.M * in.amplification);  // kN·m
    const double Vd = std::fabs(in.V * in.amplification);  // kN

    // 2. Row distances from the centre line, mm.
    const double y1 = in.e1;
    const double y2 = in.e1 + in.e2;
    const double y3 = (in.e1 + in.e2) + in.e3;
    const double y4 = ((in.e1 + in.e2) + in.e3) + 2 * in.ef;
    double d2, d3;
    int n;  // number of bolts
    switch (in.rows) {
    // A layout to a line.
    // clang-format off
    case 4: d2 = 0; d3 = 0; n = 8; break;
    case 6: d2 = y2; d3 = 0; n = 12; break;
    case 8: d2 = y2; d3 = y3; n = 16; break;
    // clang-format on
    default: return r;
    }
    const bool current = in.edition == Edition::Current;
    if (current && in.surfaceTreatment == SurfaceTreatment::WireBrushed && in.steelGrade == "Q420") {
        r.message = kQ420WireBrushedMessage;
        return r;
    }
    if (!current
        && (!fitsSinglePrecision(Md) || !fitsSinglePrecision(y1) || !fitsSinglePrecision(d2) || !fitsSinglePrecision(d3)
            || !fitsSinglePrecision(y4)))
        return r;

    // 3. Tension of one bolt of the outermost row, N: the original edition
    // takes the moment and the distances in single precision.
    const double Nt1 = current ? boltTension(Md, y1, d2, d3, y4)
                               : nt1_jisuan(static_cast<float>(Md), static_cast<float>(y1), static_cast<float>(d2),
                                            static_cast<float>(d3), static_cast<float>(y4));
    // 4. Shear per bolt, kN.
    const double Nv1 = Vd / n;
    // 5. Tension of one bolt of the row at e1 + e2, kN.
    const double nt2 = in.rows == 4 ? 0.0 : ((Nt1 * y2) / y4) / 1000;
    // 6. Table look-ups: the original edition's slip coefficient in single
    // precision, the current one's as tabulated.
    const int P = boltPretension(in.boltSize, in.boltGrade);  // kN
    const double mu = current ? slipCoefficient(in.surfaceTreatment, in.steelGrade, in.edition)
                              : slipCoefficient(in.surfaceTreatment, in.steelGrade);
    const int f = webSteelStrength(in.steelGrade, in.edition);  // N/mm²
    // 7. Slip-resistant shear capacity of one bolt, N: the original edition's
    // under Nt1; the current edition's, Nvb, without the tension, which
    // step 9 takes with it.
    const double Nvb = 0.9 * kHoleFactor * kFrictionPlanes * mu * P;  // kN
    const double Nbv1 = current ? Nvb * 1000 : (0.9 * mu) * (1000.0 * P - 1.25 * Nt1);
    // 8. Web check on the larger of nt2 and 0.4P, kN -> N/mm².
    const double Nw = nt2 <= 0.4 * P ? 0.4 * P : nt2;
    const double sigma = ((Nw * 1000) / in.ew) / in.tw;
    // 9. The current edition: shear and tension of the bolt together, kN over kN.
    const double tensionLimit = 0.8 * P;
    const double ratio = current ? Nv1 / Nvb + std::max(Nt1 / 1000, 0.0) / tensionLimit : 0;

    // An entry beyond the double range ("1e999") has no result either, even
    // where a division would turn it into a finite 0.
    if (!allFinite({in.e1, in.e2, in.e3, in.ef, in.ew, in.tw, in.M, in.V, in.amplification}))
        return r;
    if (!allFinite({Md, Vd, Nt1, Nv1, nt2, Nbv1, Nw, sigma, Nt1 / 1000, Nbv1 / 1000, ratio, ratio * 100}))
        return r;

    if (current) {
        // 9. Tension first, equality passing; then both together.
        r.webSatisfied = sigma <= f;
        r.tensionSatisfied = Nt1 / 1000 <= tensionLimit;
        r.shearSatisfied = r.tensionSatisfied && ratio <= 1;
        r.ratio = ratio;
        r.ratioText = hundredthsRoundedUp(ratio);
        r.verdict.reserve(2);
        r.verdict.push_back(!r.tensionSatisfied     ? std::string(kCurrentTensionFailureLine)
                                : !r.shearSatisfied ? currentCombinedFailureLine(r.ratioText)
                                                    : currentBoltsSatisfiedLine(r.ratioText));
        r.verdict.emplace_back(r.webSatisfied ? kWebSatisfiedLine : kWebFailureLine);
    } else {
        r.webSatisfied = sigma < f;
        // 9. Bolt check, first rule that holds.
        r.tensionSatisfied = Nt1 / 1000 < tensionLimit;               // equality fails
        r.shearSatisfied = r.tensionSatisfied && Nbv1 / 1000 >= Nv1;  // equality passes
        // 10. Both lines, always.
        r.verdict.reserve(2);
        r.verdict.emplace_back(!r.tensionSatisfied     ? kTensionFailureLine
                                   : !r.shearSatisfied ? kShearFailureLine
                                                       : kBoltsSatisfiedLine);
        r.verdict.emplace_back(r.webSatisfied ? kWebSatisfiedLine : kWebFailureLine);
    }

    r.computable = true;
    r.y1 = y1;
    r.y2 = d2;
    r.y3 = d3;
    r.y4 = y4;
    r.Nt1 = Nt1;
    r.Nv1 = Nv1;
    r.Nbv1 = Nbv1;
    r.P = P;
    r.nt2 = nt2;
    r.mu = mu;
    r.Nw = Nw;
    r.sigma = sigma;
    r.f = f;
    r.tensionLimit = tensionLimit;
    r.Nt1Text = displayDouble(Nt1 / 1000);
    r.Nv1Text = displayDouble(Nv1);
    r.Nbv1Text = displayDouble(current ? Nvb : Nbv1 / 1000);
    r.PText = std::to_string(P);
    r.nt2Text = displayDouble(nt2);
    r.muText = current ? displayDouble(mu) : displaySingle(static_cast<float>(mu));
    return r;
}

}  // namespace morvane
