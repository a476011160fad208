#include "form3.h"

#include "bookactions.h"
#include "endplatebook.h"

#include "boltgrade.h"
#include "controls.h"
#include "endplate.h"
#include "endplatediagram.h"
#include "warningbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace morvane {

namespace {

const QString kHintTitle = QStringLiteral("提示");

// Every plate dimension must be positive.
std::optional<FieldFailure> positive(double value)
{
    return refuseAtMost(value, 0, QStringLiteral("参数小于等于零"), kHintTitle);
}

bool ticked(const QCheckBox *check) { return check->checkState() == Qt::Checked; }

}  // namespace

Form3::Form3(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setUpCalculatorWindow(this, "Form3", "端板厚度计算器", 6885, 4875);
    buildControls();
    Form_Load();
}

void Form3::buildControls()
{
    // The diagram, at the left.
    QGroupBox *Frame1 = makeFrame(this, "Frame1", "端板支承条件图", {3, 0, 208, 275});
    Picture1 = new EndPlateDiagram(Frame1);
    Picture1->setObjectName("Picture1");
    Picture1->move(4, 17);

    // Plate dimensions, top right.
    QGroupBox *Frame2 = makeFrame(this, "Frame2", "计算参数 单位：mm", {214, 0, 242, 70});
    makeLabel(Frame2, "Label1(0)", "b=", {10, 20, 16, 20});
    Text1 = makeTextBox(Frame2, "Text1", {26, 20, 46, 20});
    makeLabel(Frame2, "Label1(1)", "bs=", {84, 20, 20, 20});
    Text2 = makeTextBox(Frame2, "Text2", {104, 20, 46, 20});
    makeLabel(Frame2, "Label1(2)", "a=", {164, 20, 16, 20});
    Text3 = makeTextBox(Frame2, "Text3", {180, 20, 46, 20});
    makeLabel(Frame2, "Label1(3)", "ef=", {8, 44, 18, 20});
    Text4 = makeTextBox(Frame2, "Text4", {26, 44, 46, 20});
    makeLabel(Frame2, "Label2", "ew=", {78, 44, 26, 20});
    Text5 = makeTextBox(Frame2, "Text5", {104, 44, 46, 20});

    // Materials.
    QGroupBox *Frame3 = makeFrame(this, "Frame3", "设计材料选择", {214, 70, 242, 70});
    QLabel *steelLabel = makeLabel(Frame3, "Label3(0)", "端板钢材", {8, 20, 50, 20});
    Combo1 = makeList(Frame3, "Combo1", "Q235", {58, 19, 58, 22}, ListKind::Typed);
    QLabel *sizeLabel = makeLabel(Frame3, "Label3(1)", "螺栓直径", {124, 20, 50, 20});
    Combo2 = makeList(Frame3, "Combo2", "M20", {174, 19, 58, 22}, ListKind::Typed);
    makeLabel(Frame3, "Label3(2)", "螺栓级别：", {8, 45, 62, 20});
    Option1 = makeOption(Frame3, "Option1", "8.8级", {72, 45, 62, 20});
    Option2 = makeOption(Frame3, "Option2", "10.9级", {140, 45, 70, 20});

    // Support classes. The bracket joins the dashes of the two-side class to
    // the two plate ends it is computed for.
    QGroupBox *Frame4 = makeFrame(this, "Frame4", "支承条件选择", {214, 140, 242, 135});
    Check1 = makeCheck(Frame4, "Check1", "伸臂类端板", {10, 20, 120, 20});
    Check2 = makeCheck(Frame4, "Check2", "无加劲肋类端板", {10, 46, 120, 20});
    Check3 = makeCheck(Frame4, "Check3", "两边支承端板------", {10, 80, 120, 20});
    Check4 = makeCheck(Frame4, "Check4", "三边支承类端板", {10, 110, 120, 20});
    // The bracket starts where the dashes end, whatever the font.
    QStyleOptionButton checkOption;
    checkOption.initFrom(Check3);
    const int captionLeft = Check3->style()->subElementRect(QStyle::SE_CheckBoxContents, &checkOption, Check3).left();
    const int dashesEnd = Check3->x() + captionLeft + Check3->fontMetrics().horizontalAdvance(Check3->text());
    const int line = Check3->y() + Check3->height() / 2;
    QFont bracketFont = font();
    bracketFont.setPixelSize(16);
    const struct {
        const char *name;
        const char *caption;
        QRect geometry;
    } bracket[] = {{"Label4(0)", "|", {dashesEnd, line - 15, 6, 16}},
                   {"Label4(1)", "|", {dashesEnd, line - 1, 6, 16}},
                   {"Label4(2)", "-", {dashesEnd + 3, line - 23, 8, 16}},
                   {"Label4(3)", "-", {dashesEnd + 3, line + 7, 8, 16}}};
    for (const auto &piece : bracket) {
        QLabel *label = makeLabel(Frame4, piece.name, piece.caption, piece.geometry);
        label->setFont(bracketFont);
        label->setAlignment(Qt::AlignCenter);
    }
    Option3 = makeOption(Frame4, "Option3", "端板外伸", {dashesEnd + 10, line - 25, 84, 20});
    Option4 = makeOption(Frame4, "Option4", "端板平齐", {dashesEnd + 10, line + 5, 84, 20});

    // Results and the two buttons, across the bottom.
    QGroupBox *Frame5 = makeFrame(this, "Frame5", "计算结果", {3, 275, 453, 48});
    Command1 = makeButton(Frame5, "Command1", "计算", {8, 17, 56, 26});
    makeLabel(Frame5, "Label5(0)", "单个螺栓Ntb", {74, 5, 80, 14});
    Text7 = makeTextBox(Frame5, "Text7", {74, 21, 54, 20});
    makeResultBox(Text7, Qt::AlignHCenter);
    makeLabel(Frame5, "Label5(1)", "KN", {131, 21, 18, 20});
    Text6 = makeTextBox(Frame5, "Text6", {156, 21, 206, 20});
    makeResultBox(Text6);
    Command2 = makeButton(Frame5, "Command2", "返回主界面", {370, 17, 76, 26});

    makeOptionGroup({Option1, Option2}, "螺栓级别");
    makeOptionGroup({Option3, Option4}, "两边支承端板");

    // What a screen reader calls each box and list: its label and unit.
    nameForReaders(Text1, "b", "mm");
    nameForReaders(Text2, "bs", "mm");
    nameForReaders(Text3, "a", "mm");
    nameForReaders(Text4, "ef", "mm");
    nameForReaders(Text5, "ew", "mm");
    nameListForReaders(Combo1, steelLabel);
    nameListForReaders(Combo2, sizeLabel);
    nameForReaders(Check3, "两边支承端板");  // without the dashes that lead to the bracket
    nameForReaders(Text7, "单个螺栓Ntb", "kN");
    nameForReaders(Text6, "端板最小厚度");

    morvane::setTabOrder({Text1, Text2, Text3, Text4, Text5, Combo1, Combo2, Option1, Option2, Check1, Check2, Check3,
                          Check4, Option3, Option4, Command1, Command2});

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    book_ = new BookActions(this, {Frame5}, {Command1});

    fieldCheck_ = new FieldCheck(this);
    fieldCheck_->watch(Text1, [this](double v) { return Text1_LostFocus(v); });
    fieldCheck_->watch(Text2, [this](double v) { return Text2_LostFocus(v); });
    fieldCheck_->watch(Text3, [this](double v) { return Text3_LostFocus(v); });
    fieldCheck_->watch(Text4, [this](double v) { return Text4_LostFocus(v); });
    fieldCheck_->watch(Text5, [this](double v) { return Text5_LostFocus(v); });
    fieldCheck_->calculateOnEnter(Command1);
}

void Form3::Form_Load()
{
    Text1->setText("200");
    Text2->setText("100");
    Text3->setText("80");
    Text4->setText("40");
    Text5->setText("50");
    showResult(Text6, QString());
    showResult(Text7, QString());
    fillList(Combo1, {"Q235", "Q345", "Q390", "Q420"});
    fillList(Combo2, {"M16", "M20", "M22", "M24", "M27", "M30"});
    Option2->setChecked(true);
    Option3->setChecked(true);
}

std::optional<FieldFailure> Form3::Text1_LostFocus(double b) const { return positive(b); }

std::optional<FieldFailure> Form3::Text2_LostFocus(double bs) const { return positive(bs); }

std::optional<FieldFailure> Form3::Text3_LostFocus(double a) const { return positive(a); }

std::optional<FieldFailure> Form3::Text4_LostFocus(double ef) const { return positive(ef); }

std::optional<FieldFailure> Form3::Text5_LostFocus(double ew) const { return positive(ew); }

void Form3::Command1_Click()
{
    if (!fieldCheck_->passes())
        return;  // a refused value never reaches the calculation
    EndPlateInput in;
    in.b = valueOf(Text1);
    in.bs = valueOf(Text2);
    in.a = valueOf(Text3);
    in.ef = valueOf(Text4);
    in.ew = valueOf(Text5);
    in.steelGrade = Combo1->currentText().toStdString();
    in.boltSize = Combo2->currentText().toStdString();
    in.boltGrade = Option1->isChecked() ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9;
    in.cantilever = ticked(Check1);
    in.noStiffener = ticked(Check2);
    in.twoSide = ticked(Check3);
    in.threeSide = ticked(Check4);
    in.plateEnd = Option4->isChecked() ? PlateEnd::Flush : PlateEnd::Extended;

    // A size outside the table has no pretension: the calculation would
    // report a bolt of no capacity and the 16 mm floor as a design value.
    if (boltPretension(in.boltSize, in.boltGrade) == 0) {
        showResult(Text7, QString());
        showResult(Text6, QString());
        book_->setBook(describeEndPlate(in, EndPlateResult{}));
        showWarning(this, kHintTitle, QString::fromUtf8(kUnlistedBoltSizeMessage));
        return;
    }

    const EndPlateResult r = computeEndPlate(in);
    showResult(Text7, QString::fromStdString(r.NtbText));
    showResult(Text6, QString::fromStdString(r.thicknessText));  // empty when there is no thickness
    book_->setBook(describeEndPlate(in, r));
    if (r.hasThickness)
        return;
    if (!r.message.empty())
        showWarning(this, kHintTitle, QString::fromStdString(r.message));
    else
        showOutOfRange(this);
}

void Form3::Command2_Click() { close(); }

}  // namespace morvane
