// Writes pictures of the program's windows into a folder, using the
// offscreen platform unless another is asked for:
//   render_windows OUTPUT_FOLDER

#include "appicon.h"
#include "controls.h"
#include "form1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

bool save(QWidget *window, const QDir &folder, const QString &file)
{
    QCoreApplication::processEvents();
    const bool ok = window->grab().save(folder.filePath(file));
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(folder.filePath(file)));
    return ok;
}

void pick(QWidget *window, const char *list, const QString &text)
{
    auto *combo = window->findChild<QComboBox *>(list);
    combo->setCurrentIndex(combo->findText(text));
    emit combo->activated(combo->currentIndex());
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    morvane::applyApplicationLook(app);
    app.setWindowIcon(morvane::programIcon());
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(folder.path());

    bool ok = true;
    morvane::Form1 main;
    main.show();
    ok &= save(&main, folder, "main-window.png");
    ok &= morvane::programIconPixmap(32).save(folder.filePath("icon-32.png"));
    ok &= morvane::programIconPixmap(16).save(folder.filePath("icon-16.png"));

    main.findChild<QPushButton *>("Command1")->click();
    QWidget *bolt = topLevel("Form2");
    ok &= bolt != nullptr;
    if (bolt) {
        ok &= save(bolt, folder, "bolt-window.png");
        bolt->findChild<QPushButton *>("Command1")->click();
        ok &= save(bolt, folder, "bolt-window-computed.png");
        pick(bolt, "Combo1", "六排");
        ok &= save(bolt, folder, "bolt-window-six-rows.png");
        pick(bolt, "Combo1", "四排");
        bolt->findChild<QPushButton *>("Command1")->click();
        ok &= save(bolt, folder, "bolt-window-four-rows.png");

        // The warning box as a field check shows it.
        QMessageBox box(QMessageBox::Warning, "数据检查", "e1不得小于等于0", QMessageBox::Ok, bolt);
        box.show();
        ok &= save(&box, folder, "warning-box.png");
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
