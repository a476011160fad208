#include "appicon.h"
#include "batch.h"
#include "commandline.h"
#include "controls.h"
#include "mainwindow.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // `morvane book …` and `morvane batch …` compute without a window.
    if (const std::optional<int> status = morvane::runCalculationCommand(argc, argv))
        return *status;
    // Before QApplication takes Qt's own options (-platform, -style) away.
    const QString style = morvane::chosenStyle(argc, argv);
    const bool noDisplay = morvane::answerWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    app.setApplicationName("Morvane");
    app.setApplicationVersion(MORVANE_VERSION);
    app.setDesktopFileName(MORVANE_APP_ID);
    morvane::applyApplicationLook(app);
    if (!style.isEmpty())
        app.setStyle(style);
    QStringList files;
    if (const std::optional<int> exitCode = morvane::handleCommandLine(app.arguments(), noDisplay, &files))
        return *exitCode;
    app.setWindowIcon(morvane::programIcon());

    morvane::MainWindow mainWindow;
    mainWindow.show();
    for (const QString &file : files)
        mainWindow.openFile(file);
    return app.exec();
}
