#include "form2.h"

#include "boltbook.h"
#include "boltconnection.h"
#include "boltdiagram.h"
#include "bookactions.h"
#include "controls.h"
#include "numbers.h"
#include "warningbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace morvane {

namespace {

const QString kCheckTitle = QStringLiteral("数据检查");

// The number of bolt rows a layout text stands for; 0 for any other text.
int rowCount(const QString &text)
{
    return text == "四排" ? 4 : text == "六排" ? 6 : text == "八排" ? 8 : 0;
}

}  // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setUpCalculatorWindow(this, "Form2", "摩擦型高强螺栓连接计算", 7320, 5415);
    buildControls();
    Form_Load();
}

void Form2::buildControls()
{
    // Bolt layout, top left.
    Frame1 = makeFrame(this, "Frame1", "螺栓布置参数 单位：mm", {4, 2, 172, 110});
    QLabel *rowsLabel = makeLabel(Frame1, "Label1", "螺栓排数", {10, 19, 52, 20});
    Combo1 = makeList(Frame1, "Combo1", "八排", {64, 18, 80, 22}, ListKind::KeyProof);
    makeLabel(Frame1, "Label2", "e1=", {10, 43, 24, 20});
    Text1 = makeTextBox(Frame1, "Text1", {34, 43, 48, 20});
    makeLabel(Frame1, "Label3", "e2=", {92, 43, 24, 20});
    Text2 = makeTextBox(Frame1, "Text2", {116, 43, 48, 20});
    makeLabel(Frame1, "Label4", "e3=", {10, 64, 24, 20});
    Text3 = makeTextBox(Frame1, "Text3", {34, 64, 48, 20});
    makeLabel(Frame1, "Label5", "ef=", {92, 64, 24, 20});
    Text4 = makeTextBox(Frame1, "Text4", {116, 64, 48, 20});
    makeLabel(Frame1, "Label6", "ew=", {10, 85, 24, 20});
    Text5 = makeTextBox(Frame1, "Text5", {34, 85, 48, 20});
    makeLabel(Frame1, "Label7", "tw=", {92, 85, 24, 20});
    Text6 = makeTextBox(Frame1, "Text6", {116, 85, 48, 20});

    // Materials, top middle.
    Frame2 = makeFrame(this, "Frame2", "材料参数", {180, 2, 152, 110});
    QLabel *steelLabel = makeLabel(Frame2, "Label8", "钢材类别", {8, 21, 52, 20});
    Combo2 = makeList(Frame2, "Combo2", "Q235", {62, 20, 80, 22}, ListKind::KeyProof);
    setToolTipText(Combo2, "腹板钢材的强度设计值，按厚度小于等于16考虑。");
    QLabel *sizeLabel = makeLabel(Frame2, "Label9", "螺栓直径", {8, 45, 52, 20});
    Combo3 = makeList(Frame2, "Combo3", "M20", {62, 44, 80, 22}, ListKind::KeyProof);
    makeLabel(Frame2, "Label10", "螺栓级别选择：", {8, 68, 120, 18});
    Option1 = makeOption(Frame2, "Option1", "8.8级", {8, 86, 62, 20});
    Option2 = makeOption(Frame2, "Option2", "10.9级", {74, 86, 70, 20});

    // Bolt layout diagram, at the right over the full height of the upper part.
    Frame3 = makeFrame(this, "Frame3", "螺栓布置图", {336, 2, 148, 236});
    Picture1 = new BoltDiagram(4, Frame3);
    Picture2 = new BoltDiagram(6, Frame3);
    Picture3 = new BoltDiagram(8, Frame3);
    Picture1->setObjectName("Picture1");
    Picture2->setObjectName("Picture2");
    Picture3->setObjectName("Picture3");
    for (BoltDiagram *picture : {Picture1, Picture2, Picture3})
        picture->move(4, 20);
    Picture1->hide();
    Picture2->hide();

    // Design internal forces at the joint.
    Frame4 = makeFrame(this, "Frame4", "节点内力设计值", {4, 114, 328, 44});
    makeLabel(Frame4, "Label11", "M=", {8, 19, 20, 20});
    Text7 = makeTextBox(Frame4, "Text7", {28, 18, 46, 20});
    makeLabel(Frame4, "Label12", "KN.m", {77, 19, 32, 20});
    makeLabel(Frame4, "Label13", "V=", {114, 19, 18, 20});
    Text8 = makeTextBox(Frame4, "Text8", {132, 18, 46, 20});
    makeLabel(Frame4, "Label14", "KN", {181, 19, 20, 20});
    makeLabel(Frame4, "Label15", "内力放大", {210, 19, 50, 20});
    Text9 = makeTextBox(Frame4, "Text9", {262, 18, 46, 20});

    // Treatment of the contact surfaces, with the slip coefficient box.
    Frame5 = makeFrame(this, "Frame5", "连接处构件接触面处理方法", {4, 160, 328, 78});
    Option3 = makeOption(Frame5, "Option3", "喷砂（丸）", {8, 18, 92, 19});
    Option5 = makeOption(Frame5, "Option5", "喷砂（丸）后生赤锈", {104, 18, 150, 19});
    Option4 = makeOption(Frame5, "Option4", "喷砂（丸）后涂无机富锌漆", {8, 37, 200, 19});
    Option6 = makeOption(Frame5, "Option6", "钢丝刷清除浮锈或未经处理的干净扎制表面", {8, 56, 262, 19});
    Text16 = makeTextBox(Frame5, "Text16", {272, 30, 48, 20});
    makeResultBox(Text16, Qt::AlignHCenter);  // the slip coefficient, a result

    // Results, across the bottom.
    Frame6 = makeFrame(this, "Frame6", "计算结果 单位：KN", {4, 240, 480, 118});
    struct ResultBox {
        const char *name;
        const char *caption;
        int x;
        int width;
    };
    const ResultBox resultBoxes[] = {
        {"Text10", "Nt1=", 8, 106}, {"Text11", "Nv1=", 118, 106}, {"Text12", "Nbv1=", 228, 106},
        {"Text13", "P=", 338, 28},  {"Text14", "nt2=", 370, 102},
    };
    QLineEdit **targets[] = {&Text10, &Text11, &Text12, &Text13, &Text14};
    QFont verdictFont = font();
    verdictFont.setPointSizeF(8);
    for (int i = 0; i < 5; ++i) {
        const ResultBox &r = resultBoxes[i];
        makeLabel(Frame6, QStringLiteral("Label%1").arg(16 + i), r.caption, {r.x, 17, r.width, 15});
        QLineEdit *box = makeTextBox(Frame6, r.name, {r.x, 32, r.width, 22});
        makeResultBox(box, Qt::AlignHCenter);
        *targets[i] = box;
    }
    Command1 = makeButton(Frame6, "Command1", "计算", {8, 66, 50, 30});
    Text15 = new QPlainTextEdit(Frame6);
    Text15->setObjectName("Text15");
    Text15->setGeometry(62, 58, 326, 56);
    Text15->setFont(verdictFont);
    Text15->setReadOnly(true);
    Text15->setFocusPolicy(Qt::ClickFocus);
    Text15->setTabChangesFocus(true);
    Text15->document()->setDocumentMargin(2);
    setBoxBackground(Text15, tooltipBackground());
    Text15->setPlainText("Text15");
    Command2 = makeButton(Frame6, "Command2", "返回主界面", {392, 66, 80, 30});

    makeOptionGroup({Option1, Option2}, "螺栓级别");
    makeOptionGroup({Option3, Option4, Option5, Option6}, "连接处构件接触面处理方法");

    // What a screen reader calls each box and list: its label and unit.
    nameListForReaders(Combo1, rowsLabel);
    nameForReaders(Text1, "e1", "mm");
    nameForReaders(Text2, "e2", "mm");
    nameForReaders(Text3, "e3", "mm");
    nameForReaders(Text4, "ef", "mm");
    nameForReaders(Text5, "ew", "mm");
    nameForReaders(Text6, "tw", "mm");
    nameListForReaders(Combo2, steelLabel);
    nameListForReaders(Combo3, sizeLabel);
    nameForReaders(Text7, "M", "kN·m");
    nameForReaders(Text8, "V", "kN");
    nameForReaders(Text9, "内力放大");
    nameForReaders(Text16, "抗滑移系数");
    nameForReaders(Text10, "Nt1", "kN");
    nameForReaders(Text11, "Nv1", "kN");
    nameForReaders(Text12, "Nbv1", "kN");
    nameForReaders(Text13, "P", "kN");
    nameForReaders(Text14, "nt2", "kN");
    nameForReaders(Text15, "验算结论");

    // Tab order of the controls the user works with.
    morvane::setTabOrder({Text1, Text2, Text3, Text4, Option1, Option2, Text5, Text6, Text7, Text8, Text9, Option3,
                          Option4, Option5, Option6, Combo1, Combo2, Combo3, Command1, Command2});

    connect(Combo1, &QComboBox::activated, this, &Form2::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);

    // The spacing hint waits until typing pauses: a key that changes e1
    // starts the pause again, a key that changes nothing does not.
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(kHintPauseMs);
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(Text1, &QLineEdit::textEdited, Timer1, qOverload<>(&QTimer::start));
    Text1->installEventFilter(this);

    book_ = new BookActions(this, {Frame6}, {Command1});

    fieldCheck_ = new FieldCheck(this);
    fieldCheck_->watch(Text1, [this](double v) { return Text1_LostFocus(v); });
    fieldCheck_->watch(Text2, [this](double v) { return Text2_LostFocus(v); });
    fieldCheck_->watch(Text3, [this](double v) { return Text3_LostFocus(v); });
    fieldCheck_->watch(Text4, [this](double v) { return Text4_LostFocus(v); });
    fieldCheck_->watch(Text5, [this](double v) { return Text5_LostFocus(v); });
    fieldCheck_->watch(Text6, [this](double v) { return Text6_LostFocus(v); });
    fieldCheck_->watch(Text9, [this](double v) { return Text9_LostFocus(v); });
    fieldCheck_->requireNumbers({Text7, Text8});
    fieldCheck_->calculateOnEnter(Command1);
}

void Form2::Form_Load()
{
    Text1->setText("40");
    Text2->setText("80");
    Text3->clear();
    Text4->setText("40");
    Text5->setText("50");
    Text6->setText("6");
    Text7->setText("105");
    Text8->setText("720");
    Text9->setText("1");
    for (QLineEdit *box : {Text10, Text11, Text12, Text13, Text14, Text16})
        showResult(box, QString());
    Text15->clear();
    fillList(Combo1, {"四排", "六排", "八排"});
    fillList(Combo2, {"Q235", "Q345", "Q390", "Q420"});
    fillList(Combo3, {"M16", "M20", "M22", "M24", "M27", "M30"});
    Option2->setChecked(true);
    Option3->setChecked(true);
    // The eight-row layout.
    setLocked(Text2, false);
    setLocked(Text3, false);
}

void Form2::setLocked(QLineEdit *box, bool locked)
{
    // A locked box still takes the focus but refuses editing.
    box->setReadOnly(locked);
    setBoxBackground(box, locked ? scrollBarGrey() : windowBackground());
}

void Form2::Combo1_Click()
{
    const int rows = rowCount(Combo1->currentText());
    if (rows == 0)
        return;
    Picture1->setVisible(rows == 4);
    Picture2->setVisible(rows == 6);
    Picture3->setVisible(rows == 8);
    // e2 exists from six rows on, e3 with eight; a box that goes is emptied.
    const bool e2Locked = rows < 6;
    const bool e3Locked = rows < 8;
    if (e2Locked)
        Text2->clear();
    setLocked(Text2, e2Locked);
    if (e3Locked)
        Text3->clear();
    setLocked(Text3, e3Locked);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1) {
        // A key held down in e1 holds the hint back until it is released.
        // Only a key whose press e1 received counts: the release of the
        // Enter that closed a box lands here too.
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                keysHeldInText1_.insert(key->key());
        } else if (event->type() == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat() && keysHeldInText1_.remove(key->key()) && keysHeldInText1_.isEmpty()
                && hintWaitsForRelease_) {
                hintWaitsForRelease_ = false;
                Timer1->start();  // a fresh pause from the last release
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving e1 before the pause drops the hint: the field check
            // or whatever the user went on to do takes over.
            keysHeldInText1_.clear();
            hintWaitsForRelease_ = false;
            Timer1->stop();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Timer1_Timer()
{
    if (!Text1->hasFocus())
        return;  // text dropped into e1 from elsewhere: nobody is typing there
    if (!keysHeldInText1_.isEmpty()) {
        hintWaitsForRelease_ = true;  // a key is still down: more may come
        return;
    }
    // e1 is half the distance between the two middle rows: 200 is 400 mm.
    if (valueOf(Text1) >= 200)
        showWarning(Text1, "提示", "中间两排螺栓间距大于等于400，设计时中间增设一对螺栓");
}

std::optional<FieldFailure> Form2::Text1_LostFocus(double e1) const
{
    return refuseAtMost(e1, 0, "e1不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form2::Text2_LostFocus(double e2) const
{
    if (e2 < 0)
        return FieldFailure{"e2不得小于0", kCheckTitle};
    return std::nullopt;
}

std::optional<FieldFailure> Form2::Text3_LostFocus(double e3) const
{
    if (e3 < 0)
        return FieldFailure{"e3不得小于0", kCheckTitle};
    return std::nullopt;
}

std::optional<FieldFailure> Form2::Text4_LostFocus(double ef) const
{
    return refuseAtMost(ef, 0, "ef不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form2::Text5_LostFocus(double ew) const
{
    return refuseAtMost(ew, 0, "ew不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form2::Text6_LostFocus(double tw) const
{
    return refuseAtMost(tw, 0, "tw不得小于等于0", kCheckTitle);
}

std::optional<FieldFailure> Form2::Text9_LostFocus(double amplification) const
{
    if (amplification <= 0)
        return FieldFailure{"放大系数不得小于等于0", "输入数据错误"};
    if (amplification > 2)
        return FieldFailure{"老兄，放大得太多了吧", kCheckTitle};
    return std::nullopt;
}

void Form2::Command1_Click()
{
    if (!fieldCheck_->passes())
        return;  // a refused value never reaches the calculation
    BoltConnectionInput in;
    in.rows = rowCount(Combo1->currentText());
    in.e1 = valueOf(Text1);
    in.e2 = valueOf(Text2);
    in.e3 = valueOf(Text3);
    in.ef = valueOf(Text4);
    in.ew = valueOf(Text5);
    in.tw = valueOf(Text6);
    in.M = valueOf(Text7);
    in.V = valueOf(Text8);
    in.amplification = valueOf(Text9);
    in.steelGrade = Combo2->currentText().toStdString();
    in.boltSize = Combo3->currentText().toStdString();
    in.boltGrade = Option1->isChecked() ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9;
    in.surfaceTreatment = Option4->isChecked()   ? SurfaceTreatment::BlastedZincPrimer
                          : Option5->isChecked() ? SurfaceTreatment::BlastedRusted
                          : Option6->isChecked() ? SurfaceTreatment::WireBrushed
                                                 : SurfaceTreatment::Blasted;

    const BoltConnectionResult r = computeBoltConnection(in);

    // Written in this order: mu, P, Nt1, Nv1, nt2, Nbv1, the verdict.
    showResult(Text16, QString::fromStdString(r.muText));
    showResult(Text13, QString::fromStdString(r.PText));
    showResult(Text10, QString::fromStdString(r.Nt1Text));
    showResult(Text11, QString::fromStdString(r.Nv1Text));
    showResult(Text14, QString::fromStdString(r.nt2Text));
    showResult(Text12, QString::fromStdString(r.Nbv1Text));
    Text15->setPlainText(QString::fromStdString(r.verdictText).replace("\r\n", "\n"));
    book_->setBook(describeBoltConnection(in, r));
    if (!r.computable)
        showOutOfRange(this);
}

void Form2::Command2_Click() { close(); }

}  // namespace morvane
