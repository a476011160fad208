#pragma once
// The calculation book of the end plate window: the inputs read at "计算",
// P and f from their tables, the bolt capacity, each ticked class's
// thickness with its figure, the thickness shown against the 16 mm minimum
// and the closing sentence. Standard library only.

#include "calcbook.h"
#include "endplate.h"

namespace morvane {

// The book of one click of "计算": `result` is what computeEndPlate gave for
// `input`. With a bolt size outside the pretension table the window computes
// nothing, and the book holds the inputs and the reason only.
CalcBook describeEndPlate(const EndPlateInput &input, const EndPlateResult &result);

}  // namespace morvane
