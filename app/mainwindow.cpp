#include "mainwindow.h"

#include "appicon.h"
#include "bookactions.h"
#include "calculationkeeper.h"
#include "calculators.h"
#include "columnwindow.h"
#include "controls.h"
#include "editionchoice.h"
#include "endplatewindow.h"
#include "boltconnectionwindow.h"
#include "pilegroupwindow.h"
#include "stabilitywindow.h"
#include "version.h"
#include "warningbox.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace morvane {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle("Morvane");
    setWindowIcon(programIcon());

    auto *client = new QWidget(this);
    client->setObjectName("Form1Client");
    client->setFixedSize(335, 139);  // 5025 x 2085 twips
    setCentralWidget(client);

    auto *frame = new QGroupBox("Morvane", client);
    frame->setObjectName("Frame1");
    frame->setGeometry(4, 0, 327, 135);

    auto button = [frame](const char *name, const QString &caption, int x, int y, int width) {
        auto *b = new WrappingButton(caption, frame);
        b->setObjectName(name);
        b->setGeometry(x, y, width, 33);  // 495 twips high
        return b;
    };
    // Left column 1455 twips wide, the others 1335.
    openBoltButton_ = button("Command1", "摩擦型高强螺栓连接计算", 14, 22, 97);
    openEndPlateButton_ = button("Command3", "端板厚度计算", 119, 22, 89);
    openColumnButton_ = button("Command6", "柱配筋率验算", 216, 22, 89);
    openStabilityButton_ = button("Command2", "轴心受压构件稳定系数查询", 14, 62, 97);
    openPileGroupButton_ = button("Command5", "桩基承载力估算", 119, 62, 89);
    quitButton_ = button("Command4", "退出程序", 216, 62, 89);

    const QFont kai = kaiFont(14.25, true, true);
    auto *version = new QLabel("V" MORVANE_VERSION, frame);
    version->setObjectName("Label1(1)");
    version->setFont(kai);
    version->setGeometry(14, 100, 97, 28);
    auto *maker = new QLabel("Morvane 出品", frame);
    maker->setObjectName("Label1(0)");
    maker->setFont(kai);
    maker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    maker->setGeometry(150, 100, 165, 28);

    // The Tab order of the design, Command1 to Command6.
    QWidget *order[] = {openBoltButton_, openStabilityButton_, openEndPlateButton_,
                        quitButton_,     openPileGroupButton_, openColumnButton_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    QMenu *programs = menuBar()->addMenu("程序选择");
    programs->setObjectName("proselect");
    auto entry = [programs](const char *name, const QString &caption) {
        QAction *a = programs->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto separator = [programs](const char *name) {
        programs->addSeparator()->setObjectName(name);  // drawn as a plain line
    };
    openBoltAction_ = entry("luoshuan", "高强螺栓计算");
    separator("fen1");
    openEndPlateAction_ = entry("duanban", "端板厚度计算");
    separator("fen2");
    openColumnAction_ = entry("zhupeijin", "柱配筋率");
    separator("fen3");
    openStabilityAction_ = entry("shouyaxishu", "稳定系数");
    separator("fen4");
    openPileGroupAction_ = entry("zhuangji", "桩基承载力计算");

    const struct {
        QPushButton *button;
        QAction *action;
        void (MainWindow::*open)();
    } opens[] = {{openBoltButton_, openBoltAction_, &MainWindow::openBolt},
                 {openEndPlateButton_, openEndPlateAction_, &MainWindow::openEndPlate},
                 {openStabilityButton_, openStabilityAction_, &MainWindow::openStability},
                 {openPileGroupButton_, openPileGroupAction_, &MainWindow::openPileGroup},
                 {openColumnButton_, openColumnAction_, &MainWindow::openColumn}};
    for (const auto &o : opens) {
        connect(o.button, &QPushButton::clicked, this, o.open);
        connect(o.action, &QAction::triggered, this, o.open);
    }
    connect(quitButton_, &QPushButton::clicked, this, &MainWindow::quit);

    // The edition of the design codes the bolt, end plate and stability
    // calculators follow. Which one is chosen is read when the menu first
    // opens, not before the window shows.
    QMenu *codes = menuBar()->addMenu("设计规范");
    codes->setObjectName("guifan");
    auto *editions = new QActionGroup(codes);
    editions->setExclusive(true);
    const std::pair<const char *, Edition> entries[] = {{"guifanYuan", Edition::Original},
                                                        {"guifanXianxing", Edition::Current}};
    for (const auto &[name, edition] : entries) {
        QAction *a = codes->addAction(QString::fromUtf8(editionTitle(edition)));
        a->setObjectName(name);
        a->setCheckable(true);
        editions->addAction(a);
        editionActions_[int(edition)] = a;
        connect(a, &QAction::triggered, this, [edition] { chooseEdition(edition); });
    }
    connect(codes, &QMenu::aboutToShow, this, &MainWindow::showEdition);
    connect(EditionChoice::instance(), &EditionChoice::changed, this, &MainWindow::showEdition);

    // The calculations kept in files; the recent ones are read only when their menu opens.
    QMenu *files = menuBar()->addMenu("文件");
    files->setObjectName("fileMenu");
    QAction *openFileAction = files->addAction("打开计算…", this, &MainWindow::chooseFile);
    openFileAction->setObjectName("openCalculation");
    openFileAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QMenu *recent = files->addMenu("最近的计算");
    recent->setObjectName("recentCalculations");
    offerRecentCalculations(recent, [this](const QString &path) { openFile(path); });
    files->addAction("计算书信息…", this, [this] { editBookInformation(this); })->setObjectName("bookInformation");
    files->addSeparator();
    files->addAction("退出", this, &MainWindow::quit)->setObjectName("quitProgram");
    setCalculationOpener([this](const QString &path) { openFile(path); });

    openBoltButton_->setFocus();
}

MainWindow::~MainWindow()
{
    setCalculationOpener({});
    // Calculator windows have no owner: the program ends with them.
    closeCalculators();
}

template <typename Window>
void MainWindow::open(QPointer<QWidget> &instance)
{
    if (!instance)
        instance = new Window();  // builds its controls and runs its load step
    bringUp(instance);
}

void MainWindow::bringUp(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::chooseFile()
{
    const QString path = chooseCalculationToOpen(this);
    if (!path.isEmpty())
        openFile(path);
}

void MainWindow::openFile(const QString &path)
{
    const std::optional<QByteArray> bytes = readCalculationFile(this, path);
    if (!bytes) {
        forgetRecentCalculation(path);
        return;
    }
    const CalculationReading reading = readCalculation(*bytes);
    const Calculator *calculator = reading.calculation ? calculatorById(reading.calculation->calculator) : nullptr;
    if (!calculator) {
        showWarning(this, "提示", reading.refusal);
        return;
    }
    // The single instance of each calculator, in the order of the calculators.
    QPointer<QWidget> *instances[] = {&boltWindow_, &endPlateWindow_, &stabilityWindow_, &pileGroupWindow_,
                                      &columnWindow_};
    QPointer<QWidget> &instance = *instances[calculator - calculators().data()];
    const bool fresh = !instance;
    if (fresh)
        instance = calculator->make(nullptr);
    auto *window = static_cast<CalculatorWindow *>(instance.data());
    const CalculationLoading loading = window->keeper()->decide(*bytes);
    if (!loading.loaded()) {
        showWarning(fresh ? static_cast<QWidget *>(this) : window, "提示", loading.refusal);
        if (fresh)
            delete window;
        return;
    }
    bringUp(window);
    if (!window->keeper()->apply(path, loading) && fresh)
        delete window;
}

void MainWindow::showEdition() { editionActions_[int(currentEdition())]->setChecked(true); }

void MainWindow::openBolt() { open<BoltConnectionWindow>(boltWindow_); }
void MainWindow::openEndPlate() { open<EndPlateWindow>(endPlateWindow_); }
void MainWindow::openStability() { open<StabilityWindow>(stabilityWindow_); }
void MainWindow::openPileGroup() { open<PileGroupWindow>(pileGroupWindow_); }
void MainWindow::openColumn() { open<ColumnWindow>(columnWindow_); }

void MainWindow::closeCalculators()
{
    for (QPointer<QWidget> *window :
         {&boltWindow_, &endPlateWindow_, &stabilityWindow_, &pileGroupWindow_, &columnWindow_})
        delete *window;
}

void MainWindow::quit()
{
    // Ends the program at once: every window closes, no question asked,
    // but for a window whose inputs differ from their file; its 取消 stops.
    for (QPointer<QWidget> *window :
         {&boltWindow_, &endPlateWindow_, &stabilityWindow_, &pileGroupWindow_, &columnWindow_}) {
        auto *calculator = qobject_cast<CalculatorWindow *>(window->data());
        if (calculator && !calculator->keeper()->mayClose())
            return;
    }
    closeCalculators();
    QCoreApplication::quit();
}

}  // namespace morvane
