#include "endplatediagram.h"

#include <QPainter>

#include <initializer_list>
#include <vector>

namespace morvane {

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 254;

const QColor kWhite(Qt::white);
const QColor kGreen(0, 255, 0);

// One end plate in elevation; y positions from the top of the picture.
struct Plate {
    int left, right;
    int top, bottom;
    std::vector<int> boltRows;
    std::vector<int> bars;  // flanges and stiffeners across the plate

    int web() const { return (left + right) / 2; }
    int boltLine(int side) const { return web() + side * 16; }  // side -1 or +1
};

// The left plate: extended above the top flange, bolts along the web below.
const Plate kLeft{23, 79, 34, 216, {46, 72, 104, 134, 164, 196}, {58, 210}};
// The right plate: extended at both ends, stiffened next to both flanges.
const Plate kRight{124, 180, 34, 222, {46, 72, 100, 156, 184, 210}, {58, 86, 170, 198}};

void drawPlate(QPainter &p, const Plate &plate)
{
    p.setPen(QPen(kWhite, 1));
    p.drawRect(plate.left, plate.top, plate.right - plate.left, plate.bottom - plate.top);
    p.drawLine(plate.web(), plate.top, plate.web(), plate.bottom);
    for (int y : plate.bars)
        p.fillRect(QRect(plate.left + 1, y - 2, plate.right - plate.left - 1, 5), kWhite);

    // Bolt lines, dotted, then the bolts as crosses.
    p.setPen(QPen(kWhite, 1, Qt::DotLine));
    for (int side : {-1, 1})
        p.drawLine(plate.boltLine(side), plate.boltRows.front() - 6, plate.boltLine(side), plate.boltRows.back() + 6);
    p.setPen(QPen(kWhite, 1.4));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int side : {-1, 1}) {
        const int x = plate.boltLine(side);
        for (int y : plate.boltRows) {
            p.drawLine(QPointF(x - 3, y - 3), QPointF(x + 3, y + 3));
            p.drawLine(QPointF(x - 3, y + 3), QPointF(x + 3, y - 3));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// The oblique tick of a dimension line at a point.
void tick(QPainter &p, int x, int y) { p.drawLine(x - 3, y + 3, x + 3, y - 3); }

// A horizontal dimension from x1 to x2 at height y, its symbol above it.
void horizontalDimension(QPainter &p, int x1, int x2, int y, const QString &symbol)
{
    p.drawLine(x1 - 2, y, x2 + 2, y);
    tick(p, x1, y);
    tick(p, x2, y);
    p.drawText(QRect(x1 - 6, y - 12, x2 - x1 + 12, 11), Qt::AlignHCenter | Qt::AlignBottom, symbol);
}

// A vertical dimension chain at x through the given heights, with a short
// leader from the plate edge to each tick and one symbol per segment.
void verticalDimension(QPainter &p, int plateRight, int x, std::initializer_list<int> ys, const QStringList &symbols)
{
    const std::vector<int> heights(ys);
    p.drawLine(x, heights.front() - 2, x, heights.back() + 2);
    for (int y : heights) {
        p.drawLine(plateRight + 2, y, x + 2, y);
        tick(p, x, y);
    }
    for (std::size_t i = 0; i + 1 < heights.size(); ++i) {
        const int middle = (heights[i] + heights[i + 1]) / 2;
        p.drawText(QRect(x + 2, middle - 6, 16, 12), Qt::AlignLeft | Qt::AlignVCenter, symbols[int(i)]);
    }
}

// A white class label at the left of a plate with a leader to each bolt.
void classLabel(QPainter &p, const Plate &plate, int labelLeft, int y, const QString &text,
                std::initializer_list<int> boltRows)
{
    p.setPen(QPen(kWhite, 1));
    p.drawText(QRect(labelLeft, y - 7, 21, 14), Qt::AlignLeft | Qt::AlignVCenter, text);
    const int bolt = plate.boltLine(-1);
    for (int row : boltRows)
        p.drawLine(labelLeft + 21, y, bolt - 5, row);
}

}  // namespace

EndPlateDiagram::EndPlateDiagram(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EndPlateDiagram::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    drawPlate(p, kLeft);
    drawPlate(p, kRight);

    QFont font = this->font();
    font.setPixelSize(10);
    p.setFont(font);

    // Which class each bolt region belongs to.
    classLabel(p, kLeft, 1, kLeft.boltRows[0], "伸臂", {kLeft.boltRows[0]});
    classLabel(p, kLeft, 1, kLeft.boltRows[1], "两边", {kLeft.boltRows[1]});
    classLabel(p, kLeft, 1, (kLeft.boltRows[2] + kLeft.boltRows[3]) / 2, "无肋",
               {kLeft.boltRows[2], kLeft.boltRows[3]});
    const QStringList rightClasses{"两边", "三边", "两边", "两边"};
    for (int i = 0; i < 4; ++i)
        classLabel(p, kRight, kRight.left - 23, kRight.boltRows[i], rightClasses[i], {kRight.boltRows[i]});

    // Dimensions, in green.
    p.setPen(QPen(kGreen, 1));
    for (const Plate *plate : {&kLeft, &kRight}) {
        // b across the top, ew from each bolt line to the web below it.
        for (int x : {plate->left, plate->right})
            p.drawLine(x, 9, x, plate->top - 2);
        horizontalDimension(p, plate->left, plate->right, 12, "b");
        for (int side : {-1, 1})
            p.drawLine(plate->boltLine(side), 23, plate->boltLine(side), plate->top - 2);
        p.drawLine(plate->web(), 23, plate->web(), plate->top - 2);
        horizontalDimension(p, plate->boltLine(-1), plate->web(), 27, "ew");
        horizontalDimension(p, plate->web(), plate->boltLine(1), 27, "ew");
        // ef from the outer bolt row to the flange and from it to the next row.
        verticalDimension(p, plate->right, plate->right + 5, {plate->boltRows[0], plate->bars[0], plate->boltRows[1]},
                          {"ef", "ef"});
    }
    // a between two bolt rows along the web of the unstiffened plate.
    verticalDimension(p, kLeft.right, kLeft.right + 5, {kLeft.boltRows[2], kLeft.boltRows[3]}, {"a"});
    // bs from the edge of the stiffened plate to its web.
    horizontalDimension(p, kRight.left, kRight.web(), 128, "bs");

    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(kWhite);
    p.drawText(QRect(0, kHeight - 20, kWidth, 18), Qt::AlignCenter, "端板的支承条件");
}

}  // namespace morvane
