#include "columnlegend.h"

#include <QPainter>

namespace morvane {

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 150;

// The section and, inset from it, the outer tie.
const QRect kSection(28, 8, 84, 108);
constexpr int kTieInset = 6;

}  // namespace

ColumnLegend::ColumnLegend(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColumnLegend::paintEvent(QPaintEvent *)
{
    const QColor magenta(255, 0, 255);
    const QColor green(0, 255, 0);

    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.fillRect(kSection, Qt::white);

    // The ties: the outer closed tie and two legs each way, a 3 x 3 grid.
    const QRect tie = kSection.adjusted(kTieInset, kTieInset, -kTieInset, -kTieInset);
    const int xs[4] = {tie.left(), tie.left() + tie.width() / 3, tie.left() + 2 * tie.width() / 3, tie.right()};
    const int ys[4] = {tie.top(), tie.top() + tie.height() / 3, tie.top() + 2 * tie.height() / 3, tie.bottom()};
    p.setPen(QPen(magenta, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRect(QPoint(xs[0], ys[0]), QPoint(xs[3], ys[3])));
    for (int i : {1, 2}) {
        p.drawLine(xs[i], ys[0], xs[i], ys[3]);
        p.drawLine(xs[0], ys[i], xs[3], ys[i]);
    }

    // The hook ends of the ties, in the upper right corner of the top
    // middle, top right and middle right cells.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(magenta, 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPoint hookCorners[] = {{xs[2], ys[0]}, {xs[3], ys[0]}, {xs[3], ys[1]}};
    for (const QPoint &c : hookCorners) {
        for (QPointF start : {QPointF(c.x() - 2, c.y() + 5), QPointF(c.x() - 5, c.y() + 2)})
            p.drawLine(start, start + QPointF(-6, 6));
    }

    p.setRenderHint(QPainter::Antialiasing, false);

    // Dimension lines with oblique ticks at the faces of the section.
    p.setPen(QPen(green, 1));
    auto tick = [&p](QPointF at) { p.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3)); };
    const int bY = kSection.bottom() + 12;
    p.drawLine(kSection.left() - 4, bY, kSection.right() + 4, bY);
    tick(QPointF(kSection.left(), bY));
    tick(QPointF(kSection.right(), bY));
    const int hX = kSection.left() - 12;
    p.drawLine(hX, kSection.top() - 4, hX, kSection.bottom() + 4);
    tick(QPointF(hX, kSection.top()));
    tick(QPointF(hX, kSection.bottom()));
    // Extension lines from the faces to the dimension lines.
    p.setPen(QPen(green, 1, Qt::DotLine));
    for (int x : {kSection.left(), kSection.right()})
        p.drawLine(x, kSection.bottom() + 2, x, bY + 4);
    for (int y : {kSection.top(), kSection.bottom()})
        p.drawLine(kSection.left() - 2, y, hX - 4, y);

    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font = this->font();
    font.setPixelSize(13);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(green);
    p.drawText(QRect(kSection.left(), bY + 2, kSection.width(), 18), Qt::AlignCenter, QStringLiteral("b"));
    p.drawText(QRect(0, kSection.top(), hX - 1, kSection.height()), Qt::AlignCenter, QStringLiteral("h"));
}

}  // namespace morvane
