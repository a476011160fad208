#include "appicon.h"
#include "controls.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName("Morvane");
    morvane::applyApplicationLook(app);
    app.setWindowIcon(morvane::programIcon());

    morvane::Form1 mainWindow;
    mainWindow.show();
    return app.exec();
}
