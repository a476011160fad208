#pragma once
// The calculation book of the column reinforcement window: the inputs read
// at "计算", the steel and section areas with their figures, the ratio
// shown, the 3 % check, the two-line report and the closing sentence.
// Standard library only.

#include "calcbook.h"
#include "column.h"

namespace morvane {

// The book of one click of "计算": `result` is what computeColumnRatio gave
// for `input`.
CalcBook describeColumnRatio(const ColumnInput &input, const ColumnResult &result);

}  // namespace morvane
