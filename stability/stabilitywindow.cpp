#include "stabilitywindow.h"

#include "bookactions.h"

#include "controls.h"
#include "fieldcheck.h"
#include "stability.h"
#include "stabilitytexts.h"
#include "warningbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

namespace {

constexpr const char *kSteelGrades[] = {"Q235", "Q345", "Q390"};
constexpr const char *kSectionClasses[] = {"a类", "b类", "c类"};
// The current edition's steels and classes.
constexpr const char *kCurrentSteelGrades[] = {"Q235", "Q345", "Q390", "Q420", "Q460"};
constexpr const char *kCurrentSectionClasses[] = {"a类", "b类", "c类", "d类"};

// Each "计算" reads only numbers: the first L, I and A; the second the slenderness.
constexpr int kSlendernessCheck = 0;
constexpr int kCoefficientCheck = 1;

using enum ControlKind;
using W = StabilityWindow;

// The table keeps a control to a line or two, and the Tab order to a few lines:
// clang-format would give each field a line.
// clang-format off
constexpr ControlRow kControls[] = {
    // Slenderness, left; each result under the row of its button, as wide
    // as the frame, so that fifteen digits and a sign show whole.
    {.name = "Frame1", .kind = Frame, .text = "构件长细比计算", .geometry = {3, 2, 156, 139}, .duty = Duty::Results},
    {.name = "Label1(0)", .kind = Label, .parent = "Frame1", .text = "计算长度=", .geometry = {6, 20, 80, 20}},
    {.name = "Text1", .kind = Box, .role = W::Length, .parent = "Frame1", .geometry = {86, 19, 64, 21},
     .reader = "计算长度", .unit = "mm", .tip = "单位：mm", .feeds = "length", .check = kSlendernessCheck,
     .value = "6000"},
    {.name = "Label1(1)", .kind = Label, .parent = "Frame1", .text = "构件的惯性距=", .geometry = {6, 43, 80, 20}},
    {.name = "Text2", .kind = Box, .role = W::Inertia, .parent = "Frame1", .geometry = {86, 42, 64, 21},
     .reader = "构件的惯性距", .unit = "10⁴ mm⁴", .tip = "单位:10^4(mm^4)", .feeds = "inertia",
     .check = kSlendernessCheck, .value = "20000"},
    {.name = "Label1(2)", .kind = Label, .parent = "Frame1", .text = "构件面积=", .geometry = {6, 66, 80, 20}},
    {.name = "Text3", .kind = Box, .role = W::Area, .parent = "Frame1", .geometry = {86, 65, 64, 21},
     .reader = "构件面积", .unit = "mm²", .tip = "单位：mm^2", .feeds = "sectionArea", .check = kSlendernessCheck,
     .value = "10000"},
    {.name = "Label1(3)", .kind = Label, .parent = "Frame1", .text = "长细比=", .geometry = {6, 93, 60, 18}},
    {.name = "Command1", .kind = Button, .role = W::SlendernessButton, .parent = "Frame1", .text = "计算",
     .geometry = {90, 88, 60, 24}, .duty = Duty::Calculate},
    // The slenderness is a result that the user may also type.
    {.name = "Text4", .kind = ShadedBox, .role = W::Slenderness, .parent = "Frame1", .geometry = {6, 114, 144, 21},
     .reader = "长细比", .feeds = "slenderness", .shows = "slenderness", .check = kCoefficientCheck},

    // Stability coefficient, right.
    {.name = "Frame2", .kind = Frame, .text = "稳定系数计算", .geometry = {162, 2, 135, 139}, .duty = Duty::Results},
    {.name = "Label2(0)", .kind = Label, .parent = "Frame2", .text = "钢材", .geometry = {6, 20, 50, 20}},
    {.name = "Combo1", .kind = TypedList, .role = W::SteelGrade, .parent = "Frame2", .text = "Q235",
     .geometry = {58, 19, 70, 22}, .namedBy = "Label2(0)", .feeds = "steelGrade", .items = kSteelGrades,
     .currentItems = kCurrentSteelGrades},
    {.name = "Label2(1)", .kind = Label, .parent = "Frame2", .text = "截面类型", .geometry = {6, 43, 50, 20}},
    {.name = "Combo2", .kind = TypedList, .role = W::SectionClass, .parent = "Frame2", .text = "a类",
     .geometry = {58, 42, 70, 22}, .namedBy = "Label2(1)", .feeds = "sectionClass", .items = kSectionClasses,
     .currentItems = kCurrentSectionClasses},
    {.name = "Label2(2)", .kind = Label, .parent = "Frame2", .text = "稳定系数", .geometry = {6, 93, 60, 18}},
    {.name = "Command2", .kind = Button, .role = W::CoefficientButton, .parent = "Frame2", .text = "计算",
     .geometry = {68, 88, 60, 24}, .duty = Duty::Calculate},
    {.name = "Text5", .kind = ResultBox, .role = W::Coefficient, .parent = "Frame2", .geometry = {6, 114, 123, 21},
     .reader = "稳定系数", .shows = "coefficient"},

    // Tall and narrow at the right: the caption wraps.
    {.name = "Command3", .kind = TallButton, .text = "返回主界面", .geometry = {300, 8, 22, 133}, .duty = Duty::Return},
};

constexpr const char *kTabOrder[] = {"Command1", "Text1",  "Text2",    "Text3",
                                     "Combo1",   "Combo2", "Command2", "Command3"};
// clang-format on

constexpr WindowTable kTable{.name = "Form4",
                             .caption = "轴心受压构件稳定系数查询",
                             .widthTwips = 4875,
                             .heightTwips = 2145,
                             .controls = kControls,
                             .tabOrder = kTabOrder,
                             .focus = "Command1",
                             .captionCurrent = "轴心受压构件稳定系数查询（GB 50017-2017）",
                             .calculator = "stability"};

}  // namespace

const WindowTable &StabilityWindow::windowTable() { return kTable; }

StabilityWindow::StabilityWindow(QWidget *parent)
    : CalculatorWindow(kTable, parent)
{
    connect(button(SlendernessButton), &QAbstractButton::clicked, this, &StabilityWindow::calculateSlenderness);
    connect(button(CoefficientButton), &QAbstractButton::clicked, this, &StabilityWindow::calculateCoefficient);
    // A slenderness belongs to the L, I and A that gave it: changing one of
    // them empties it, so that no φ is computed from other dimensions.
    for (const Role dimension : {Length, Inertia, Area}) {
        connect(box(dimension), &QLineEdit::textEdited, this, [this] {
            if (box(Slenderness)->text().isEmpty() && !slendernessShown_)
                return;  // nothing left to empty
            box(Slenderness)->clear();
            slendernessEdited();
        });
    }
    connect(box(Slenderness), &QLineEdit::textEdited, this, &StabilityWindow::slendernessEdited);
}

void StabilityWindow::calculateSlenderness()
{
    if (!fieldCheck(kSlendernessCheck)->passes())
        return;
    const SlendernessInput in = slendernessInput(calculationTexts(), edition());
    const SlendernessResult r = computeSlenderness(in);
    // One box at most; the slenderness is written once it is closed.
    if (r.warning != SlendernessWarning::None)
        showWarning(this, "警告", QString::fromStdString(r.warningText));
    else if (!r.hasSlenderness)
        showOutOfRange(this);
    showResult(box(Slenderness), QString::fromStdString(r.slendernessText));
    slendernessRun_ = SlendernessRun{in, r};
    slendernessShown_ = true;
    updateBook();
}

void StabilityWindow::calculateCoefficient()
{
    if (!fieldCheck(kCoefficientCheck)->passes())
        return;
    const StabilityInput in = stabilityInput(calculationTexts(), edition());
    StabilityRun run;
    run.input = in;
    if (slendernessShown_)
        run.source = slendernessRun_;  // else typed: an input of the coefficient
    // No slenderness, a negative one, an unknown grade (whose φ would be 1,
    // no reduction at all) or class: refused, and no coefficient shown.
    run.refusal = stabilityRefusal(box(Slenderness)->text().toStdString(), in.steelGrade, in.sectionClass, in.edition);
    if (run.refusal != StabilityRefusal::None) {
        showWarning(this, "提示", QString::fromUtf8(refusalMessage(run.refusal, in.edition)));
        showResult(box(Coefficient), QString());
    } else {
        run.result = computeStability(in);
        if (!run.result.hasResult)
            showOutOfRange(this);  // a slenderness too large for φ to be a number
        showResult(box(Coefficient), QString::fromStdString(run.result.coefficientText));
    }
    stabilityRun_ = run;
    updateBook();
}

// The runs of the other edition are no longer described: the book waits
// for the next "计算". The slenderness shown stays, as it is the same under
// both editions, but it is now read as typed.
void StabilityWindow::followEdition(Edition)
{
    slendernessRun_.reset();
    stabilityRun_.reset();
    slendernessEdited();
}

// The slenderness box no longer shows the computed slenderness: the user
// typed into it, or it was emptied as its inputs changed.
void StabilityWindow::slendernessEdited()
{
    slendernessShown_ = false;
    updateBook();
}

void StabilityWindow::updateBook()
{
    if (slendernessRun_ || stabilityRun_)
        book()->setBook(describeStability(slendernessShown_ ? slendernessRun_ : std::nullopt, stabilityRun_));
}

}  // namespace morvane
