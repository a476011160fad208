// Slenderness and stability coefficient with arbitrary numbers and texts.
// The warning is the first failing check; `hasSlenderness` is false exactly
// as documented (then 0 and an empty text, the warning kept): for a zero or
// negative I·10000/A after the adjustment, A = 0, or a value beyond the
// double range, and true for ordinary sizes after the adjustment.
// `hasResult` is false for any text but the three classes and for a
// slenderness beyond the double range, true for the classes with an
// ordinary slenderness; φ is shown in the double display up to λn 0.215
// and in "#.####" above. Under the current edition Q420 and Q460 and class
// d are listed too, λn takes π as 3.14, and φ is shown to three decimals.

#include "fuzzcheck.h"
#include "stability.h"

#include <cmath>

using fuzzcheck::require;

namespace {

void checkCoefficientText(const std::string &text, double phi, double lambdaN, const char *what)
{
    fuzzcheck::requireNumberText(text, what);
    if (lambdaN <= 0.215) {
        require(text[0] != '.' && text.back() != '.', what, "double display \"" + text + "\"");
        fuzzcheck::requireReadsBack(text, phi, 5e-15, what);
        return;
    }
    const auto point = text.find('.');
    require(text == "0"
                || (point != std::string::npos && text.size() - point - 1 <= 4 && text.rfind("0", 0) != 0
                    && text.rfind("-0", 0) != 0),
            what, "pattern #.#### \"" + text + "\"");
    const long double back = fuzzcheck::readBack(text);
    require(std::fabs(back - phi) <= 0.0000500001 + std::fabs(phi) * 6e-15, what,
            "\"" + text + "\" for " + fuzzcheck::show(phi));
}

void checkCoefficient(const morvane::StabilityCoefficient &c, double lambdaN, const char *what)
{
    if (!c.computable) {
        require(c.value == 0 && c.text.empty(), what, "not computable: 0 and an empty text");
        return;
    }
    require(std::isfinite(c.value), what, "finite value");
    checkCoefficientText(c.text, c.value, lambdaN, what);
}

void checkSlenderness(fuzzcheck::Input &in)
{
    morvane::SlendernessInput input;
    input.length = in.number();
    input.inertia = in.number();
    input.sectionArea = in.number();
    const morvane::SlendernessResult r = morvane::computeSlenderness(input);

    double I = input.inertia, A = input.sectionArea;
    using enum morvane::SlendernessWarning;
    morvane::SlendernessWarning warning = None;
    std::string warningText;
    if (input.length <= 0) {
        warning = Length;
        warningText = morvane::kLengthWarning;
    } else if (I <= 0) {
        warning = Inertia;
        warningText = morvane::kInertiaWarning;
        I += 1;
    } else if (A <= 0) {
        warning = Area;
        warningText = morvane::kAreaWarning;
        A += 1;
    }
    require(r.warning == warning && r.warningText == warningText, "the first failing check warns", r.warningText);

    if (!r.hasSlenderness) {
        require(r.slenderness == 0 && r.slendernessText.empty(), "no slenderness: 0 and an empty text");
    } else {
        require(std::isfinite(r.slenderness), "a finite slenderness");
        fuzzcheck::requireNumberText(r.slendernessText, "slendernessText");
        fuzzcheck::requireReadsBack(r.slendernessText, r.slenderness, 5e-15, "slendernessText");
    }
    if (A == 0 || !(I * 10000 / A > 0) || !std::isfinite(input.length) || !std::isfinite(input.inertia)
        || !std::isfinite(input.sectionArea))
        require(!r.hasSlenderness, "no slenderness from A = 0, I·10000/A <= 0 or a value beyond the range");
    if (fuzzcheck::ordinary({input.length}, 0, 1e9) && fuzzcheck::ordinary({I, A}, 1e-3, 1e9) && I > 0 && A > 0)
        require(r.hasSlenderness, "a slenderness for ordinary sizes after the adjustment");
}

// φ to three decimals, as the current edition's tables give it.
void checkThreeDecimals(const std::string &text, double phi)
{
    const auto point = text.find('.');
    require(point != std::string::npos && point > 0 && point + 4 == text.size()
                && text.find_first_not_of("0123456789.", text[0] == '-' ? 1 : 0) == std::string::npos,
            "φ to three decimals", text);
    require(std::fabs(fuzzcheck::readBack(text) - phi) <= 0.0005000001 + std::fabs(phi) * 6e-15, "φ to three decimals",
            "\"" + text + "\" for " + fuzzcheck::show(phi));
}

morvane::StabilityInput stabilityInput(fuzzcheck::Input &in)
{
    morvane::StabilityInput input;
    input.steelGrade = in.text({"Q235", "Q345", "Q390", "Q420", "Q460"});
    input.sectionClass = in.text({"a类", "b类", "c类", "d类"});
    input.slenderness = in.number();
    return input;
}

void checkStability(const morvane::StabilityInput &input)
{
    const morvane::StabilityResult r = morvane::computeStability(input);
    const bool current = input.edition == morvane::Edition::Current;

    const double fy = input.steelGrade == "Q235" ? 235
        : input.steelGrade == "Q345"             ? 345
        : input.steelGrade == "Q390"             ? 390
        : input.steelGrade == "Q420" && current  ? 420
        : input.steelGrade == "Q460" && current  ? 460
                                                 : 0;
    require(r.yieldStrength == fy, "fy by grade");
    require(std::isfinite(r.normalisedSlenderness), "λn finite or 0");
    if (std::isfinite(input.slenderness))
        require(r.normalisedSlenderness
                        == std::sqrt(fy / morvane::kSteelElasticModulus) * input.slenderness
                            / (current ? morvane::kCurrentStabilityPi : morvane::kStabilityPi)
                    || !std::isfinite(std::sqrt(fy / morvane::kSteelElasticModulus) * input.slenderness),
                "λn with the edition's π");
    const bool listedClass = fuzzcheck::listed(input.sectionClass, {"a类", "b类", "c类"})
        || (current && input.sectionClass == "d类");
    if (!r.hasResult) {
        require(r.coefficient == 0 && r.coefficientText.empty(), "no result: 0 and an empty text");
    } else {
        require(std::isfinite(r.coefficient), "a finite φ");
        if (current)
            checkThreeDecimals(r.coefficientText, r.coefficient);
        else
            checkCoefficientText(r.coefficientText, r.coefficient, r.normalisedSlenderness, "coefficientText");
    }
    if (!listedClass || !std::isfinite(input.slenderness))
        require(!r.hasResult, "no result for another class text or a slenderness beyond the range");
    if (listedClass && fuzzcheck::ordinary({input.slenderness}, 0, 1e6))
        require(r.hasResult, "a result for a class and an ordinary slenderness");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    checkSlenderness(in);
    morvane::StabilityInput stability = stabilityInput(in);

    const double alpha1 = in.number(), alpha2 = in.number(), alpha3 = in.number(), lambdaN = in.number();
    // Read last, so that the inputs found before the current edition keep their meaning.
    stability.edition = in.flag() ? morvane::Edition::Current : morvane::Edition::Original;
    checkStability(stability);
    checkCoefficient(morvane::ablei(alpha1, alpha2, alpha3, lambdaN), lambdaN, "ablei");
    checkCoefficient(morvane::clei(alpha1, lambdaN), lambdaN, "clei");
    return 0;
}
