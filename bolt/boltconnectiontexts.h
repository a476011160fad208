#pragma once
// The bolt connection's inputs as the window shows them, read into the
// input record as "计算" reads them: by the window at each click, and from
// a calculation file or a spreadsheet row without a window.
// Standard library only.

#include "boltconnection.h"
#include "edition.h"
#include "inputtexts.h"

#include <string_view>

namespace morvane {

// The number of bolt rows a layout text stands for ("四排" 4, "六排" 6, "八排" 8); 0 for any other text.
int rowCount(std::string_view layout);

// The spacings a layout has: e2 from six rows on, e3 with eight. The
// window empties and locks the box of a spacing its layout lacks.
bool layoutHasE2(int rows);
bool layoutHasE3(int rows);

// The input record from the texts by input name ("rows", "e1" … "tw", "M",
// "V", "amplification", "steelGrade", "boltSize", "boltGrade",
// "surfaceTreatment"), for the codes of that edition.
BoltConnectionInput boltConnectionInput(const InputTexts &texts, Edition edition);

}  // namespace morvane
