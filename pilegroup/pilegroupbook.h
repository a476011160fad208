#pragma once
// The calculation book of the pile group window: the inputs read at "计算",
// the weights deducted and the capacity shown. Standard library only.

#include "calcbook.h"
#include "pilegroup.h"

namespace morvane {

// The book of one click of "计算": `result` is what computePileGroup gave
// for `input`.
CalcBook describePileGroup(const PileGroupInput &input, const PileGroupResult &result);

}  // namespace morvane
