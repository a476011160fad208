#include "stabilitytexts.h"

#include "numbers.h"

namespace morvane {

SlendernessInput slendernessInput(const InputTexts &texts, Edition edition)
{
    return {texts.number("length"), texts.number("inertia"), texts.number("sectionArea"), edition};
}

StabilityInput stabilityInput(const InputTexts &texts, Edition edition)
{
    StabilityInput in;
    in.steelGrade = texts.text("steelGrade");
    in.sectionClass = texts.text("sectionClass");
    in.slenderness = texts.number("slenderness");
    in.edition = edition;
    return in;
}

bool holdsSlenderness(std::string_view text)
{
    // Blanks as the coefficient's own refusal of "no slenderness" takes them.
    return stabilityRefusal(text, "Q235", "a类") != StabilityRefusal::NoSlenderness;
}

}  // namespace morvane
