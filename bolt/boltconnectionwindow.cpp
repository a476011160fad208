#include "boltconnectionwindow.h"

#include "boltbook.h"
#include "boltconnection.h"
#include "boltconnectiontexts.h"
#include "boltdiagram.h"
#include "bookactions.h"
#include "controls.h"
#include "fieldcheck.h"
#include "numbers.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace morvane {

namespace {

constexpr const char *kCheckTitle = "数据检查";
constexpr const char *kRowLayouts[] = {"四排", "六排", "八排"};
constexpr const char *kSteelGrades[] = {"Q235", "Q345", "Q390", "Q420"};
constexpr const char *kBoltSizes[] = {"M16", "M20", "M22", "M24", "M27", "M30"};

template <int rows>
QWidget *diagram(QWidget *parent)
{
    return new BoltDiagram(rows, parent);
}

using enum ControlKind;
using W = BoltConnectionWindow;

// The table keeps a control to a line or two, and the Tab order to a few lines:
// clang-format would give each field a line.
// clang-format off
constexpr ControlRow kControls[] = {
    // Bolt layout, top left.
    {.name = "Frame1", .kind = Frame, .text = "螺栓布置参数 单位：mm", .geometry = {4, 2, 172, 110}},
    {.name = "Label1", .kind = Label, .parent = "Frame1", .text = "螺栓排数", .geometry = {10, 19, 52, 20}},
    {.name = "Combo1", .kind = KeyProofList, .role = W::Rows, .parent = "Frame1", .text = "八排",
     .geometry = {64, 18, 80, 22}, .namedBy = "Label1", .feeds = "rows", .items = kRowLayouts},
    {.name = "Label2", .kind = Label, .parent = "Frame1", .text = "e1=", .geometry = {10, 43, 24, 20}},
    {.name = "Text1", .kind = Box, .role = W::E1, .parent = "Frame1", .geometry = {34, 43, 48, 20}, .reader = "e1",
     .unit = "mm", .rules = {above(0, "e1不得小于等于0", kCheckTitle)}, .feeds = "e1", .value = "40"},
    {.name = "Label3", .kind = Label, .parent = "Frame1", .text = "e2=", .geometry = {92, 43, 24, 20}},
    {.name = "Text2", .kind = Box, .role = W::E2, .parent = "Frame1", .geometry = {116, 43, 48, 20}, .reader = "e2",
     .unit = "mm", .rules = {atLeast(0, "e2不得小于0", kCheckTitle)}, .feeds = "e2", .value = "80"},
    {.name = "Label4", .kind = Label, .parent = "Frame1", .text = "e3=", .geometry = {10, 64, 24, 20}},
    // Opens empty, its design text cleared.
    {.name = "Text3", .kind = Box, .role = W::E3, .parent = "Frame1", .geometry = {34, 64, 48, 20}, .reader = "e3",
     .unit = "mm", .rules = {atLeast(0, "e3不得小于0", kCheckTitle)}, .feeds = "e3", .value = ""},
    {.name = "Label5", .kind = Label, .parent = "Frame1", .text = "ef=", .geometry = {92, 64, 24, 20}},
    {.name = "Text4", .kind = Box, .role = W::Ef, .parent = "Frame1", .geometry = {116, 64, 48, 20}, .reader = "ef",
     .unit = "mm", .rules = {above(0, "ef不得小于等于0", kCheckTitle)}, .feeds = "ef", .value = "40"},
    {.name = "Label6", .kind = Label, .parent = "Frame1", .text = "ew=", .geometry = {10, 85, 24, 20}},
    {.name = "Text5", .kind = Box, .role = W::Ew, .parent = "Frame1", .geometry = {34, 85, 48, 20}, .reader = "ew",
     .unit = "mm", .rules = {above(0, "ew不得小于等于0", kCheckTitle)}, .feeds = "ew", .value = "50"},
    {.name = "Label7", .kind = Label, .parent = "Frame1", .text = "tw=", .geometry = {92, 85, 24, 20}},
    {.name = "Text6", .kind = Box, .role = W::Tw, .parent = "Frame1", .geometry = {116, 85, 48, 20}, .reader = "tw",
     .unit = "mm", .rules = {above(0, "tw不得小于等于0", kCheckTitle)}, .feeds = "tw", .value = "6"},

    // Materials, top middle.
    {.name = "Frame2", .kind = Frame, .text = "材料参数", .geometry = {180, 2, 152, 110}},
    {.name = "Label8", .kind = Label, .parent = "Frame2", .text = "钢材类别", .geometry = {8, 21, 52, 20}},
    {.name = "Combo2", .kind = KeyProofList, .role = W::SteelGrade, .parent = "Frame2", .text = "Q235",
     .geometry = {62, 20, 80, 22}, .namedBy = "Label8", .tip = "腹板钢材的强度设计值，按厚度小于等于16考虑。",
     .feeds = "steelGrade", .items = kSteelGrades,
     .currentTip = "腹板钢材的强度设计值，按厚度小于等于16考虑（GB 50017-2017 表4.4.1）："
                   "Q235 215、Q345 305、Q390 345、Q420 375 N/mm²。"},
    {.name = "Label9", .kind = Label, .parent = "Frame2", .text = "螺栓直径", .geometry = {8, 45, 52, 20}},
    {.name = "Combo3", .kind = KeyProofList, .role = W::BoltSize, .parent = "Frame2", .text = "M20",
     .geometry = {62, 44, 80, 22}, .namedBy = "Label9", .feeds = "boltSize", .items = kBoltSizes},
    {.name = "Label10", .kind = Label, .parent = "Frame2", .text = "螺栓级别选择：", .geometry = {8, 68, 120, 18}},
    {.name = "Option1", .kind = Option, .role = W::Grade8_8, .parent = "Frame2", .text = "8.8级",
     .geometry = {8, 86, 62, 20}, .reader = "螺栓级别", .feeds = "boltGrade"},
    {.name = "Option2", .kind = Option, .role = W::Grade10_9, .parent = "Frame2", .text = "10.9级",
     .geometry = {74, 86, 70, 20}, .reader = "螺栓级别", .checked = true},

    // The bolt layout diagram of each number of rows, one shown at a time, at
    // the right over the full height of the upper part.
    {.name = "Frame3", .kind = Frame, .text = "螺栓布置图", .geometry = {336, 2, 148, 236}},
    {.name = "Picture1", .kind = Picture, .role = W::FourRowDiagram, .parent = "Frame3", .geometry = {4, 20, 0, 0},
     .make = diagram<4>},
    {.name = "Picture2", .kind = Picture, .role = W::SixRowDiagram, .parent = "Frame3", .geometry = {4, 20, 0, 0},
     .make = diagram<6>},
    {.name = "Picture3", .kind = Picture, .role = W::EightRowDiagram, .parent = "Frame3", .geometry = {4, 20, 0, 0},
     .make = diagram<8>},

    // Design internal forces at the joint.
    {.name = "Frame4", .kind = Frame, .text = "节点内力设计值", .geometry = {4, 114, 328, 44}},
    {.name = "Label11", .kind = Label, .parent = "Frame4", .text = "M=", .geometry = {8, 19, 20, 20}},
    {.name = "Text7", .kind = Box, .role = W::Moment, .parent = "Frame4", .geometry = {28, 18, 46, 20}, .reader = "M",
     .unit = "kN·m", .feeds = "M", .value = "105"},
    {.name = "Label12", .kind = Label, .parent = "Frame4", .text = "KN.m", .geometry = {77, 19, 32, 20}},
    {.name = "Label13", .kind = Label, .parent = "Frame4", .text = "V=", .geometry = {114, 19, 18, 20}},
    {.name = "Text8", .kind = Box, .role = W::Shear, .parent = "Frame4", .geometry = {132, 18, 46, 20}, .reader = "V",
     .unit = "kN", .feeds = "V", .value = "720"},
    {.name = "Label14", .kind = Label, .parent = "Frame4", .text = "KN", .geometry = {181, 19, 20, 20}},
    {.name = "Label15", .kind = Label, .parent = "Frame4", .text = "内力放大", .geometry = {210, 19, 50, 20}},
    {.name = "Text9", .kind = Box, .role = W::Amplification, .parent = "Frame4", .geometry = {262, 18, 46, 20},
     .reader = "内力放大",
     .rules = {above(0, "放大系数不得小于等于0", "输入数据错误"), atMost(2, "老兄，放大得太多了吧", kCheckTitle)},
     .feeds = "amplification", .value = "1"},

    // Treatment of the contact surfaces, with the slip coefficient it gives.
    {.name = "Frame5", .kind = Frame, .text = "连接处构件接触面处理方法", .geometry = {4, 160, 328, 78}},
    // The current edition's table has three treatments: Option5 goes, and
    // the others name the rows of that table.
    {.name = "Option3", .kind = Option, .role = W::Blasted, .parent = "Frame5", .text = "喷砂（丸）",
     .geometry = {8, 18, 92, 19}, .reader = "连接处构件接触面处理方法", .feeds = "surfaceTreatment", .checked = true,
     .currentText = "喷硬质石英砂或铸钢棱角砂", .currentGeometry = {8, 18, 180, 19}},
    {.name = "Option5", .kind = Option, .role = W::BlastedRusted, .parent = "Frame5", .text = "喷砂（丸）后生赤锈",
     .geometry = {104, 18, 150, 19}, .reader = "连接处构件接触面处理方法", .hiddenInCurrent = true},
    {.name = "Option4", .kind = Option, .role = W::BlastedZincPrimer, .parent = "Frame5",
     .text = "喷砂（丸）后涂无机富锌漆", .geometry = {8, 37, 200, 19}, .reader = "连接处构件接触面处理方法",
     .currentText = "抛丸（喷砂）", .currentGeometry = {8, 37, 110, 19}},
    {.name = "Option6", .kind = Option, .role = W::WireBrushed, .parent = "Frame5",
     .text = "钢丝刷清除浮锈或未经处理的干净扎制表面", .geometry = {8, 56, 262, 19},
     .reader = "连接处构件接触面处理方法", .currentText = "钢丝刷清除浮锈或未经处理的干净轧制面"},
    {.name = "Text16", .kind = ResultBox, .role = W::SlipCoefficient, .parent = "Frame5", .geometry = {272, 30, 48, 20},
     .reader = "抗滑移系数", .align = Qt::AlignHCenter, .shows = "mu"},

    // Results, across the bottom.
    {.name = "Frame6", .kind = Frame, .text = "计算结果 单位：KN", .geometry = {4, 240, 480, 118}, .duty = Duty::Results},
    {.name = "Label16", .kind = Label, .parent = "Frame6", .text = "Nt1=", .geometry = {8, 17, 106, 15}},
    {.name = "Text10", .kind = ResultBox, .role = W::Nt1, .parent = "Frame6", .geometry = {8, 32, 106, 22},
     .reader = "Nt1", .unit = "kN", .align = Qt::AlignHCenter, .shows = "Nt1"},
    {.name = "Label17", .kind = Label, .parent = "Frame6", .text = "Nv1=", .geometry = {118, 17, 106, 15}},
    {.name = "Text11", .kind = ResultBox, .role = W::Nv1, .parent = "Frame6", .geometry = {118, 32, 106, 22},
     .reader = "Nv1", .unit = "kN", .align = Qt::AlignHCenter, .shows = "Nv1"},
    // Under the current edition the capacity of one bolt without the tension, Nvb.
    {.name = "Label18", .kind = Label, .parent = "Frame6", .text = "Nbv1=", .geometry = {228, 17, 106, 15},
     .currentText = "Nvb="},
    {.name = "Text12", .kind = ResultBox, .role = W::Nbv1, .parent = "Frame6", .geometry = {228, 32, 106, 22},
     .reader = "Nbv1", .unit = "kN", .align = Qt::AlignHCenter, .shows = "Nbv1", .currentReader = "Nvb"},
    {.name = "Label19", .kind = Label, .parent = "Frame6", .text = "P=", .geometry = {338, 17, 28, 15}},
    {.name = "Text13", .kind = ResultBox, .role = W::Pretension, .parent = "Frame6", .geometry = {338, 32, 28, 22},
     .reader = "P", .unit = "kN", .align = Qt::AlignHCenter, .shows = "P"},
    {.name = "Label20", .kind = Label, .parent = "Frame6", .text = "nt2=", .geometry = {370, 17, 102, 15}},
    {.name = "Text14", .kind = ResultBox, .role = W::Nt2, .parent = "Frame6", .geometry = {370, 32, 102, 22},
     .reader = "nt2", .unit = "kN", .align = Qt::AlignHCenter, .shows = "nt2"},
    {.name = "Command1", .kind = Button, .role = W::CalculateButton, .parent = "Frame6", .text = "计算",
     .geometry = {8, 66, 50, 30}, .duty = Duty::Calculate},
    {.name = "Text15", .kind = ReportBox, .role = W::Verdict, .parent = "Frame6", .geometry = {62, 58, 326, 56},
     .reader = "验算结论", .shows = "verdict"},
    {.name = "Command2", .kind = Button, .role = W::ReturnButton, .parent = "Frame6", .text = "返回主界面",
     .geometry = {392, 66, 80, 30}, .duty = Duty::Return},
};

constexpr const char *kTabOrder[] = {"Text1",   "Text2",   "Text3",   "Text4",   "Option1", "Option2", "Text5",
                                     "Text6",   "Text7",   "Text8",   "Text9",   "Option3", "Option4", "Option5",
                                     "Option6", "Combo1",  "Combo2",  "Combo3",  "Command1", "Command2"};
// clang-format on

constexpr WindowTable kTable{.name = "Form2",
                             .caption = "摩擦型高强螺栓连接计算",
                             .widthTwips = 7320,
                             .heightTwips = 5415,
                             .controls = kControls,
                             .tabOrder = kTabOrder,
                             .captionCurrent = "摩擦型高强螺栓连接计算（GB 50017-2017）",
                             .calculator = "bolt-connection"};


}  // namespace

const WindowTable &BoltConnectionWindow::windowTable() { return kTable; }

BoltConnectionWindow::BoltConnectionWindow(QWidget *parent)
    : CalculatorWindow(kTable, parent)
{
    // The verdict is the program's to write, in a smaller type.
    QFont verdictFont = font();
    verdictFont.setPointSizeF(8);
    report(Verdict)->setFont(verdictFont);
    report(Verdict)->setReadOnly(true);

    // It opens in the eight-row layout.
    control(FourRowDiagram)->hide();
    control(SixRowDiagram)->hide();
    setLocked(E2, false);
    setLocked(E3, false);

    connect(list(Rows), &QComboBox::activated, this, &BoltConnectionWindow::showRowsLayout);
    connect(button(CalculateButton), &QAbstractButton::clicked, this, &BoltConnectionWindow::calculate);

    // The spacing hint waits until typing pauses: a key that changes e1
    // starts the pause again, a key that changes nothing does not.
    hintTimer_ = new QTimer(this);
    hintTimer_->setObjectName("Timer1");
    hintTimer_->setSingleShot(true);
    hintTimer_->setInterval(kHintPauseMs);
    connect(hintTimer_, &QTimer::timeout, this, &BoltConnectionWindow::showSpacingHint);
    connect(box(E1), &QLineEdit::textEdited, hintTimer_, qOverload<>(&QTimer::start));
    // The field check still sees each key first: the Enter it takes for
    // "计算" never reaches the hint.
    box(E1)->installEventFilter(this);
    box(E1)->installEventFilter(fieldCheck());
}

void BoltConnectionWindow::setLocked(int role, bool locked)
{
    // A locked box still takes the focus but refuses editing.
    box(role)->setReadOnly(locked);
    setBoxBackground(box(role), locked ? scrollBarGrey() : windowBackground());
}

void BoltConnectionWindow::showRowsLayout()
{
    const int rows = rowCount(list(Rows)->currentText().toStdString());
    if (rows == 0)
        return;
    control(FourRowDiagram)->setVisible(rows == 4);
    control(SixRowDiagram)->setVisible(rows == 6);
    control(EightRowDiagram)->setVisible(rows == 8);
    // e2 exists from six rows on, e3 with eight; a box that goes is emptied.
    const bool e2Locked = !layoutHasE2(rows);
    const bool e3Locked = !layoutHasE3(rows);
    if (e2Locked)
        box(E2)->clear();
    setLocked(E2, e2Locked);
    if (e3Locked)
        box(E3)->clear();
    setLocked(E3, e3Locked);
}

bool BoltConnectionWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == box(E1)) {
        // A key held down in e1 holds the hint back until it is released.
        // Only a key whose press e1 received counts: the release of the
        // Enter that closed a box lands here too.
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                keysHeldInE1_.insert(key->key());
        } else if (event->type() == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat() && keysHeldInE1_.remove(key->key()) && keysHeldInE1_.isEmpty()
                && hintWaitsForRelease_) {
                hintWaitsForRelease_ = false;
                hintTimer_->start();  // a fresh pause from the last release
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving e1 before the pause drops the hint: the field check
            // or whatever the user went on to do takes over.
            keysHeldInE1_.clear();
            hintWaitsForRelease_ = false;
            hintTimer_->stop();
        }
    }
    return CalculatorWindow::eventFilter(watched, event);
}

void BoltConnectionWindow::showSpacingHint()
{
    QLineEdit *e1 = box(E1);
    if (!e1->hasFocus())
        return;  // text dropped into e1 from elsewhere: nobody is typing there
    if (!keysHeldInE1_.isEmpty()) {
        hintWaitsForRelease_ = true;  // a key is still down: more may come
        return;
    }
    // e1 is half the distance between the two middle rows: 200 is 400 mm.
    if (valueOf(e1) >= 200)
        showWarning(e1, "提示", "中间两排螺栓间距大于等于400，设计时中间增设一对螺栓");
}

void BoltConnectionWindow::calculate()
{
    if (!fieldCheck()->passes())
        return;  // a refused value never reaches the calculation
    const BoltConnectionInput in = boltConnectionInput(calculationTexts(), edition());

    const BoltConnectionResult r = computeBoltConnection(in);

    // Written in this order: mu, P, Nt1, Nv1, nt2, Nbv1, the verdict.
    showResult(box(SlipCoefficient), QString::fromStdString(r.muText));
    showResult(box(Pretension), QString::fromStdString(r.PText));
    showResult(box(Nt1), QString::fromStdString(r.Nt1Text));
    showResult(box(Nv1), QString::fromStdString(r.Nv1Text));
    showResult(box(Nt2), QString::fromStdString(r.nt2Text));
    showResult(box(Nbv1), QString::fromStdString(r.Nbv1Text));
    showLines(Verdict, r.verdict);
    book()->setBook(describeBoltConnection(in, r));
    if (!r.message.empty())
        showWarning(this, "提示", QString::fromStdString(r.message));
    else if (!r.computable)
        showOutOfRange(this);
}

}  // namespace morvane
