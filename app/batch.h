#pragma once
// The calculations from the command line, with no window and no display:
//
//   morvane book FILE.mvcalc -o OUT [--edition original|current]
//   morvane batch CALCULATOR IN.csv -o OUT.csv [--book-dir DIR] [--edition original|current]
//   morvane batch CALCULATOR --template [-o OUT.csv]
//
// `book` writes the calculation book of a calculation file; `batch`
// computes each row of a spreadsheet (CSV) and writes the rows with their
// results. Both compute as the windows' "计算" does (cases.h). Exit status:
// 0 when everything computed, 1 when a batch had rows refused (the others
// computed), 2 when nothing could be computed: a file that cannot be read
// or written, an input refused, a command line refused.

#include <optional>

namespace morvane {

// When the command line starts with "book" or "batch", runs that command
// and returns its exit status; nothing otherwise. Called first in main(),
// before any application object: it makes its own, on the offscreen
// platform, so that it runs with no display at all.
std::optional<int> runCalculationCommand(int argc, char *argv[]);

}  // namespace morvane
