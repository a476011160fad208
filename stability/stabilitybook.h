#pragma once
// The calculation book of the stability window. The window computes in two
// steps, each by its own "计算": the slenderness from L, I and A, then the
// stability coefficient from the steel, the section class and the
// slenderness read back from its box, which the first step fills or the
// user types. The book may be asked for after either, so it is made of the
// last run of each step the window has made, either of which may be missing:
// the slenderness part, then the coefficient part with the slenderness as
// that step read it. Standard library only.

#include "calcbook.h"
#include "stability.h"

#include <optional>

namespace morvane {

// One click of the slenderness "计算": its input and computeSlenderness's result.
struct SlendernessRun {
    SlendernessInput input;
    SlendernessResult result;
};

// One click of the coefficient "计算" that reached the calculation or its
// refusal of an unlisted steel (then `result` may be left empty); a click
// with no section class changes nothing and is no run.
struct StabilityRun {
    StabilityInput input;
    StabilityResult result;
};

CalcBook describeStability(const std::optional<SlendernessRun> &slenderness,
                           const std::optional<StabilityRun> &stability);

}  // namespace morvane
