#include "form6.h"

#include "bookactions.h"
#include "columnbook.h"

#include "column.h"
#include "columnlegend.h"
#include "controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace morvane {

namespace {

const QString kCheckTitle = QStringLiteral("提示");
const QStringList kDiameters{"直径16", "直径18", "直径20", "直径22", "直径25"};

// A count of middle bars: bars are laid whole, and none is the fewest.
std::optional<FieldFailure> refuseUnlessBarCount(double count)
{
    if (isBarCount(count))
        return std::nullopt;
    return FieldFailure{QString::fromUtf8(kBarCountMessage), kCheckTitle};
}

}  // namespace

Form6::Form6(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setUpCalculatorWindow(this, "Form6", "柱配筋率验算", 4800, 3990);
    buildControls();
    // The counts are told at "计算", after b and h: leaving a count box tells nothing.
    fieldCheck_->checkAtCalculate(Text4, refuseUnlessBarCount);
    fieldCheck_->checkAtCalculate(Text5, refuseUnlessBarCount);
    Form_Load();
}

void Form6::buildControls()
{
    // Section dimensions, top left.
    Frame1 = makeFrame(this, "Frame1", "截面参数 单位：mm", {4, 1, 184, 50});
    makeLabel(Frame1, "Label1(0)", "b=", {10, 24, 20, 20});
    Text1 = makeTextBox(Frame1, "Text1", {30, 24, 56, 20});
    makeLabel(Frame1, "Label1(1)", "h=", {100, 24, 20, 20});
    Text2 = makeTextBox(Frame1, "Text2", {120, 24, 56, 20});

    // Bars: in each row the label above, the count on the left, the diameter on the right.
    Frame2 = makeFrame(this, "Frame2", "配筋量输入", {4, 52, 184, 138});
    const char *rowLabels[] = {"角筋", "b边一侧中部筋", "h边一侧中部筋"};
    const char *countNames[] = {"Text3", "Text4", "Text5"};
    const char *listNames[] = {"Combo1", "Combo2", "Combo3"};
    QLineEdit **counts[] = {&Text3, &Text4, &Text5};
    QComboBox **lists[] = {&Combo1, &Combo2, &Combo3};
    for (int i = 0; i < 3; ++i) {
        const int y = 21 + 38 * i;
        QLabel *rowLabel = makeLabel(Frame2, QStringLiteral("Label2(%1)").arg(i), rowLabels[i], {10, y, 160, 15});
        QLineEdit *count = makeTextBox(Frame2, countNames[i], {10, y + 16, 56, 20});
        count->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        *counts[i] = count;
        *lists[i] = makeList(Frame2, listNames[i], "直径20", {76, y + 15, 98, 22}, ListKind::KeyProof);
        nameForReaders(count, QStringLiteral("%1根数").arg(rowLabels[i]));
        nameListForReaders(*lists[i], rowLabel);  // the list reads "直径20" after it
    }
    makeResultBox(Text3, Qt::AlignHCenter);  // always four corner bars

    // Legend, at the right.
    Frame4 = makeFrame(this, "Frame4", "图例", {192, 1, 124, 189});
    Image1 = new ColumnLegend(Frame4);
    Image1->setObjectName("Image1");
    Image1->move(2, 29);

    // Result, across the bottom.
    Frame3 = makeFrame(this, "Frame3", "计算结果", {4, 192, 312, 73});
    Command1 = makeButton(Frame3, "Command1", "计算", {8, 23, 52, 22});
    Command2 = makeButton(Frame3, "Command2", "返回", {8, 47, 52, 22});
    Text6 = new QPlainTextEdit(Frame3);
    Text6->setObjectName("Text6");
    Text6->setGeometry(66, 22, 238, 48);
    Text6->setFocusPolicy(Qt::ClickFocus);  // takes typing, but Tab passes it by
    Text6->setTabChangesFocus(true);
    Text6->document()->setDocumentMargin(2);
    setBoxBackground(Text6, tooltipBackground());
    Text6->setPlainText("Text6");

    // What a screen reader calls the other boxes: label and unit.
    nameForReaders(Text1, "b", "mm");
    nameForReaders(Text2, "h", "mm");
    nameForReaders(Text6, "配筋率验算结果");

    morvane::setTabOrder({Text1, Text2, Combo1, Combo2, Combo3, Text4, Text5, Command1, Command2});
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);

    book_ = new BookActions(this, {Frame3}, {Command1});

    fieldCheck_ = new FieldCheck(this);
    fieldCheck_->watch(Text1, [this](double v) { return Text1_LostFocus(v); });
    fieldCheck_->watch(Text2, [this](double v) { return Text2_LostFocus(v); });
    fieldCheck_->requireNumbers({Text4, Text5});
    fieldCheck_->calculateOnEnter(Command1);
}

void Form6::Form_Load()
{
    fillList(Combo1, kDiameters);
    fillList(Combo2, kDiameters);
    fillList(Combo3, kDiameters);
    Text1->setText("400");
    Text2->setText("400");
    Text3->setText("4");
    Text4->setText("2");
    Text5->setText("2");
    Text6->clear();
}

std::optional<FieldFailure> Form6::Text1_LostFocus(double b) const
{
    return refuseAtMost(b, 0, "柱宽不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form6::Text2_LostFocus(double h) const
{
    return refuseAtMost(h, 0, "柱高不得小于等于0", kCheckTitle);
}

void Form6::Command1_Click()
{
    if (!fieldCheck_->passes())
        return;  // a refused b or h never reaches the calculation
    ColumnInput in;
    in.width = valueOf(Text1);
    in.height = valueOf(Text2);
    in.cornerDiameter = Combo1->currentText().toStdString();
    in.bCount = valueOf(Text4);
    in.bDiameter = Combo2->currentText().toStdString();
    in.hCount = valueOf(Text5);
    in.hDiameter = Combo3->currentText().toStdString();

    const ColumnResult r = computeColumnRatio(in);

    Text6->setPlainText(QString::fromStdString(r.report).replace("\r\n", "\n"));
    book_->setBook(describeColumnRatio(in, r));
    if (!r.computable)
        showOutOfRange(this);
}

void Form6::Command2_Click() { close(); }

}  // namespace morvane
