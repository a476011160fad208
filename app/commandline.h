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

// --help, --version and a refused command line only print, so they need no
// display. When no platform is chosen (-platform, QT_QPA_PLATFORM) and there
// is no graphical session to show a window in (on X11 and Wayland systems:
// neither DISPLAY nor WAYLAND_DISPLAY), Qt's offscreen platform is chosen,
// so that they answer in a terminal too; returns true then, for
// handleCommandLine. Called before QApplication is made.
bool answerWithoutDisplay(int argc, const char *const argv[]);

// Answers the program's own options in what QApplication left of the command
// line: --help and --version print their text on standard output, an unknown
// option prints an error on standard error, and so does a start with no
// display to show the main window on. Returns the exit code when the program
// ends there, nothing when it goes on to its main window; `files` then takes
// the calculation files named, to open each in its window.
std::optional<int> handleCommandLine(const QStringList &arguments, bool noDisplay, QStringList *files = nullptr);

// What --help says of the commands `book` and `batch`, each with an example.
QString calculationCommandsHelp();

}  // namespace morvane
