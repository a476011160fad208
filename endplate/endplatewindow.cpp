#include "endplatewindow.h"

#include "bookactions.h"
#include "endplatebook.h"

#include "boltgrade.h"
#include "controls.h"
#include "endplate.h"
#include "endplatediagram.h"
#include "endplatetexts.h"
#include "fieldcheck.h"
#include "warningbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace morvane {

namespace {

constexpr const char *kHintTitle = "提示";
constexpr const char *kSteelGrades[] = {"Q235", "Q345", "Q390", "Q420"};
constexpr const char *kBoltSizes[] = {"M16", "M20", "M22", "M24", "M27", "M30"};

// Every plate dimension must be positive.
constexpr FieldRule kPositive = above(0, "参数小于等于零", kHintTitle);

using enum ControlKind;
using W = EndPlateWindow;

// The table keeps a control to a line or two, and the Tab order to a few lines:
// clang-format would give each field a line.
// clang-format off
constexpr ControlRow kControls[] = {
    // The diagram, at the left.
    {.name = "Frame1", .kind = Frame, .text = "端板支承条件图", .geometry = {3, 0, 208, 275}},
    {.name = "Picture1", .kind = Picture, .parent = "Frame1", .geometry = {4, 17, 0, 0},
     .make = [](QWidget *parent) -> QWidget * { return new EndPlateDiagram(parent); }},

    // Plate dimensions, top right.
    {.name = "Frame2", .kind = Frame, .text = "计算参数 单位：mm", .geometry = {214, 0, 242, 70}},
    {.name = "Label1(0)", .kind = Label, .parent = "Frame2", .text = "b=", .geometry = {10, 20, 16, 20}},
    {.name = "Text1", .kind = Box, .role = W::PlateWidth, .parent = "Frame2", .geometry = {26, 20, 46, 20},
     .reader = "b", .unit = "mm", .rules = {kPositive}, .feeds = "b", .value = "200"},
    {.name = "Label1(1)", .kind = Label, .parent = "Frame2", .text = "bs=", .geometry = {84, 20, 20, 20}},
    {.name = "Text2", .kind = Box, .role = W::StiffenedPanel, .parent = "Frame2", .geometry = {104, 20, 46, 20},
     .reader = "bs", .unit = "mm", .rules = {kPositive}, .feeds = "bs", .value = "100"},
    {.name = "Label1(2)", .kind = Label, .parent = "Frame2", .text = "a=", .geometry = {164, 20, 16, 20}},
    {.name = "Text3", .kind = Box, .role = W::RowSpacing, .parent = "Frame2", .geometry = {180, 20, 46, 20},
     .reader = "a", .unit = "mm", .rules = {kPositive}, .feeds = "a", .value = "80"},
    {.name = "Label1(3)", .kind = Label, .parent = "Frame2", .text = "ef=", .geometry = {8, 44, 18, 20}},
    {.name = "Text4", .kind = Box, .role = W::FlangeDistance, .parent = "Frame2", .geometry = {26, 44, 46, 20},
     .reader = "ef", .unit = "mm", .rules = {kPositive}, .feeds = "ef", .value = "40"},
    {.name = "Label2", .kind = Label, .parent = "Frame2", .text = "ew=", .geometry = {78, 44, 26, 20}},
    {.name = "Text5", .kind = Box, .role = W::WebDistance, .parent = "Frame2", .geometry = {104, 44, 46, 20},
     .reader = "ew", .unit = "mm", .rules = {kPositive}, .feeds = "ew", .value = "50"},

    // Materials.
    {.name = "Frame3", .kind = Frame, .text = "设计材料选择", .geometry = {214, 70, 242, 70}},
    {.name = "Label3(0)", .kind = Label, .parent = "Frame3", .text = "端板钢材", .geometry = {8, 20, 50, 20}},
    {.name = "Combo1", .kind = TypedList, .role = W::SteelGrade, .parent = "Frame3", .text = "Q235",
     .geometry = {58, 19, 58, 22}, .namedBy = "Label3(0)", .feeds = "steelGrade", .items = kSteelGrades},
    {.name = "Label3(1)", .kind = Label, .parent = "Frame3", .text = "螺栓直径", .geometry = {124, 20, 50, 20}},
    {.name = "Combo2", .kind = TypedList, .role = W::BoltSize, .parent = "Frame3", .text = "M20",
     .geometry = {174, 19, 58, 22}, .namedBy = "Label3(1)", .feeds = "boltSize", .items = kBoltSizes},
    {.name = "Label3(2)", .kind = Label, .parent = "Frame3", .text = "螺栓级别：", .geometry = {8, 45, 62, 20}},
    {.name = "Option1", .kind = Option, .role = W::Grade8_8, .parent = "Frame3", .text = "8.8级",
     .geometry = {72, 45, 62, 20}, .reader = "螺栓级别", .feeds = "boltGrade"},
    {.name = "Option2", .kind = Option, .parent = "Frame3", .text = "10.9级", .geometry = {140, 45, 70, 20},
     .reader = "螺栓级别", .checked = true},

    // Support classes. The bracket joins the dashes of the two-side class to
    // the two plate ends it is computed for; it is placed where the dashes end.
    {.name = "Frame4", .kind = Frame, .text = "支承条件选择", .geometry = {214, 140, 242, 135}},
    {.name = "Check1", .kind = Check, .role = W::Cantilever, .parent = "Frame4", .text = "伸臂类端板",
     .geometry = {10, 20, 120, 20}, .feeds = "cantilever"},
    {.name = "Check2", .kind = Check, .role = W::NoStiffener, .parent = "Frame4", .text = "无加劲肋类端板",
     .geometry = {10, 46, 120, 20}, .feeds = "noStiffener"},
    // Read without the dashes that lead to the bracket.
    {.name = "Check3", .kind = Check, .role = W::TwoSide, .parent = "Frame4", .text = "两边支承端板------",
     .geometry = {10, 80, 120, 20}, .reader = "两边支承端板", .feeds = "twoSide"},
    {.name = "Check4", .kind = Check, .role = W::ThreeSide, .parent = "Frame4", .text = "三边支承类端板",
     .geometry = {10, 110, 120, 20}, .feeds = "threeSide"},
    {.name = "Label4(0)", .kind = Label, .role = W::Bracket0, .parent = "Frame4", .text = "|", .align = Qt::AlignCenter},
    {.name = "Label4(1)", .kind = Label, .role = W::Bracket1, .parent = "Frame4", .text = "|", .align = Qt::AlignCenter},
    {.name = "Label4(2)", .kind = Label, .role = W::Bracket2, .parent = "Frame4", .text = "-", .align = Qt::AlignCenter},
    {.name = "Label4(3)", .kind = Label, .role = W::Bracket3, .parent = "Frame4", .text = "-", .align = Qt::AlignCenter},
    {.name = "Option3", .kind = Option, .role = W::Extended, .parent = "Frame4", .text = "端板外伸",
     .reader = "两边支承端板", .feeds = "plateEnd", .checked = true},
    {.name = "Option4", .kind = Option, .role = W::Flush, .parent = "Frame4", .text = "端板平齐",
     .reader = "两边支承端板"},

    // Results and the two buttons, across the bottom.
    {.name = "Frame5", .kind = Frame, .text = "计算结果", .geometry = {3, 275, 453, 48}, .duty = Duty::Results},
    {.name = "Command1", .kind = Button, .role = W::CalculateButton, .parent = "Frame5", .text = "计算",
     .geometry = {8, 17, 56, 26}, .duty = Duty::Calculate},
    {.name = "Label5(0)", .kind = Label, .parent = "Frame5", .text = "单个螺栓Ntb", .geometry = {74, 5, 80, 14}},
    {.name = "Text7", .kind = ResultBox, .role = W::BoltCapacity, .parent = "Frame5", .geometry = {74, 21, 54, 20},
     .reader = "单个螺栓Ntb", .unit = "kN", .align = Qt::AlignHCenter, .shows = "Ntb"},
    {.name = "Label5(1)", .kind = Label, .parent = "Frame5", .text = "KN", .geometry = {131, 21, 18, 20}},
    {.name = "Text6", .kind = ResultBox, .role = W::Thickness, .parent = "Frame5", .geometry = {156, 21, 206, 20},
     .reader = "端板最小厚度", .shows = "thickness"},
    {.name = "Command2", .kind = Button, .parent = "Frame5", .text = "返回主界面", .geometry = {370, 17, 76, 26},
     .duty = Duty::Return},
};

constexpr const char *kTabOrder[] = {"Text1",   "Text2",   "Text3",  "Text4",  "Text5",  "Combo1",
                                     "Combo2",  "Option1", "Option2", "Check1", "Check2", "Check3",
                                     "Check4",  "Option3", "Option4", "Command1", "Command2"};
// clang-format on

constexpr WindowTable kTable{.name = "Form3",
                             .caption = "端板厚度计算器",
                             .widthTwips = 6885,
                             .heightTwips = 4875,
                             .controls = kControls,
                             .tabOrder = kTabOrder,
                             .captionCurrent = "端板厚度计算（GB 51022-2015）",
                             .calculator = "end-plate"};

}  // namespace

const WindowTable &EndPlateWindow::windowTable() { return kTable; }

EndPlateWindow::EndPlateWindow(QWidget *parent)
    : CalculatorWindow(kTable, parent)
{
    placeBracket();
    connect(button(CalculateButton), &QAbstractButton::clicked, this, &EndPlateWindow::calculate);
}

// The bracket starts where the dashes of the two-side class end, whatever the font.
void EndPlateWindow::placeBracket()
{
    QAbstractButton *twoSide = button(TwoSide);
    QStyleOptionButton checkOption;
    checkOption.initFrom(twoSide);
    const int captionLeft = twoSide->style()->subElementRect(QStyle::SE_CheckBoxContents, &checkOption, twoSide).left();
    const int dashesEnd = twoSide->x() + captionLeft + twoSide->fontMetrics().horizontalAdvance(twoSide->text());
    const int line = twoSide->y() + twoSide->height() / 2;
    QFont bracketFont = font();
    bracketFont.setPixelSize(16);
    const std::pair<Role, QRect> pieces[] = {{Bracket0, {dashesEnd, line - 15, 6, 16}},
                                             {Bracket1, {dashesEnd, line - 1, 6, 16}},
                                             {Bracket2, {dashesEnd + 3, line - 23, 8, 16}},
                                             {Bracket3, {dashesEnd + 3, line + 7, 8, 16}}};
    for (const auto &[role, geometry] : pieces) {
        label(role)->setGeometry(geometry);
        label(role)->setFont(bracketFont);
    }
    button(Extended)->setGeometry(dashesEnd + 10, line - 25, 84, 20);
    button(Flush)->setGeometry(dashesEnd + 10, line + 5, 84, 20);
}

void EndPlateWindow::calculate()
{
    if (!fieldCheck()->passes())
        return;  // a refused value never reaches the calculation
    const EndPlateInput in = endPlateInput(calculationTexts(), edition());

    if (const char *refusal = endPlateRefusal(in)) {
        showResult(box(BoltCapacity), QString());
        showResult(box(Thickness), QString());
        book()->setBook(describeEndPlate(in, EndPlateResult{}));
        showWarning(this, kHintTitle, QString::fromUtf8(refusal));
        return;
    }

    const EndPlateResult r = computeEndPlate(in);
    showResult(box(BoltCapacity), QString::fromStdString(r.NtbText));
    showResult(box(Thickness), QString::fromStdString(r.thicknessText));  // empty when there is no thickness
    book()->setBook(describeEndPlate(in, r));
    if (r.hasThickness)
        return;
    if (!r.message.empty())
        showWarning(this, kHintTitle, QString::fromStdString(r.message));
    else
        showOutOfRange(this);
}

}  // namespace morvane
