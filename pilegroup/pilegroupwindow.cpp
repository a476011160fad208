#include "pilegroupwindow.h"

#include "bookactions.h"
#include "pilegroupbook.h"

#include "controls.h"
#include "fieldcheck.h"
#include "pilegroup.h"
#include "pilegrouptexts.h"
#include "warningbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

namespace {

constexpr const char *kTip = "提示";
constexpr const char *kPileCounts[] = {"单桩", "两桩", "三桩",   "四桩",   "五桩",   "六桩",   "七桩",   "八桩",
                                       "九桩", "十桩", "十一桩", "十二桩", "十三桩", "十四桩", "十五桩", "十六桩"};

using enum ControlKind;
using W = PileGroupWindow;

// The table keeps a control to a line or two, and the Tab order to a few lines:
// clang-format would give each field a line.
// clang-format off
constexpr ControlRow kControls[] = {
    // Cap dimensions, upper left.
    {.name = "Frame1", .kind = Frame, .text = "承台参数 ", .geometry = {4, 2, 150, 126}},
    {.name = "Label1(0)", .kind = Label, .parent = "Frame1", .text = "L=", .geometry = {12, 19, 18, 20}},
    {.name = "Text1", .kind = Box, .role = W::CapLength, .parent = "Frame1", .geometry = {32, 19, 76, 20}, .reader = "L",
     .unit = "mm", .rules = {above(0, "承台长度不得小于等于0", kTip)}, .feeds = "L", .value = "1000"},
    {.name = "Label1(3)", .kind = Label, .parent = "Frame1", .text = "mm", .geometry = {112, 19, 28, 20}},
    {.name = "Label1(1)", .kind = Label, .parent = "Frame1", .text = "B=", .geometry = {12, 42, 18, 20}},
    {.name = "Text2", .kind = Box, .role = W::CapWidth, .parent = "Frame1", .geometry = {32, 42, 76, 20}, .reader = "B",
     .unit = "mm", .rules = {above(0, "承台宽度不得小于等于0", kTip)}, .feeds = "B", .value = "1000"},
    {.name = "Label1(5)", .kind = Label, .parent = "Frame1", .text = "mm", .geometry = {112, 42, 28, 20}},
    {.name = "Label1(6)", .kind = Label, .parent = "Frame1", .text = "H=", .geometry = {12, 65, 18, 20}},
    {.name = "Text3", .kind = Box, .role = W::CapHeight, .parent = "Frame1", .geometry = {32, 65, 76, 20}, .reader = "H",
     .unit = "mm", .rules = {above(0, "承台高度不得小于等于0", kTip)}, .feeds = "H", .value = "600"},
    {.name = "Label1(2)", .kind = Label, .parent = "Frame1", .text = "承台埋深：", .geometry = {12, 86, 96, 16}},
    {.name = "Text4", .kind = Box, .role = W::CapDepth, .parent = "Frame1", .geometry = {32, 102, 76, 20},
     .reader = "承台埋深", .unit = "mm", .rules = {above(50, "承台埋深不得小于等于50", kTip)}, .feeds = "capDepth",
     .value = "1500"},
    {.name = "Label1(4)", .kind = Label, .parent = "Frame1", .text = "mm", .geometry = {112, 102, 28, 20}},

    // Design capacity of one pile, upper right.
    {.name = "Frame2", .kind = Frame, .text = "单桩桩承载力设计值", .geometry = {158, 2, 153, 46}},
    {.name = "Text5", .kind = Box, .role = W::PileCapacity, .parent = "Frame2", .geometry = {32, 19, 76, 20},
     .reader = "单桩桩承载力设计值", .unit = "kN", .rules = {above(0, "桩基承载力设计值不得小于等于0", kTip)},
     .feeds = "pileCapacity", .value = "350"},
    {.name = "Label2", .kind = Label, .parent = "Frame2", .text = "KN", .geometry = {112, 19, 24, 20}},

    // Unit weights, right, below the pile.
    {.name = "Frame3", .kind = Frame, .text = "材料参数", .geometry = {158, 50, 153, 78}},
    {.name = "Label3(0)", .kind = Label, .parent = "Frame3", .text = "砼容重：", .geometry = {8, 21, 50, 20}},
    {.name = "Text6", .kind = Box, .role = W::ConcreteWeight, .parent = "Frame3", .geometry = {58, 21, 40, 20},
     .reader = "砼容重", .unit = "kN/m³", .rules = {above(0, "混凝土容重不得小于等于0", kTip)},
     .feeds = "concreteWeight", .value = "25"},
    {.name = "Label3(1)", .kind = Label, .parent = "Frame3", .text = "KN/m^3", .geometry = {101, 21, 49, 20}},
    {.name = "Label3(2)", .kind = Label, .parent = "Frame3", .text = "土容重：", .geometry = {8, 48, 50, 20}},
    {.name = "Text7", .kind = Box, .role = W::SoilWeight, .parent = "Frame3", .geometry = {58, 48, 40, 20},
     .reader = "土容重", .unit = "kN/m³", .rules = {above(0, "土容重不得小于等于0", kTip)}, .feeds = "soilWeight",
     .value = "18"},
    {.name = "Label3(3)", .kind = Label, .parent = "Frame3", .text = "KN/m^3", .geometry = {101, 48, 49, 20}},

    // Pile count, the calculation and its result, along the bottom.
    {.name = "Frame4", .kind = Frame, .text = "计算", .geometry = {4, 130, 270, 83}, .duty = Duty::Results},
    {.name = "Label4(0)", .kind = Label, .parent = "Frame4", .text = "选择桩数", .geometry = {8, 21, 66, 34},
     .align = Qt::AlignLeft | Qt::AlignBottom},
    // Read as shown, picked or typed; none selected, so that it shows "六桩", six piles.
    {.name = "Combo1", .kind = TypedList, .role = W::PileCount, .parent = "Frame4", .text = "六桩",
     .geometry = {8, 57, 66, 21}, .namedBy = "Label4(0)", .feeds = "pileCountText", .items = kPileCounts},
    {.name = "Command1", .kind = Button, .role = W::CalculateButton, .parent = "Frame4", .text = "计算",
     .geometry = {80, 56, 42, 23}, .duty = Duty::Calculate},
    {.name = "Label4(1)", .kind = Label, .role = W::CapacityLabel, .parent = "Frame4",
     .text = "扣除承台及覆土重后的桩基承载力", .geometry = {130, 21, 124, 34}, .align = Qt::AlignLeft | Qt::AlignBottom},
    // Shaded like a result, but typing is allowed.
    {.name = "Text8", .kind = ShadedBox, .role = W::Capacity, .parent = "Frame4", .geometry = {130, 57, 110, 21},
     .reader = "扣除承台及覆土重后的桩基承载力", .unit = "kN", .align = Qt::AlignHCenter, .shows = "capacity"},
    {.name = "Label4(3)", .kind = Label, .parent = "Frame4", .text = "KN", .geometry = {243, 57, 22, 21}},

    // Tall and narrow (495 x 855 twips): the caption wraps.
    {.name = "Command2", .kind = TallButton, .text = "返回主界面", .geometry = {278, 156, 33, 57}, .duty = Duty::Return},
};

constexpr const char *kTabOrder[] = {"Text1", "Text2", "Text3", "Combo1",   "Command1",
                                     "Text4", "Text5", "Text6", "Text7", "Command2"};
// clang-format on

constexpr WindowTable kTable{.name = "Form5",
                             .caption = "桩基承载力估算",
                             .widthTwips = 4725,
                             .heightTwips = 3225,
                             .controls = kControls,
                             .tabOrder = kTabOrder,
                             .focus = "Text1",
                             .calculator = "pile-group"};

}  // namespace

const WindowTable &PileGroupWindow::windowTable() { return kTable; }

PileGroupWindow::PileGroupWindow(QWidget *parent)
    : CalculatorWindow(kTable, parent)
{
    list(PileCount)->setMaxVisibleItems(16);  // every pile count at once, without scrolling
    label(CapacityLabel)->setWordWrap(true);
    // Only at "计算": the cap height may still be changed after the depth.
    fieldCheck()->checkAtCalculate(box(CapDepth), [this](double capDepth) -> std::optional<FieldFailure> {
        if (capDepthAboveCapTop(capDepth, valueOf(box(CapHeight))))
            return FieldFailure{QString::fromUtf8(kCapDepthMessage), QString::fromUtf8(kTip)};
        return std::nullopt;
    });
    connect(button(CalculateButton), &QAbstractButton::clicked, this, &PileGroupWindow::calculate);
}

void PileGroupWindow::calculate()
{
    if (!fieldCheck()->passes())
        return;  // a refused value never reaches the calculation
    const PileGroupInput in = pileGroupInput(calculationTexts());

    const PileGroupResult r = computePileGroup(in);

    showResult(box(Capacity), QString::fromStdString(r.capacityText));  // empty when not computable
    book()->setBook(describePileGroup(in, r));
    if (!r.computable)
        showWarning(this, QString::fromUtf8(kTip), QString::fromStdString(r.refusalText));
}

}  // namespace morvane
