#include "boltconnection.h"

#include "numbers.h"

#include <cfloat>
#include <cmath>

namespace morvane {

double nt1_jisuan(float Md, float y1, float y2, float y3, float y4)
{
    const double sumOfSquares = ((double(y1) * y1 + double(y2) * y2) + double(y3) * y3) + double(y4) * y4;
    // Two bolts per row and both halves of the group: hence the divisor 4.
    // 1 000 000 turns kN·m into N·mm.
    return ((double(Md) * 1000000 * y4) / 4) / sumOfSquares;
}

float slipCoefficient(SurfaceTreatment treatment, const std::string &steelGrade)
{
    int column;  // Q235 | Q345, Q390 | Q420
    if (steelGrade == "Q235")
        column = 0;
    else if (steelGrade == "Q345" || steelGrade == "Q390")
        column = 1;
    else if (steelGrade == "Q420")
        column = 2;
    else
        return 0.0f;
    static constexpr float table[4][3] = {
        {0.45f, 0.50f, 0.50f},  // Blasted
        {0.35f, 0.40f, 0.40f},  // BlastedZincPrimer
        {0.45f, 0.50f, 0.50f},  // BlastedRusted
        {0.30f, 0.35f, 0.40f},  // WireBrushed
    };
    return table[static_cast<int>(treatment)][column];
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
    if (!fitsSinglePrecision(Md) || !fitsSinglePrecision(y1) || !fitsSinglePrecision(d2) || !fitsSinglePrecision(d3)
        || !fitsSinglePrecision(y4))
        return r;

    // 3. Tension of one bolt of the outermost row, N.
    const double Nt1 = nt1_jisuan(static_cast<float>(Md), static_cast<float>(y1), static_cast<float>(d2),
                                  static_cast<float>(d3), static_cast<float>(y4));
    // 4. Shear per bolt, kN.
    const double Nv1 = Vd / n;
    // 5. Tension of one bolt of the row at e1 + e2, kN.
    const double nt2 = in.rows == 4 ? 0.0 : ((Nt1 * y2) / y4) / 1000;
    // 6. Table look-ups.
    const int P = boltPretension(in.boltSize, in.boltGrade);  // kN
    const float mu = slipCoefficient(in.surfaceTreatment, in.steelGrade);
    const int f = webSteelStrength(in.steelGrade);  // N/mm²
    // 7. Slip-resistant shear capacity of one bolt under Nt1, N.
    const double Nbv1 = (0.9 * mu) * (1000.0 * P - 1.25 * Nt1);
    // 8. Web check on the larger of nt2 and 0.4P, kN -> N/mm².
    const double Nw = nt2 <= 0.4 * P ? 0.4 * P : nt2;
    const double sigma = ((Nw * 1000) / in.ew) / in.tw;

    // An entry beyond the double range ("1e999") has no result either, even
    // where a division would turn it into a finite 0.
    if (!allFinite({in.e1, in.e2, in.e3, in.ef, in.ew, in.tw, in.M, in.V, in.amplification}))
        return r;
    if (!allFinite({Md, Vd, Nt1, Nv1, nt2, Nbv1, Nw, sigma, Nt1 / 1000, Nbv1 / 1000}))
        return r;

    r.webSatisfied = sigma < f;
    // 9. Bolt check, first rule that holds.
    const double tensionLimit = 0.8 * P;
    r.tensionSatisfied = Nt1 / 1000 < tensionLimit;               // equality fails
    r.shearSatisfied = r.tensionSatisfied && Nbv1 / 1000 >= Nv1;  // equality passes
    // 10. Both lines, always.
    r.verdict = {!r.tensionSatisfied     ? kTensionFailureLine
                     : !r.shearSatisfied ? kShearFailureLine
                                         : kBoltsSatisfiedLine,
                 r.webSatisfied ? kWebSatisfiedLine : kWebFailureLine};

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
    r.Nbv1Text = displayDouble(Nbv1 / 1000);
    r.PText = std::to_string(P);
    r.nt2Text = displayDouble(nt2);
    r.muText = displaySingle(mu);
    return r;
}

}  // namespace morvane
