#include "appicon.h"

#include <QPainter>
#include <QPixmap>

namespace morvane {

QPixmap programIconPixmap(int size)
{
    // Classic 16-colour palette entries used here.
    const QColor black(0, 0, 0), darkGrey(128, 128, 128), lightGrey(192, 192, 192), white(255, 255, 255);
    const QColor olive(128, 128, 0), maroon(128, 0, 0);

    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(size / 32.0, size / 32.0);

    // The grey tile with a raised edge.
    p.fillRect(0, 0, 32, 32, lightGrey);
    p.fillRect(0, 0, 32, 2, white);
    p.fillRect(0, 0, 2, 32, white);
    p.fillRect(0, 30, 32, 2, darkGrey);
    p.fillRect(30, 0, 2, 32, darkGrey);

    // The hammer, laid from lower left to upper right.
    p.translate(15, 17);
    p.rotate(-45);
    p.scale(0.82, 0.82);
    // Handle.
    p.fillRect(QRectF(-13, -2, 20, 4), olive);
    p.fillRect(QRectF(-13, 1, 20, 1), maroon);
    // Head, across the handle's end.
    p.fillRect(QRectF(6, -9, 7, 18), darkGrey);
    p.fillRect(QRectF(6, -9, 7, 2), black);
    p.fillRect(QRectF(6, 7, 7, 2), black);
    p.fillRect(QRectF(7, -7, 2, 14), white);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(programIconPixmap(16));
    icon.addPixmap(programIconPixmap(32));
    return icon;
}

}  // namespace morvane
