// Writes the program icon into a hicolor icon theme folder, the bitmaps at
// every launcher size and the scalable drawing:
//   write_icons THEME_FOLDER ICON_NAME
// gives THEME_FOLDER/16x16/apps/ICON_NAME.png ... 256x256, and
// THEME_FOLDER/scalable/apps/ICON_NAME.svg.

#include "appicon.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: write_icons THEME_FOLDER ICON_NAME\n", stderr);
        return EXIT_FAILURE;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        ok &= theme.mkpath(folder)
            && morvane::programIconImage(size).save(theme.filePath(folder + '/' + name + ".png"));
    }
    QFile svg(theme.filePath("scalable/apps/" + name + ".svg"));
    ok &= theme.mkpath("scalable/apps") && svg.open(QIODevice::WriteOnly)
        && svg.write(morvane::programIconSvg().toUtf8()) > 0;
    if (!ok)
        std::fprintf(stderr, "write_icons: could not write the icons into %s\n", argv[1]);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
