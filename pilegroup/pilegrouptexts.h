#pragma once
// The pile group's inputs as the window shows them, read into the input
// record as "计算" reads them: by the window at each click, and from a
// calculation file or a spreadsheet row without a window.
// Standard library only.

#include "inputtexts.h"
#include "pilegroup.h"

namespace morvane {

// The input record from the texts by input name ("L", "B", "H",
// "capDepth", "pileCapacity", "concreteWeight", "soilWeight",
// "pileCountText").
PileGroupInput pileGroupInput(const InputTexts &texts);

// The check "计算" makes after the boxes' own: the cap's underside no
// higher than its top is deep (kCapDepthMessage when it is).
bool capDepthAboveCapTop(double capDepth, double capHeight);

}  // namespace morvane
