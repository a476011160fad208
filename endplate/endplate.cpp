#include "endplate.h"

#include "numbers.h"

#include <cfloat>
#include <cmath>

namespace morvane {

std::optional<int> steelStrength(std::string_view steelGrade)
{
    if (steelGrade == "Q235")
        return 205;
    if (steelGrade == "Q345")
        return 295;
    if (steelGrade == "Q390")
        return 335;
    if (steelGrade == "Q420")
        return 360;
    return std::nullopt;
}

namespace {

// A class thickness, mm: the square root of `squared` rounded to single
// precision; nothing when the root is not a finite single.
std::optional<float> rootThickness(double squared)
{
    if (!std::isfinite(squared) || squared < 0)
        return std::nullopt;
    const double root = std::sqrt(squared);
    if (root > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(root);
}

}  // namespace

EndPlateResult computeEndPlate(const EndPlateInput &in)
{
    EndPlateResult r;

    // 1. Plate steel strength and bolt pretension.
    const std::optional<int> strength = steelStrength(in.steelGrade);
    const int P = boltPretension(in.boltSize, in.boltGrade);  // kN

    // 2. Design tensile capacity of one bolt, rounded to single precision.
    r.Ntb = static_cast<float>(0.8 * P);
    r.NtbText = displaySingle(r.Ntb);

    const bool anyClass = in.cantilever || in.noStiffener || in.twoSide || in.threeSide;
    if (anyClass && !strength) {
        r.message = kUnlistedSteelMessage;
        return r;
    }

    // 3. Class thicknesses, each from its own formula read left to right;
    //    1000 turns kN into N. An unticked class counts as 0.
    const double Ntb = r.Ntb;
    const double f = anyClass ? *strength : 0;
    const double b = in.b, bs = in.bs, a = in.a, ef = in.ef, ew = in.ew;
    float governing = 0;
    bool inRange = true;
    auto take = [&](float &classThickness, std::initializer_list<double> lengthsRead, double squared) {
        const std::optional<float> t = allFinite(lengthsRead) ? rootThickness(squared) : std::nullopt;
        if (!t) {
            inRange = false;
            return;
        }
        classThickness = *t;
        if (*t > governing)  // 4. the largest governs, compared in single precision
            governing = *t;
    };
    if (in.cantilever)
        take(r.cantileverThickness, {b, ef}, 6 * ef * Ntb * 1000 / b / f);
    if (in.noStiffener)
        take(r.noStiffenerThickness, {a, ew}, 3 * ew * Ntb * 1000 / f / (0.5 * a + ew));
    if (in.twoSide) {
        if (in.plateEnd == PlateEnd::Extended)
            take(r.twoSideThickness, {b, ef, ew}, 6 * ef * ew * 1000 * Ntb / f / (ew * b + 2 * ef * (ef + ew)));
        else
            take(r.twoSideThickness, {b, ef, ew}, 12 * ef * ew * 1000 * Ntb / f / (ew * b + 4 * ef * (ef + ew)));
    }
    if (in.threeSide)
        take(r.threeSideThickness, {b, bs, ef, ew}, 6 * ef * ew * 1000 * Ntb / f / (ew * (b + 2 * bs) + 4 * (ef * ef)));
    if (!inRange) {
        r.cantileverThickness = r.noStiffenerThickness = r.twoSideThickness = r.threeSideThickness = 0;
        return r;
    }

    // 5. Never thinner than 16 mm.
    r.hasThickness = true;
    r.thickness = governing <= 16.0f ? 16.0f : governing;
    r.thicknessText = "此端板的最小厚度为" + displaySingle(r.thickness) + "mm";
    return r;
}

}  // namespace morvane
