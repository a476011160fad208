#pragma once
// The column's inputs as the window shows them, read into the input record
// as "计算" reads them: by the window at each click, and from a calculation
// file or a spreadsheet row without a window. Standard library only.

#include "column.h"
#include "inputtexts.h"

namespace morvane {

// The input record from the texts by input name ("width", "height",
// "cornerDiameter", "bCount", "bDiameter", "hCount", "hDiameter").
ColumnInput columnInput(const InputTexts &texts);

}  // namespace morvane
