#include "form1.h"

#include "appicon.h"
#include "controls.h"
#include "boltconnectionwindow.h"
#include "endplatewindow.h"
#include "form4.h"
#include "pilegroupwindow.h"
#include "columnwindow.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace morvane {

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle("Morvane");
    setWindowIcon(programIcon());

    auto *client = new QWidget(this);
    client->setObjectName("Form1Client");
    client->setFixedSize(335, 139);  // 5025 x 2085 twips
    setCentralWidget(client);

    Frame1 = new QGroupBox("Morvane", client);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(4, 0, 327, 135);

    auto button = [this](const char *name, const QString &caption, int x, int y, int width) {
        auto *b = new WrappingButton(caption, Frame1);
        b->setObjectName(name);
        b->setGeometry(x, y, width, 33);  // 495 twips high
        return b;
    };
    // Left column 1455 twips wide, the others 1335.
    Command1 = button("Command1", "摩擦型高强螺栓连接计算", 14, 22, 97);
    Command3 = button("Command3", "端板厚度计算", 119, 22, 89);
    Command6 = button("Command6", "柱配筋率验算", 216, 22, 89);
    Command2 = button("Command2", "轴心受压构件稳定系数查询", 14, 62, 97);
    Command5 = button("Command5", "桩基承载力估算", 119, 62, 89);
    Command4 = button("Command4", "退出程序", 216, 62, 89);

    const QFont kai = kaiFont(14.25, true, true);
    Label1_1 = new QLabel("V1.0", Frame1);
    Label1_1->setObjectName("Label1(1)");
    Label1_1->setFont(kai);
    Label1_1->setGeometry(14, 100, 97, 28);
    Label1_0 = new QLabel("Morvane 出品", Frame1);
    Label1_0->setObjectName("Label1(0)");
    Label1_0->setFont(kai);
    Label1_0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1_0->setGeometry(150, 100, 165, 28);

    QWidget *order[] = {Command1, Command2, Command3, Command4, Command5, Command6};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    proselect = menuBar()->addMenu("程序选择");
    proselect->setObjectName("proselect");
    auto entry = [this](const char *name, const QString &caption) {
        QAction *a = proselect->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto separator = [this](const char *name) {
        QAction *a = proselect->addSeparator();
        a->setObjectName(name);  // drawn as a plain line
        return a;
    };
    luoshuan = entry("luoshuan", "高强螺栓计算");
    fen1 = separator("fen1");
    duanban = entry("duanban", "端板厚度计算");
    fen2 = separator("fen2");
    zhupeijin = entry("zhupeijin", "柱配筋率");
    fen3 = separator("fen3");
    shouyaxishu = entry("shouyaxishu", "稳定系数");
    fen4 = separator("fen4");
    zhuangji = entry("zhuangji", "桩基承载力计算");

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(luoshuan, &QAction::triggered, this, &Form1::luoshuan_Click);
    connect(duanban, &QAction::triggered, this, &Form1::duanban_Click);
    connect(zhupeijin, &QAction::triggered, this, &Form1::zhupeijin_Click);
    connect(shouyaxishu, &QAction::triggered, this, &Form1::shouyaxishu_Click);
    connect(zhuangji, &QAction::triggered, this, &Form1::zhuangji_Click);

    Command1->setFocus();
}

Form1::~Form1()
{
    // Calculator windows have no owner: the program ends with them.
    closeCalculators();
}

template <typename Window>
void Form1::open(QPointer<QWidget> &instance)
{
    if (!instance)
        instance = new Window();  // builds its controls and runs its load step
    if (instance->isMinimized())
        instance->showNormal();
    else
        instance->show();
    instance->raise();
    instance->activateWindow();
}

void Form1::Command1_Click() { open<BoltConnectionWindow>(form2_); }
void Form1::luoshuan_Click() { open<BoltConnectionWindow>(form2_); }

// The end plate, stability, pile group and column windows are opened here
// once they are built.
void Form1::Command2_Click() { open<Form4>(form4_); }
void Form1::shouyaxishu_Click() { open<Form4>(form4_); }
void Form1::Command3_Click() { open<EndPlateWindow>(form3_); }
void Form1::duanban_Click() { open<EndPlateWindow>(form3_); }
void Form1::Command5_Click() { open<PileGroupWindow>(form5_); }
void Form1::zhuangji_Click() { open<PileGroupWindow>(form5_); }
void Form1::Command6_Click() { open<ColumnWindow>(form6_); }
void Form1::zhupeijin_Click() { open<ColumnWindow>(form6_); }

void Form1::closeCalculators()
{
    for (QPointer<QWidget> *window : {&form2_, &form3_, &form4_, &form5_, &form6_})
        delete *window;
}

void Form1::Command4_Click()
{
    // Ends the program at once: every window closes, no question asked.
    closeCalculators();
    QCoreApplication::quit();
}

}  // namespace morvane
