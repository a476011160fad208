#include "boltdiagram.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace morvane {

namespace {

constexpr int kWidth = 139;
constexpr int kHeight = 212;
constexpr int kCentreY = 106;

// Distances in pixels from the centre line to each inner row (inward to
// outward), then to the flange and to the outer row, for one half.
struct Half {
    std::vector<int> innerRows;
    int flange;
    int outerRow;
    QStringList innerLabels;  // outward: e1, e2, e3
};

Half halfOf(int rows)
{
    switch (rows) {
    case 4: return {{44}, 60, 76, {"e1"}};
    case 6: return {{24, 50}, 66, 82, {"e1", "e2"}};
    default: return {{16, 36, 56}, 71, 86, {"e1", "e2", "e3"}};
    }
}

}  // namespace

BoltDiagram::BoltDiagram(int rows, QWidget *parent)
    : QWidget(parent)
    , rows_(rows)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QStringList BoltDiagram::labels() const
{
    const Half half = halfOf(rows_);
    QStringList top{"ef", "ef"};
    for (auto it = half.innerLabels.crbegin(); it != half.innerLabels.crend(); ++it)
        top << *it;
    QStringList bottom = half.innerLabels;
    bottom << "ef"
           << "ef";
    return top + bottom;
}

void BoltDiagram::paintEvent(QPaintEvent *)
{
    const Half half = halfOf(rows_);
    const QColor white(Qt::white);
    const QColor green(0, 255, 0);

    QPainter p(this);
    p.fillRect(rect(), Qt::black);

    // Tick positions top to bottom: outer row, flange, inner rows, centre
    // line, inner rows, flange, outer row.
    std::vector<int> ticks;
    ticks.push_back(kCentreY - half.outerRow);
    ticks.push_back(kCentreY - half.flange);
    for (auto it = half.innerRows.crbegin(); it != half.innerRows.crend(); ++it)
        ticks.push_back(kCentreY - *it);
    ticks.push_back(kCentreY);
    for (int d : half.innerRows)
        ticks.push_back(kCentreY + d);
    ticks.push_back(kCentreY + half.flange);
    ticks.push_back(kCentreY + half.outerRow);

    // The end plate.
    const int plateLeft = 12, plateRight = 104;
    const int plateTop = ticks.front() - 12, plateBottom = ticks.back() + 12;
    p.setPen(QPen(white, 1));
    p.drawRect(plateLeft, plateTop, plateRight - plateLeft, plateBottom - plateTop);

    // The H-section: two flange bars and the web between them.
    const int webX = (plateLeft + plateRight) / 2;
    p.fillRect(QRect(plateLeft + 4, kCentreY - half.flange - 2, plateRight - plateLeft - 8, 5), white);
    p.fillRect(QRect(plateLeft + 4, kCentreY + half.flange - 2, plateRight - plateLeft - 8, 5), white);
    p.fillRect(QRect(webX - 2, kCentreY - half.flange, 4, 2 * half.flange), white);

    // Centre line, dash-dot.
    p.setPen(QPen(white, 1, Qt::DashDotLine));
    p.drawLine(plateLeft - 6, kCentreY, plateRight + 6, kCentreY);

    // Bolt columns with a thin line through each, and the bolts as crosses.
    const int columns[2] = {webX - 24, webX + 24};
    std::vector<int> boltRows;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const int y = ticks[i];
        const bool isFlange = i == 1 || i == ticks.size() - 2;
        if (y != kCentreY && !isFlange)
            boltRows.push_back(y);
    }
    p.setPen(QPen(white, 1, Qt::DotLine));
    for (int x : columns)
        p.drawLine(x, boltRows.front() - 6, x, boltRows.back() + 6);
    p.setPen(QPen(white, 1.6));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int x : columns) {
        for (int y : boltRows) {
            p.drawLine(QPointF(x - 4, y - 4), QPointF(x + 4, y + 4));
            p.drawLine(QPointF(x - 4, y + 4), QPointF(x + 4, y - 4));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    // Dimension line with green ticks, labels turned on their side.
    const int dimX = 116;
    p.setPen(QPen(white, 1));
    p.drawLine(dimX, ticks.front() - 10, dimX, ticks.back() + 10);
    p.setPen(QPen(green, 1));
    for (int y : ticks) {
        p.drawLine(dimX - 5, y, dimX + 5, y);
        p.drawLine(dimX - 3, y + 3, dimX + 3, y - 3);
    }

    QFont font = this->font();
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(white);
    const QStringList texts = labels();
    const int segments = static_cast<int>(ticks.size()) - 1;
    for (int i = 0; i < segments; ++i) {
        int middle = (ticks[i] + ticks[i + 1]) / 2;
        if (i == 0)
            middle = ticks[0] - 9;  // beyond the short end segment
        else if (i == segments - 1)
            middle = ticks[segments] + 9;
        p.save();
        p.translate(dimX + 12, middle);
        p.rotate(-90);
        p.drawText(QRect(-12, -7, 24, 14), Qt::AlignCenter, texts[i]);
        p.restore();
    }
}

}  // namespace morvane
