#pragma once
// The stability window's inputs as it shows them, read into the input
// records as its two "计算" buttons read them: by the window at each click,
// and from a calculation file or a spreadsheet row without a window.
// Standard library only.

#include "edition.h"
#include "inputtexts.h"
#include "stability.h"

namespace morvane {

// The slenderness's input record, from "length", "inertia" and "sectionArea".
SlendernessInput slendernessInput(const InputTexts &texts, Edition edition);

// The coefficient's input record, from "steelGrade", "sectionClass" and
// the slenderness box's text "slenderness", for the codes of that edition.
StabilityInput stabilityInput(const InputTexts &texts, Edition edition);

// True when the slenderness box's text gives a slenderness, not blanks
// only: then the coefficient's "计算" needs no slenderness computed first.
bool holdsSlenderness(std::string_view text);

}  // namespace morvane
