#include "endplate.h"

#include "numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

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

std::optional<StrengthGroup> plateStrengthGroup(std::string_view steelGrade, int group)
{
    struct Grade {
        const char *name;
        int count;
        StrengthGroup groups[4];
    };
    static constexpr Grade grades[] = {
        {"Q235", 2, {{16, 40, 205}, {40, 100, 200}}},
        {"Q345", 4, {{16, 40, 295}, {40, 63, 290}, {63, 80, 280}, {80, 100, 270}}},
        {"Q390", 3, {{16, 40, 330}, {40, 63, 310}, {63, 100, 295}}},
        {"Q420", 3, {{16, 40, 355}, {40, 63, 320}, {63, 100, 305}}},
    };
    for (const Grade &grade : grades) {
        if (steelGrade == grade.name)
            return group >= 0 && group < grade.count ? std::optional(grade.groups[group]) : std::nullopt;
    }
    return std::nullopt;
}

double leastPlateThickness(std::string_view boltSize)
{
    static constexpr std::pair<const char *, int> diameters[] = {{"M16", 16}, {"M20", 20}, {"M22", 22},
                                                                 {"M24", 24}, {"M27", 27}, {"M30", 30}};
    for (const auto &[size, d] : diameters) {
        if (boltSize == size)
            return std::max(16.0, 0.8 * d);
    }
    return 16;
}

namespace {

// A class thickness, mm: the square root of `squared`, rounded to single
// precision where asked; nothing when the root is not a finite number (in
// single precision where asked).
std::optional<double> rootThickness(double squared, bool singlePrecision)
{
    if (!std::isfinite(squared) || squared < 0)
        return std::nullopt;
    const double root = std::sqrt(squared);
    if (!singlePrecision)
        return root;
    if (root > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(root);
}

}  // namespace

EndPlateResult computeEndPlate(const EndPlateInput &in)
{
    EndPlateResult r;
    const bool current = in.edition == Edition::Current;

    // 1. Plate steel strength and bolt pretension.
    const std::optional<int> strength = steelStrength(in.steelGrade);
    const int P = boltPretension(in.boltSize, in.boltGrade);  // kN

    // 2. Design tensile capacity of one bolt; the original edition rounds it
    //    to single precision.
    if (current)
        r.Ntb = 0.8 * P;
    else
        r.Ntb = static_cast<float>(0.8 * P);
    r.NtbText = current ? displayDouble(r.Ntb) : displaySingle(static_cast<float>(r.Ntb));

    const bool anyClass = in.cantilever || in.noStiffener || in.twoSide || in.threeSide;
    if (anyClass && !strength) {
        r.message = kUnlistedSteelMessage;
        return r;
    }

    // 3. Class thicknesses with the plate strength f, each from its own
    //    formula read left to right; 1000 turns kN into N. An unticked class
    //    counts as 0. The original edition rounds each to single precision.
    const double Ntb = r.Ntb;
    double f = anyClass ? *strength : 0;
    if (current && anyClass) {  // first that of a plate of 16 to 40 mm
        f = plateStrengthGroup(in.steelGrade, 0)->f;
        r.strengthFrom = 16;
        r.strengthTo = 40;
    }
    const double b = in.b, bs = in.bs, a = in.a, ef = in.ef, ew = in.ew;
    double governing = 0;
    bool inRange = true;
    auto take = [&](double &classThickness, std::initializer_list<double> lengthsRead, double squared) {
        const std::optional<double> t = allFinite(lengthsRead) ? rootThickness(squared, !current) : std::nullopt;
        if (!t) {
            inRange = false;
            return;
        }
        classThickness = *t;
        if (*t > governing)  // 4. the largest governs
            governing = *t;
    };
    auto classThicknesses = [&] {
        governing = 0;
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
            take(r.threeSideThickness, {b, bs, ef, ew},
                 6 * ef * ew * 1000 * Ntb / f / (ew * (b + 2 * bs) + 4 * (ef * ef)));
    };
    classThicknesses();
    // The current edition: a plate that comes out thicker than the strength
    // taken allows is computed again with the strength of its thickness,
    // until it stays in its group; beyond 100 mm the table has none.
    while (current && inRange && governing > r.strengthTo) {
        std::optional<StrengthGroup> thicker;
        for (int group = 1; (thicker = plateStrengthGroup(in.steelGrade, group)) && governing > thicker->to; ++group) {
        }
        if (!thicker) {
            inRange = false;
            break;
        }
        f = thicker->f;
        r.strengthFrom = thicker->from;
        r.strengthTo = thicker->to;
        classThicknesses();
    }
    if (!inRange) {
        r.cantileverThickness = r.noStiffenerThickness = r.twoSideThickness = r.threeSideThickness = 0;
        return r;
    }

    // 5. Never thinner than 16 mm, under the current edition nor than 0.8
    //    times the bolt diameter.
    r.hasThickness = true;
    r.f = static_cast<int>(f);
    if (current) {
        r.leastThickness = leastPlateThickness(in.boltSize);
        r.thickness = governing <= r.leastThickness ? r.leastThickness : governing;
        r.thicknessText = "此端板的最小厚度为" + displaySignificant(r.thickness, 7) + "mm";
    } else {
        r.thickness = governing <= 16.0f ? 16.0f : governing;
        r.thicknessText = "此端板的最小厚度为" + displaySingle(static_cast<float>(r.thickness)) + "mm";
    }
    return r;
}

}  // namespace morvane
