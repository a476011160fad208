#pragma once
// The calculation book of the stability window. The window computes in two
// steps, each by its own "计算": the slenderness from L, I and A, then the
// stability coefficient from the steel, the section class and the
// slenderness read back from its box, which the first step fills or the
// user types. The book may be asked for after either, so it is made of the
// runs that gave the figures shown, either of which may be missing: the
// slenderness part, then the coefficient part. Standard library only.

#include "calcbook.h"
#include "stability.h"

#include <optional>

namespace morvane {

// One click of the slenderness "计算": its input and computeSlenderness's result.
struct SlendernessRun {
    SlendernessInput input;
    SlendernessResult result;
};

// One click of the coefficient "计算": its input and computeStability's
// result, or why the window refused to compute (then `result` is left empty).
// `source` is the slenderness run whose text the slenderness box still held
// at the click; none when the slenderness was typed, or left from a run
// whose inputs were edited since.
struct StabilityRun {
    StabilityInput input;
    StabilityResult result;
    StabilityRefusal refusal = StabilityRefusal::None;
    std::optional<SlendernessRun> source;
};

// The book of the figures the window shows, each by the steps that gave it:
// `shownSlenderness` is the run whose slenderness the box still shows (none
// when the box was typed into or emptied since), `stability` the last click
// of the coefficient "计算". The slenderness a coefficient was computed
// from is a step of the book when a run gave it, and an input when typed.
CalcBook describeStability(const std::optional<SlendernessRun> &shownSlenderness,
                           const std::optional<StabilityRun> &stability);

}  // namespace morvane
