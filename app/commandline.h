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
// so that they answer in a terminal too; returns true then, and the program
// must not go on to its main window (see noDisplayMessage). Called before
// QApplication is made.
bool answerWithoutDisplay(int argc, const char *const argv[]);

// What the program says, on standard error, when it was asked to show its
// window with no graphical session.
QString noDisplayMessage();

// Answers the program's own options in what QApplication left of the command
// line: --help and --version print their text on standard output, an unknown
// option or a stray argument prints an error on standard error. Returns the
// exit code when the program ends there, nothing when it goes on to its main
// window.
std::optional<int> handleCommandLine(const QStringList &arguments);

}  // namespace morvane
