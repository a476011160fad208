#include "stability.h"

#include "numbers.h"

#include <cmath>

namespace morvane {

namespace {

// φ = 1 − α1·λn², for λn up to 0.215, shown in double-precision display.
StabilityCoefficient stockyCoefficient(double alpha1, double lambdaN)
{
    StabilityCoefficient c;
    const double phi = 1 - alpha1 * (lambdaN * lambdaN);
    if (!std::isfinite(phi))
        return c;
    c.computable = true;
    c.value = phi;
    c.text = displayDouble(phi);
    return c;
}

// φ = (q − √(q² − 4λn²)) / (2λn²), q = α2 + α3·λn + λn², for λn above
// 0.215, shown in the pattern "#.####".
StabilityCoefficient slenderCoefficient(double alpha2, double alpha3, double lambdaN)
{
    StabilityCoefficient c;
    const double lambdaN2 = lambdaN * lambdaN;
    const double q = alpha3 * lambdaN + alpha2 + lambdaN2;
    const double root = std::sqrt(q * q - 4 * lambdaN2);
    const double phi = (q - root) / (2 * lambdaN2);
    if (!allFinite({q, root, phi}))
        return c;
    c.computable = true;
    c.value = phi;
    c.text = formatFourDecimals(phi);
    return c;
}

}  // namespace

SlendernessResult computeSlenderness(const SlendernessInput &in)
{
    SlendernessResult r;
    double L = in.length;
    double I = in.inertia;      // 10^4 mm^4
    double A = in.sectionArea;  // mm^2

    // 1. Only the first failing check warns, and only its value is raised by 1.
    if (L <= 0) {
        r.warning = SlendernessWarning::Length;
        r.warningText = kLengthWarning;
    } else if (I <= 0) {
        r.warning = SlendernessWarning::Inertia;
        r.warningText = kInertiaWarning;
        I = I + 1;
    } else if (A <= 0) {
        r.warning = SlendernessWarning::Area;
        r.warningText = kAreaWarning;
        A = A + 1;
    }

    const double radius = std::sqrt(I * 10000 / A);  // mm, radius of gyration
    const double lambda = L / radius;
    if (!allFinite({radius, lambda}))
        return r;
    r.hasSlenderness = true;
    r.radius = radius;
    r.slenderness = lambda;
    r.slendernessText = displayDouble(lambda);
    return r;
}

double yieldStrength(const std::string &steelGrade, Edition edition)
{
    if (steelGrade == "Q235")
        return 235;
    if (steelGrade == "Q345")
        return 345;
    if (steelGrade == "Q390")
        return 390;
    if (edition == Edition::Current && steelGrade == "Q420")
        return 420;
    if (edition == Edition::Current && steelGrade == "Q460")
        return 460;
    return 0;
}

bool isSectionClass(const std::string &text, Edition edition)
{
    return text == "a类" || text == "b类" || text == "c类" || (edition == Edition::Current && text == "d类");
}

StabilityRefusal stabilityRefusal(std::string_view slendernessText, const std::string &steelGrade,
                                  const std::string &sectionClass, Edition edition)
{
    // Blanks are what the number reading skips: space, tab, line feed and
    // the ideographic space.
    std::string_view rest = slendernessText;
    while (!rest.empty()) {
        if (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\n')
            rest.remove_prefix(1);
        else if (rest.starts_with("\xE3\x80\x80"))  // U+3000 in UTF-8
            rest.remove_prefix(3);
        else
            break;
    }
    if (rest.empty())
        return StabilityRefusal::NoSlenderness;
    if (parseLeadingNumber(slendernessText) < 0)
        return StabilityRefusal::NegativeSlenderness;
    if (yieldStrength(steelGrade, edition) == 0)
        return StabilityRefusal::UnlistedSteel;
    if (!isSectionClass(sectionClass, edition))
        return StabilityRefusal::UnlistedClass;
    return StabilityRefusal::None;
}

const char *refusalMessage(StabilityRefusal refusal, Edition edition)
{
    const bool current = edition == Edition::Current;
    switch (refusal) {
    case StabilityRefusal::None: break;
    case StabilityRefusal::NoSlenderness: return kNoSlendernessMessage;
    case StabilityRefusal::NegativeSlenderness: return kNegativeSlendernessMessage;
    case StabilityRefusal::UnlistedSteel: return current ? kCurrentStabilitySteelMessage : kStabilitySteelMessage;
    case StabilityRefusal::UnlistedClass:
        if (current)
            return kCurrentStabilityClassMessage;
        return kStabilityClassMessage;
    }
    return "";
}

StabilityCoefficient ablei(double alpha1, double alpha2, double alpha3, double lambdaN)
{
    if (lambdaN <= kStockyLimit)
        return stockyCoefficient(alpha1, lambdaN);
    return slenderCoefficient(alpha2, alpha3, lambdaN);
}

StabilityCoefficient clei(double alpha1, double lambdaN)
{
    if (lambdaN <= kStockyLimit)
        return stockyCoefficient(alpha1, lambdaN);
    if (lambdaN <= kClassCBand)
        return slenderCoefficient(kClassC.alpha2, kClassC.alpha3, lambdaN);
    return slenderCoefficient(kClassCAboveBand.alpha2, kClassCAboveBand.alpha3, lambdaN);
}

std::optional<SectionAlphas> sectionAlphas(const std::string &sectionClass, double lambdaN, Edition edition)
{
    if (!isSectionClass(sectionClass, edition))
        return std::nullopt;
    const bool aboveBand = lambdaN > kClassCBand;  // the band of classes c and d
    if (sectionClass == "a类")
        return kClassA;
    if (sectionClass == "b类")
        return kClassB;
    if (sectionClass == "c类")
        return aboveBand ? kClassCAboveBand : kClassC;
    return aboveBand ? kClassDAboveBand : kClassD;
}

StabilityResult computeStability(const StabilityInput &in)
{
    StabilityResult r;

    const bool current = in.edition == Edition::Current;

    // 2. Yield strength by grade.
    r.yieldStrength = yieldStrength(in.steelGrade, in.edition);

    // 3. Normalised slenderness λn = λ·√(fy/E)/π, π as the edition takes it.
    const double pi = current ? kCurrentStabilityPi : kStabilityPi;
    const double lambdaN = std::sqrt(r.yieldStrength / kSteelElasticModulus) * in.slenderness / pi;
    if (!std::isfinite(lambdaN))
        return r;
    r.normalisedSlenderness = lambdaN;

    // 4. Section class; class d by its band of λn as class c.
    StabilityCoefficient c;
    if (in.sectionClass == "a类")
        c = ablei(kClassA.alpha1, kClassA.alpha2, kClassA.alpha3, lambdaN);
    else if (in.sectionClass == "b类")
        c = ablei(kClassB.alpha1, kClassB.alpha2, kClassB.alpha3, lambdaN);
    else if (in.sectionClass == "c类")
        c = clei(kClassC.alpha1, lambdaN);
    else if (current && in.sectionClass == "d类") {
        const SectionAlphas d = *sectionAlphas(in.sectionClass, lambdaN, in.edition);
        c = ablei(d.alpha1, d.alpha2, d.alpha3, lambdaN);
    } else {
        return r;
    }
    if (!c.computable)
        return r;
    r.hasResult = true;
    r.coefficient = c.value;
    r.coefficientText = current ? formatThreeDecimals(c.value) : c.text;
    return r;
}

}  // namespace morvane
