#include "form4.h"

#include "bookactions.h"

#include "controls.h"
#include "fieldcheck.h"
#include "stability.h"
#include "warningbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

Form4::Form4(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setUpCalculatorWindow(this, "Form4", "轴心受压构件稳定系数查询", 4875, 2145);
    buildControls();
    Form_Load();
}

void Form4::buildControls()
{
    // Slenderness, left; each result under the row of its button, as wide
    // as the frame, so that fifteen digits and a sign show whole.
    Frame1 = makeFrame(this, "Frame1", "构件长细比计算", {3, 2, 156, 139});
    makeLabel(Frame1, "Label1(0)", "计算长度=", {6, 20, 80, 20});
    Text1 = makeTextBox(Frame1, "Text1", {86, 19, 64, 21});
    setToolTipText(Text1, "单位：mm");
    makeLabel(Frame1, "Label1(1)", "构件的惯性距=", {6, 43, 80, 20});
    Text2 = makeTextBox(Frame1, "Text2", {86, 42, 64, 21});
    setToolTipText(Text2, "单位:10^4(mm^4)");
    makeLabel(Frame1, "Label1(2)", "构件面积=", {6, 66, 80, 20});
    Text3 = makeTextBox(Frame1, "Text3", {86, 65, 64, 21});
    setToolTipText(Text3, "单位：mm^2");
    makeLabel(Frame1, "Label1(3)", "长细比=", {6, 93, 60, 18});
    Command1 = makeButton(Frame1, "Command1", "计算", {90, 88, 60, 24});
    // The slenderness is a result that the user may also type.
    Text4 = makeTextBox(Frame1, "Text4", {6, 114, 144, 21});
    setBoxBackground(Text4, tooltipBackground());
    Text4->setFocusPolicy(Qt::ClickFocus);

    // Stability coefficient, right.
    Frame2 = makeFrame(this, "Frame2", "稳定系数计算", {162, 2, 135, 139});
    QLabel *steelLabel = makeLabel(Frame2, "Label2(0)", "钢材", {6, 20, 50, 20});
    Combo1 = makeList(Frame2, "Combo1", "Q235", {58, 19, 70, 22}, ListKind::Typed);
    QLabel *sectionLabel = makeLabel(Frame2, "Label2(1)", "截面类型", {6, 43, 50, 20});
    Combo2 = makeList(Frame2, "Combo2", "a类", {58, 42, 70, 22}, ListKind::Typed);
    makeLabel(Frame2, "Label2(2)", "稳定系数", {6, 93, 60, 18});
    Command2 = makeButton(Frame2, "Command2", "计算", {68, 88, 60, 24});
    Text5 = makeTextBox(Frame2, "Text5", {6, 114, 123, 21});
    makeResultBox(Text5);

    Command3 = new WrappingButton("返回主界面", this);
    Command3->setObjectName("Command3");
    Command3->setGeometry(300, 8, 22, 133);

    // What a screen reader calls each box and list: its label and unit.
    nameForReaders(Text1, "计算长度", "mm");
    nameForReaders(Text2, "构件的惯性距", "10⁴ mm⁴");
    nameForReaders(Text3, "构件面积", "mm²");
    nameForReaders(Text4, "长细比");
    nameListForReaders(Combo1, steelLabel);
    nameListForReaders(Combo2, sectionLabel);
    nameForReaders(Text5, "稳定系数");

    morvane::setTabOrder({Command1, Text1, Text2, Text3, Combo1, Combo2, Command2, Command3});
    Command1->setFocus();

    book_ = new BookActions(this, {Frame1, Frame2}, {Command1, Command2});

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    // A slenderness belongs to the L, I and A that gave it: changing one of
    // them empties it, so that no φ is computed from other dimensions.
    for (QLineEdit *dimension : {Text1, Text2, Text3}) {
        connect(dimension, &QLineEdit::textEdited, this, [this] {
            if (Text4->text().isEmpty() && !slendernessShown_)
                return;  // nothing left to empty
            Text4->clear();
            slendernessEdited();
        });
    }
    connect(Text4, &QLineEdit::textEdited, this, &Form4::slendernessEdited);

    slendernessCheck_ = new FieldCheck(this);
    slendernessCheck_->requireNumbers({Text1, Text2, Text3});
    slendernessCheck_->calculateOnEnter(Command1);
    coefficientCheck_ = new FieldCheck(this);
    coefficientCheck_->requireNumbers({Text4});
    coefficientCheck_->calculateOnEnter(Command2);
}

void Form4::Form_Load()
{
    Text1->setText("6000");
    Text2->setText("20000");
    Text3->setText("10000");
    Text4->clear();
    showResult(Text5, QString());
    fillList(Combo1, {"Q235", "Q345", "Q390"});
    fillList(Combo2, {"a类", "b类", "c类"});
}

void Form4::Command1_Click()
{
    if (!slendernessCheck_->passes())
        return;
    const SlendernessInput in{valueOf(Text1), valueOf(Text2), valueOf(Text3)};
    const SlendernessResult r = computeSlenderness(in);
    // One box at most; the slenderness is written once it is closed.
    if (!r.warning.empty())
        showWarning(this, "警告", QString::fromStdString(r.warning));
    else if (!r.hasSlenderness)
        showOutOfRange(this);
    showResult(Text4, QString::fromStdString(r.slendernessText));
    slendernessRun_ = SlendernessRun{in, r};
    slendernessShown_ = true;
    updateBook();
}

void Form4::Command2_Click()
{
    if (!coefficientCheck_->passes())
        return;
    StabilityInput in;
    in.steelGrade = Combo1->currentText().toStdString();
    in.sectionClass = Combo2->currentText().toStdString();
    in.slenderness = valueOf(Text4);
    StabilityRun run;
    run.input = in;
    if (slendernessShown_)
        run.source = slendernessRun_;  // else typed: an input of the coefficient
    // No slenderness, a negative one, an unknown grade (whose φ would be 1,
    // no reduction at all) or class: refused, and no coefficient shown.
    if (const char *refusal = stabilityRefusal(Text4->text().toStdString(), in.steelGrade, in.sectionClass)) {
        showWarning(this, "提示", QString::fromUtf8(refusal));
        showResult(Text5, QString());
        run.refusal = refusal;
    } else {
        run.result = computeStability(in);
        if (!run.result.hasResult)
            showOutOfRange(this);  // a slenderness too large for φ to be a number
        showResult(Text5, QString::fromStdString(run.result.coefficientText));
    }
    stabilityRun_ = run;
    updateBook();
}

// The slenderness box no longer shows the computed slenderness: the user
// typed into it, or it was emptied as its inputs changed.
void Form4::slendernessEdited()
{
    slendernessShown_ = false;
    updateBook();
}

void Form4::updateBook()
{
    if (slendernessRun_ || stabilityRun_)
        book_->setBook(describeStability(slendernessShown_ ? slendernessRun_ : std::nullopt, stabilityRun_));
}

void Form4::Command3_Click() { close(); }

}  // namespace morvane
