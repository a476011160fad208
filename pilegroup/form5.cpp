#include "form5.h"

#include "bookactions.h"
#include "pilegroupbook.h"

#include "controls.h"
#include "pilegroup.h"
#include "warningbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

namespace {

const QString kCheckTitle = QStringLiteral("提示");

}  // namespace

Form5::Form5(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setUpCalculatorWindow(this, "Form5", "桩基承载力估算", 4725, 3225);
    buildControls();
    Form_Load();
    Text1->setFocus();  // where the user starts when the window opens
}

void Form5::buildControls()
{
    // Cap dimensions, upper left.
    Frame1 = makeFrame(this, "Frame1", "承台参数 ", {4, 2, 150, 126});
    makeLabel(Frame1, "Label1(0)", "L=", {12, 19, 18, 20});
    Text1 = makeTextBox(Frame1, "Text1", {32, 19, 76, 20});
    makeLabel(Frame1, "Label1(3)", "mm", {112, 19, 28, 20});
    makeLabel(Frame1, "Label1(1)", "B=", {12, 42, 18, 20});
    Text2 = makeTextBox(Frame1, "Text2", {32, 42, 76, 20});
    makeLabel(Frame1, "Label1(5)", "mm", {112, 42, 28, 20});
    makeLabel(Frame1, "Label1(6)", "H=", {12, 65, 18, 20});
    Text3 = makeTextBox(Frame1, "Text3", {32, 65, 76, 20});
    makeLabel(Frame1, "Label1(2)", "承台埋深：", {12, 86, 96, 16});
    Text4 = makeTextBox(Frame1, "Text4", {32, 102, 76, 20});
    makeLabel(Frame1, "Label1(4)", "mm", {112, 102, 28, 20});

    // Design capacity of one pile, upper right.
    Frame2 = makeFrame(this, "Frame2", "单桩桩承载力设计值", {158, 2, 153, 46});
    Text5 = makeTextBox(Frame2, "Text5", {32, 19, 76, 20});
    makeLabel(Frame2, "Label2", "KN", {112, 19, 24, 20});

    // Unit weights, right, below the pile.
    Frame3 = makeFrame(this, "Frame3", "材料参数", {158, 50, 153, 78});
    makeLabel(Frame3, "Label3(0)", "砼容重：", {8, 21, 50, 20});
    Text6 = makeTextBox(Frame3, "Text6", {58, 21, 40, 20});
    makeLabel(Frame3, "Label3(1)", "KN/m^3", {101, 21, 49, 20});
    makeLabel(Frame3, "Label3(2)", "土容重：", {8, 48, 50, 20});
    Text7 = makeTextBox(Frame3, "Text7", {58, 48, 40, 20});
    makeLabel(Frame3, "Label3(3)", "KN/m^3", {101, 48, 49, 20});

    // Pile count, the calculation and its result, along the bottom.
    Frame4 = makeFrame(this, "Frame4", "计算", {4, 130, 270, 83});
    auto *countLabel = makeLabel(Frame4, "Label4(0)", "选择桩数", {8, 21, 66, 34});
    countLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Combo1 = makeList(Frame4, "Combo1", "六桩", {8, 57, 66, 21}, ListKind::Typed);
    Combo1->setMaxVisibleItems(16);  // every pile count at once, without scrolling
    Command1 = makeButton(Frame4, "Command1", "计算", {80, 56, 42, 23});
    auto *resultLabel = makeLabel(Frame4, "Label4(1)", "扣除承台及覆土重后的桩基承载力", {130, 21, 124, 34});
    resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    resultLabel->setWordWrap(true);
    Text8 = makeTextBox(Frame4, "Text8", {130, 57, 110, 21});
    Text8->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setBoxBackground(Text8, tooltipBackground());
    Text8->setFocusPolicy(Qt::ClickFocus);  // shaded like a result, but typing is allowed
    makeLabel(Frame4, "Label4(3)", "KN", {243, 57, 22, 21});

    // Tall and narrow: the caption wraps.
    Command2 = new WrappingButton(QStringLiteral("返回主界面"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(278, 156, 33, 57);  // 495 x 855 twips

    // What a screen reader calls each box and list: its label and unit.
    nameForReaders(Text1, "L", "mm");
    nameForReaders(Text2, "B", "mm");
    nameForReaders(Text3, "H", "mm");
    nameForReaders(Text4, "承台埋深", "mm");
    nameForReaders(Text5, "单桩桩承载力设计值", "kN");
    nameForReaders(Text6, "砼容重", "kN/m³");
    nameForReaders(Text7, "土容重", "kN/m³");
    nameListForReaders(Combo1, countLabel);
    nameForReaders(Text8, "扣除承台及覆土重后的桩基承载力", "kN");

    morvane::setTabOrder({Text1, Text2, Text3, Combo1, Command1, Text4, Text5, Text6, Text7, Command2});

    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);

    book_ = new BookActions(this, {Frame4}, {Command1});

    fieldCheck_ = new FieldCheck(this);
    fieldCheck_->watch(Text1, [this](double v) { return Text1_LostFocus(v); });
    fieldCheck_->watch(Text2, [this](double v) { return Text2_LostFocus(v); });
    fieldCheck_->watch(Text3, [this](double v) { return Text3_LostFocus(v); });
    fieldCheck_->watch(Text4, [this](double v) { return Text4_LostFocus(v); });
    fieldCheck_->watch(Text5, [this](double v) { return Text5_LostFocus(v); });
    fieldCheck_->watch(Text6, [this](double v) { return Text6_LostFocus(v); });
    fieldCheck_->watch(Text7, [this](double v) { return Text7_LostFocus(v); });
    // Only at "计算": the cap height may still be changed after the depth.
    fieldCheck_->checkAtCalculate(Text4, [this](double capDepth) -> std::optional<FieldFailure> {
        if (capDepth < valueOf(Text3))
            return FieldFailure{QString::fromUtf8(kCapDepthMessage), kCheckTitle};
        return std::nullopt;
    });
    fieldCheck_->calculateOnEnter(Command1);
}

void Form5::Form_Load()
{
    Text1->setText("1000");
    Text2->setText("1000");
    Text3->setText("600");
    Text4->setText("1500");
    Text5->setText("350");
    Text6->setText("25");
    Text7->setText("18");
    showResult(Text8, QString());
    // None selected: the list keeps showing "六桩", six piles.
    fillList(Combo1, {"单桩", "两桩", "三桩", "四桩", "五桩", "六桩", "七桩", "八桩", "九桩", "十桩", "十一桩",
                      "十二桩", "十三桩", "十四桩", "十五桩", "十六桩"});
}

std::optional<FieldFailure> Form5::Text1_LostFocus(double L) const
{
    return refuseAtMost(L, 0, "承台长度不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text2_LostFocus(double B) const
{
    return refuseAtMost(B, 0, "承台宽度不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text3_LostFocus(double H) const
{
    return refuseAtMost(H, 0, "承台高度不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text4_LostFocus(double capDepth) const
{
    return refuseAtMost(capDepth, 50, "承台埋深不得小于等于50", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text5_LostFocus(double pileCapacity) const
{
    return refuseAtMost(pileCapacity, 0, "桩基承载力设计值不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text6_LostFocus(double concreteWeight) const
{
    return refuseAtMost(concreteWeight, 0, "混凝土容重不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form5::Text7_LostFocus(double soilWeight) const
{
    return refuseAtMost(soilWeight, 0, "土容重不得小于等于0", kCheckTitle);
}

void Form5::Command1_Click()
{
    if (!fieldCheck_->passes())
        return;  // a refused value never reaches the calculation
    PileGroupInput in;
    in.L = valueOf(Text1);
    in.B = valueOf(Text2);
    in.H = valueOf(Text3);
    in.capDepth = valueOf(Text4);
    in.pileCapacity = valueOf(Text5);
    in.concreteWeight = valueOf(Text6);
    in.soilWeight = valueOf(Text7);
    in.pileCountText = Combo1->currentText().toStdString();  // as shown, picked or typed

    const PileGroupResult r = computePileGroup(in);

    showResult(Text8, QString::fromStdString(r.capacityText));  // empty when not computable
    book_->setBook(describePileGroup(in, r));
    if (!r.computable)
        showWarning(this, kCheckTitle, QString::fromStdString(r.refusal));
}

void Form5::Command2_Click() { close(); }

}  // namespace morvane
