#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace morvane {

// The widget style the user chose with Qt's -style option ("-style NAME",
// "-style=NAME", also with two dashes), else by QT_STYLE_OVERRIDE; empty when
// none. Read from the arguments before QApplication takes Qt's own options
// away, so that the program's look does not overrule the choice.
QString chosenStyle(int argc, const char *const argv[]);

// --help and --version only print, so they need no display: when one of them
// is asked for and no platform is set, Qt's offscreen platform is chosen,
// which lets them answer in a terminal without a graphical session too.
// Called before QApplication is made.
void answerWithoutDisplay(int argc, const char *const argv[]);

// Answers the program's own options in what QApplication left of the command
// line: --help and --version print their text on standard output, an unknown
// option or a stray argument prints an error on standard error. Returns the
// exit code when the program ends there, nothing when it goes on to its main
// window.
std::optional<int> handleCommandLine(const QStringList &arguments);

}  // namespace morvane
