#pragma once
// The end plate's inputs as the window shows them, read into the input
// record as "计算" reads them: by the window at each click, and from a
// calculation file or a spreadsheet row without a window.
// Standard library only.

#include "edition.h"
#include "endplate.h"
#include "inputtexts.h"

namespace morvane {

// The input record from the texts by input name ("b", "bs", "a", "ef",
// "ew", "steelGrade", "boltSize", "boltGrade", "cantilever",
// "noStiffener", "twoSide", "threeSide", "plateEnd"), for the codes of
// that edition.
EndPlateInput endPlateInput(const InputTexts &texts, Edition edition);

// Why "计算" computes nothing for these inputs before the calculation
// runs: a bolt size outside the pretension table, which would report a bolt
// of no capacity and the 16 mm floor as a design value (kUnlistedBoltSizeMessage).
// None when it computes.
const char *endPlateRefusal(const EndPlateInput &input);

}  // namespace morvane
