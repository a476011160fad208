// Writes the pictures of the program's windows that the README shows into a
// folder, using the offscreen platform unless another is asked for:
//   render_windows OUTPUT_FOLDER
// With QT_SCALE_FACTOR set (1.5, 2) the pictures show the windows at that
// screen scale. The picture of the bolt window on a screen scaled by 2 is
// written by a second run of the tool on such a screen:
//   QT_SCALE_FACTOR=2 render_windows --bolt-only FILE
// The calculation book's page is dated 2026-12-08 14:05, so that every run
// writes the same pixels. The windows show the original edition of the
// design codes, whatever the user chose (the tool keeps its settings in a
// folder of its own), and the bolt window once more under the current one.
// To compare the pictures of two folders pixel for pixel (each PNG of KEPT
// with the one of that name in WRITTEN), and with --rewrite to copy each
// that differs over the one kept:
//   render_windows --compare WRITTEN KEPT [--rewrite]

#include "appicon.h"
#include "bookactions.h"
#include "controls.h"
#include "editionchoice.h"
#include "mainwindow.h"
#include "warningbox.h"

#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
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

// Opens a calculator from the main window by its button.
QWidget *openCalculator(morvane::MainWindow &main, const char *button, const QString &window)
{
    main.findChild<QPushButton *>(button)->click();
    return topLevel(window);
}

void press(QWidget *window, const char *button) { window->findChild<QAbstractButton *>(button)->click(); }

// Runs this tool once more on a screen scaled by 2 to picture the bolt window.
bool saveBoltWindowScaledBy2(const QDir &folder, const QString &file)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--bolt-only"), folder.filePath(file)});
    return run.waitForFinished(60000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

// Compares each picture kept with the one written under its name, pixel
// for pixel; prints each that differs (how many pixels, where), copies it
// over the one kept when asked to, and returns how many differ.
int comparePictures(const QDir &written, const QDir &kept, bool rewrite)
{
    int differing = 0;
    for (const QString &name : kept.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        const QImage a = QImage(kept.filePath(name)).convertToFormat(QImage::Format_ARGB32);
        const QImage b = QImage(written.filePath(name)).convertToFormat(QImage::Format_ARGB32);
        QString problem;
        if (b.isNull()) {
            problem = QStringLiteral("not written");
        } else if (a.size() != b.size()) {
            problem = QStringLiteral("%1x%2 kept, %3x%4 written")
                          .arg(a.width())
                          .arg(a.height())
                          .arg(b.width())
                          .arg(b.height());
        } else {
            qint64 pixels = 0;
            QRect where;
            for (int y = 0; y < a.height(); ++y) {
                for (int x = 0; x < a.width(); ++x) {
                    if (a.pixel(x, y) != b.pixel(x, y)) {
                        if (pixels++ == 0)
                            problem = QStringLiteral(", the first at %1,%2: #%3 kept, #%4 written")
                                          .arg(x)
                                          .arg(y)
                                          .arg(a.pixel(x, y), 8, 16, QLatin1Char('0'))
                                          .arg(b.pixel(x, y), 8, 16, QLatin1Char('0'));
                        where |= QRect(x, y, 1, 1);
                    }
                }
            }
            if (pixels > 0)
                problem = QStringLiteral("%1 of %2 pixels differ, within %3,%4 to %5,%6")
                              .arg(pixels)
                              .arg(qint64(a.width()) * a.height())
                              .arg(where.left())
                              .arg(where.top())
                              .arg(where.right())
                              .arg(where.bottom())
                    + problem;
        }
        if (!problem.isEmpty()) {
            std::printf("%s: %s\n", qPrintable(name), qPrintable(problem));
            ++differing;
            if (rewrite && !b.isNull() && QFile::remove(kept.filePath(name))
                && QFile::copy(written.filePath(name), kept.filePath(name)))
                std::printf("rewrote %s\n", qPrintable(kept.filePath(name)));
        }
    }
    return differing;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Not the user's settings: no choice of theirs changes the pictures.
    const QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    morvane::applyApplicationLook(app);
    app.setWindowIcon(morvane::programIcon());
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("--compare") && arguments.size() >= 4) {
        const bool rewrite = arguments.value(4) == QLatin1String("--rewrite");
        return comparePictures(QDir(arguments[2]), QDir(arguments[3]), rewrite) == 0 || rewrite ? EXIT_SUCCESS
                                                                                                : EXIT_FAILURE;
    }
    const bool boltOnly = arguments.value(1) == QLatin1String("--bolt-only");
    const QFileInfo boltOnlyFile(arguments.value(2));
    const QDir folder(boltOnly ? boltOnlyFile.absolutePath() : arguments.value(1, QStringLiteral(".")));
    QDir().mkpath(folder.path());

    bool ok = true;
    morvane::MainWindow main;
    main.show();
    if (boltOnly) {
        QWidget *bolt = openCalculator(main, "Command1", "Form2");
        if (!bolt)
            return EXIT_FAILURE;
        press(bolt, "Command1");
        return save(bolt, folder, boltOnlyFile.fileName()) ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    ok &= save(&main, folder, "main-window.png");
    ok &= morvane::programIconPixmap(32).save(folder.filePath("icon-32.png"));
    ok &= morvane::programIconPixmap(16).save(folder.filePath("icon-16.png"));
    ok &= saveBoltWindowScaledBy2(folder, "bolt-window-2x.png");

    // Each calculator after a calculation, opened from the main window.
    auto open = [&](const char *button, const QString &window) {
        QWidget *opened = openCalculator(main, button, window);
        ok &= opened != nullptr;
        return opened;
    };

    if (QWidget *bolt = open("Command1", "Form2")) {
        press(bolt, "Command1");
        ok &= save(bolt, folder, "bolt-window-computed.png");
        // The first page of its calculation book, as printed.
        if (auto *book = bolt->findChild<morvane::BookActions *>()) {
            const morvane::BookHeader dated = morvane::bookHeader(QDateTime(QDate(2026, 12, 8), QTime(14, 5)));
            const bool written = morvane::bookPageImage(book->book(), dated, 80).save(folder.filePath("calc-book.png"));
            std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(folder.filePath("calc-book.png")));
            ok &= written;
        } else {
            ok = false;
        }
        // The warning box as a field check shows it, pictured while it waits.
        QTimer::singleShot(0, bolt, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                ok &= save(box, folder, "warning-box.png");
                box->close();
            } else {
                ok = false;
            }
        });
        morvane::showWarning(bolt, "数据检查", "e1不得小于等于0");
    }
    if (QWidget *endPlate = open("Command3", "Form3")) {
        press(endPlate, "Check1");
        press(endPlate, "Check3");
        press(endPlate, "Command1");
        ok &= save(endPlate, folder, "end-plate-window-computed.png");
    }
    if (QWidget *stability = open("Command2", "Form4")) {
        press(stability, "Command1");
        press(stability, "Command2");
        ok &= save(stability, folder, "stability-window-computed.png");
    }
    if (QWidget *pileGroup = open("Command5", "Form5")) {
        press(pileGroup, "Command1");
        ok &= save(pileGroup, folder, "pile-group-window-computed.png");
    }
    if (QWidget *column = open("Command6", "Form6")) {
        press(column, "Command1");
        ok &= save(column, folder, "column-window-computed.png");
    }
    // The bolt window under the current edition, chosen with it open.
    if (QWidget *bolt = open("Command1", "Form2")) {
        main.findChild<QAction *>("guifanXianxing")->trigger();
        press(bolt, "Command1");
        ok &= save(bolt, folder, "bolt-window-current.png");
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
