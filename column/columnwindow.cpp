#include "columnwindow.h"

#include "bookactions.h"
#include "columnbook.h"

#include "column.h"
#include "columnlegend.h"
#include "columntexts.h"
#include "controls.h"
#include "fieldcheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace morvane {

namespace {

constexpr const char *kTip = "提示";
constexpr const char *kDiameters[] = {"直径16", "直径18", "直径20", "直径22", "直径25"};

using enum ControlKind;
using W = ColumnWindow;

// The table keeps a control to a line or two, and the Tab order to a few lines:
// clang-format would give each field a line.
// clang-format off
constexpr ControlRow kControls[] = {
    // Section dimensions, top left.
    {.name = "Frame1", .kind = Frame, .text = "截面参数 单位：mm", .geometry = {4, 1, 184, 50}},
    {.name = "Label1(0)", .kind = Label, .parent = "Frame1", .text = "b=", .geometry = {10, 24, 20, 20}},
    {.name = "Text1", .kind = Box, .role = W::Width, .parent = "Frame1", .geometry = {30, 24, 56, 20}, .reader = "b",
     .unit = "mm", .rules = {above(0, "柱宽不得小于等于0", kTip)}, .feeds = "width", .value = "400"},
    {.name = "Label1(1)", .kind = Label, .parent = "Frame1", .text = "h=", .geometry = {100, 24, 20, 20}},
    {.name = "Text2", .kind = Box, .role = W::Height, .parent = "Frame1", .geometry = {120, 24, 56, 20}, .reader = "h",
     .unit = "mm", .rules = {above(0, "柱高不得小于等于0", kTip)}, .feeds = "height", .value = "400"},

    // Bars: in each row the label above, the count on the left, the diameter on the right.
    {.name = "Frame2", .kind = Frame, .text = "配筋量输入", .geometry = {4, 52, 184, 138}},
    {.name = "Label2(0)", .kind = Label, .parent = "Frame2", .text = "角筋", .geometry = {10, 21, 160, 15}},
    // Always four corner bars.
    {.name = "Text3", .kind = ResultBox, .parent = "Frame2", .geometry = {10, 37, 56, 20},
     .reader = "角筋根数", .align = Qt::AlignHCenter, .value = "4"},
    {.name = "Combo1", .kind = KeyProofList, .role = W::CornerDiameter, .parent = "Frame2", .text = "直径20",
     .geometry = {76, 36, 98, 22}, .namedBy = "Label2(0)", .feeds = "cornerDiameter", .items = kDiameters},
    {.name = "Label2(1)", .kind = Label, .parent = "Frame2", .text = "b边一侧中部筋", .geometry = {10, 59, 160, 15}},
    {.name = "Text4", .kind = Box, .role = W::BCount, .parent = "Frame2", .geometry = {10, 75, 56, 20},
     .reader = "b边一侧中部筋根数", .align = Qt::AlignHCenter, .feeds = "bCount", .value = "2"},
    {.name = "Combo2", .kind = KeyProofList, .role = W::BDiameter, .parent = "Frame2", .text = "直径20",
     .geometry = {76, 74, 98, 22}, .namedBy = "Label2(1)", .feeds = "bDiameter", .items = kDiameters},
    {.name = "Label2(2)", .kind = Label, .parent = "Frame2", .text = "h边一侧中部筋", .geometry = {10, 97, 160, 15}},
    {.name = "Text5", .kind = Box, .role = W::HCount, .parent = "Frame2", .geometry = {10, 113, 56, 20},
     .reader = "h边一侧中部筋根数", .align = Qt::AlignHCenter, .feeds = "hCount", .value = "2"},
    {.name = "Combo3", .kind = KeyProofList, .role = W::HDiameter, .parent = "Frame2", .text = "直径20",
     .geometry = {76, 112, 98, 22}, .namedBy = "Label2(2)", .feeds = "hDiameter", .items = kDiameters},

    // Legend, at the right.
    {.name = "Frame4", .kind = Frame, .text = "图例", .geometry = {192, 1, 124, 189}},
    {.name = "Image1", .kind = Picture, .parent = "Frame4", .geometry = {2, 29, 0, 0},
     .make = [](QWidget *parent) -> QWidget * { return new ColumnLegend(parent); }},

    // Result, across the bottom.
    {.name = "Frame3", .kind = Frame, .text = "计算结果", .geometry = {4, 192, 312, 73}, .duty = Duty::Results},
    {.name = "Command1", .kind = Button, .role = W::CalculateButton, .parent = "Frame3", .text = "计算",
     .geometry = {8, 23, 52, 22}, .duty = Duty::Calculate},
    {.name = "Command2", .kind = Button, .parent = "Frame3", .text = "返回", .geometry = {8, 47, 52, 22},
     .duty = Duty::Return},
    {.name = "Text6", .kind = ReportBox, .role = W::Report, .parent = "Frame3", .geometry = {66, 22, 238, 48},
     .reader = "配筋率验算结果", .shows = "report"},
};

constexpr const char *kTabOrder[] = {"Text1", "Text2", "Combo1", "Combo2", "Combo3", "Text4", "Text5", "Command1", "Command2"};
// clang-format on

constexpr WindowTable kTable{.name = "Form6",
                             .caption = "柱配筋率验算",
                             .widthTwips = 4800,
                             .heightTwips = 3990,
                             .controls = kControls,
                             .tabOrder = kTabOrder,
                             .focus = "Text1",
                             .calculator = "column"};

// A count of middle bars: bars are laid whole, and none is the fewest.
std::optional<FieldFailure> refuseUnlessBarCount(double count)
{
    if (isBarCount(count))
        return std::nullopt;
    return FieldFailure{QString::fromUtf8(kBarCountMessage), QString::fromUtf8(kTip)};
}

}  // namespace

const WindowTable &ColumnWindow::windowTable() { return kTable; }

ColumnWindow::ColumnWindow(QWidget *parent)
    : CalculatorWindow(kTable, parent)
{
    // The counts are told at "计算", after b and h: leaving a count box tells nothing.
    fieldCheck()->checkAtCalculate(box(BCount), refuseUnlessBarCount);
    fieldCheck()->checkAtCalculate(box(HCount), refuseUnlessBarCount);
    connect(button(CalculateButton), &QAbstractButton::clicked, this, &ColumnWindow::calculate);
}

void ColumnWindow::calculate()
{
    if (!fieldCheck()->passes())
        return;  // a refused b or h never reaches the calculation
    const ColumnInput in = columnInput(calculationTexts());

    const ColumnResult r = computeColumnRatio(in);

    showLines(Report, r.report);
    book()->setBook(describeColumnRatio(in, r));
    if (!r.computable)
        showOutOfRange(this);
}

}  // namespace morvane
