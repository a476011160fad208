#include "appicon.h"

#include <QPainter>
#include <QPixmap>

namespace morvane {

namespace {

// One filled rectangle of the artwork.
struct IconPart {
    QRectF rect;
    QColor colour;
};

// Classic 16-colour palette entries used here.
const QColor black(0, 0, 0), darkGrey(128, 128, 128), lightGrey(192, 192, 192), white(255, 255, 255);
const QColor olive(128, 128, 0), maroon(128, 0, 0);

// The artwork is drawn on a 32 x 32 grid.
constexpr double grid = 32;

// The grey tile with a raised edge.
const IconPart tileParts[] = {
    {{0, 0, 32, 32}, lightGrey}, {{0, 0, 32, 2}, white},     {{0, 0, 2, 32}, white},
    {{0, 30, 32, 2}, darkGrey},  {{30, 0, 2, 32}, darkGrey},
};

// The hammer, handle along x with the head across its end, in its own frame;
// hammerPlacement() lays it from lower left to upper right on the tile.
const IconPart hammerParts[] = {
    {{-13, -2, 20, 4}, olive},                            // handle
    {{-13, 1, 20, 1}, maroon},                            // its shaded side
    {{6, -9, 7, 18}, darkGrey},                           // head
    {{6, -9, 7, 2}, black},                               // its faces
    {{6, 7, 7, 2}, black},      {{7, -7, 2, 14}, white},  // its highlight
};
constexpr double hammerX = 15, hammerY = 17, hammerAngle = -45, hammerScale = 0.82;

}  // namespace

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 32);
    p.scale(size / grid, size / grid);
    for (const IconPart &part : tileParts)
        p.fillRect(part.rect, part.colour);
    p.translate(hammerX, hammerY);
    p.rotate(hammerAngle);
    p.scale(hammerScale, hammerScale);
    for (const IconPart &part : hammerParts)
        p.fillRect(part.rect, part.colour);
    return image;
}

QPixmap programIconPixmap(int size) { return QPixmap::fromImage(programIconImage(size)); }

QString programIconSvg()
{
    auto rects = [](const auto &parts) {
        QString out;
        for (const IconPart &part : parts)
            out += QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                       .arg(part.rect.x())
                       .arg(part.rect.y())
                       .arg(part.rect.width())
                       .arg(part.rect.height())
                       .arg(part.colour.name());
        return out;
    };
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
               "  <g shape-rendering=\"crispEdges\">\n%2  </g>\n"
               "  <g transform=\"translate(%3 %4) rotate(%5) scale(%6)\">\n%7  </g>\n"
               "</svg>\n")
        .arg(grid)
        .arg(rects(tileParts))
        .arg(hammerX)
        .arg(hammerY)
        .arg(hammerAngle)
        .arg(hammerScale)
        .arg(rects(hammerParts));
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(programIconPixmap(16));
    icon.addPixmap(programIconPixmap(32));
    return icon;
}

}  // namespace morvane
