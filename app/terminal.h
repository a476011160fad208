#pragma once
// What the command line needs of the standard streams, the one place that
// differs between Windows and the others.

namespace morvane {

// True when standard error goes to a terminal, where a line may be
// rewritten in place; false for a file or a pipe.
bool standardErrorIsTerminal();

// Standard input and output pass bytes unchanged (on Windows they would
// otherwise turn line feeds into CR LF).
void useBinaryStandardStreams();

}  // namespace morvane
