// The main window: opening the calculators, one instance each, and ending.

#include "editionchoice.h"
#include "filedialog.h"
#include "mainwindow.h"
#include "settings.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace morvane;
using namespace uitest;

class TestForm1 : public WindowTest<MainWindow>
{
    Q_OBJECT
private slots:
    void shouldShowTheMainWindow();
    void shouldOfferTheMenu();
    void shouldOpenOneWindowFromButtonAndMenu_data();
    void shouldOpenOneWindowFromButtonAndMenu();
    void shouldReloadAClosedWindowWithItsDefaults_data();
    void shouldReloadAClosedWindowWithItsDefaults();
    void shouldRestoreAMinimisedWindow();
    void shouldLeaveCalculatorsOpenWhenTheMainWindowCloses();
    void shouldEndTheProgramAtOnce();
    void shouldKeepTheEditionChosenForTheNextStart();
    void shouldOpenAFileInItsWindow_data();
    void shouldOpenAFileInItsWindow();

private:
    QWidget *openCalculator(const QString &name);
    QPushButton *button(const QString &name) { return control<QPushButton>(form, name); }
    QAction *entry(const QString &name) { return control<QAction>(form, name); }
};

// The open calculator window of that name, or none.
QWidget *TestForm1::openCalculator(const QString &name)
{
    QWidget *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible()) {
            if (found)
                qFatal("two %s windows are open", qPrintable(name));
            found = w;
        }
    }
    return found;
}

void TestForm1::shouldShowTheMainWindow()
{
    QVERIFY(!form->windowIcon().isNull());
    for (const char *name : {"Label1(0)", "Label1(1)"}) {
        auto *label = control<QLabel>(form, name);
        // The first Kai face of the list (楷体_GB2312 first) that is
        // installed, named alone: the face actually used on this machine.
        QCOMPARE(label->font().families(), QStringList{QFontInfo(label->font()).family()});
    }
    QCOMPARE(control<QLabel>(form, "Label1(1)")->text(), QStringLiteral("V" MORVANE_VERSION));
}

void TestForm1::shouldOfferTheMenu()
{
    auto *menu = control<QMenu>(form, "proselect");
    auto *codes = control<QMenu>(form, "guifan");
    auto *files = control<QMenu>(form, "fileMenu");
    QCOMPARE(form->menuBar()->actions(),
             QList<QAction *>({menu->menuAction(), codes->menuAction(), files->menuAction()}));
    for (QAction *a : menu->actions())
        QVERIFY2(!a->isSeparator() || a->text().isEmpty(), "a separator is a plain line, without a caption");
    // The menu itself and the separators open nothing.
    const int windows = QApplication::topLevelWidgets().size();
    for (const char *separator : {"fen1", "fen2", "fen3", "fen4"})
        entry(separator)->trigger();
    menu->menuAction()->trigger();
    settle();
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
}

// Each calculator: its window, the button and the menu entry that open it,
// its caption, and the default of its first box.
struct Calculator {
    const char *window, *button, *entry, *caption, *firstDefault;
};
static const Calculator kCalculators[] = {
    {"Form2", "Command1", "luoshuan", "摩擦型高强螺栓连接计算", "40"},
    {"Form3", "Command3", "duanban", "端板厚度计算器", "200"},
    {"Form4", "Command2", "shouyaxishu", "轴心受压构件稳定系数查询", "6000"},
    {"Form5", "Command5", "zhuangji", "桩基承载力估算", "1000"},
    {"Form6", "Command6", "zhupeijin", "柱配筋率验算", "400"},
};

void TestForm1::shouldOpenOneWindowFromButtonAndMenu_data()
{
    // clang-format off
    QTest::addColumn<int>("calculator");
    QTest::addColumn<bool>("firstByMenu");
    QTest::addColumn<bool>("againByMenu");
    for (int i = 0; i < int(std::size(kCalculators)); ++i) {
        const QString name = kCalculators[i].window;
        QTest::newRow(qPrintable(name + ", button then menu")) << i << false << true;
        QTest::newRow(qPrintable(name + ", menu then button")) << i << true << false;
        QTest::newRow(qPrintable(name + ", button twice")) << i << false << false;
    }
    // clang-format on
}

void TestForm1::shouldOpenOneWindowFromButtonAndMenu()
{
    QFETCH(int, calculator);
    QFETCH(bool, firstByMenu);
    QFETCH(bool, againByMenu);
    const Calculator &c = kCalculators[calculator];
    auto openIt = [&](bool byMenu) {
        if (byMenu)
            entry(c.entry)->trigger();
        else
            click(button(c.button));
        settle();
    };

    openIt(firstByMenu);
    QPointer<QWidget> window = openCalculator(c.window);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(window->parentWidget(), nullptr);  // no owner window
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QString(c.caption));
    typeInto(control(window, "Text1"), "55");

    // Back to the main window, which stays usable.
    QVERIFY(showActive(form));
    openIt(againByMenu);
    QCOMPARE(openCalculator(c.window), window.data());
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QStringLiteral("55"));
    delete window;
}

void TestForm1::shouldReloadAClosedWindowWithItsDefaults_data()
{
    // clang-format off
    QTest::addColumn<int>("calculator");
    QTest::addColumn<bool>("byReturnButton");
    for (int i = 0; i < int(std::size(kCalculators)); ++i) {
        const QString name = kCalculators[i].window;
        QTest::newRow(qPrintable(name + ", return button")) << i << true;
        QTest::newRow(qPrintable(name + ", close box")) << i << false;
    }
    // clang-format on
}

void TestForm1::shouldReloadAClosedWindowWithItsDefaults()
{
    QFETCH(int, calculator);
    QFETCH(bool, byReturnButton);
    const Calculator &c = kCalculators[calculator];
    click(button(c.button));
    QPointer<QWidget> window = openCalculator(c.window);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    typeInto(control(window, "Text1"), "55");
    if (byReturnButton) {
        // The return button is the last command button of the window.
        QList<QPushButton *> commands = window->findChildren<QPushButton *>();
        std::sort(commands.begin(), commands.end(), [](auto *x, auto *y) { return x->objectName() < y->objectName(); });
        click(commands.last());
    } else {
        window->close();
    }
    settle();
    QVERIFY(window.isNull());
    QVERIFY(form->isVisible());

    entry(c.entry)->trigger();
    settle();
    window = openCalculator(c.window);
    QVERIFY(window);
    QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString(c.firstDefault));
    delete window;
}

void TestForm1::shouldRestoreAMinimisedWindow()
{
    click(button("Command1"));
    QPointer<QWidget> bolt = openCalculator("Form2");
    QVERIFY(bolt);
    bolt->showMinimized();
    settle();
    QVERIFY(bolt->isMinimized());
    click(button("Command1"));
    QVERIFY(!bolt->isMinimized());
    QVERIFY(bolt->isVisible());
    delete bolt;
}

void TestForm1::shouldLeaveCalculatorsOpenWhenTheMainWindowCloses()
{
    click(button("Command1"));
    QPointer<QWidget> bolt = openCalculator("Form2");
    QVERIFY(bolt);
    form->close();
    settle();
    QVERIFY(!form->isVisible());
    QVERIFY(bolt && bolt->isVisible());
    delete bolt;
}

void TestForm1::shouldEndTheProgramAtOnce()
{
    click(button("Command1"));
    QPointer<QWidget> bolt = openCalculator("Form2");
    QVERIFY(bolt);
    typeInto(control(bolt, "Text1"), "0");  // an entry that would fail its check
    QVERIFY(showActive(form));
    boxes->take();

    // "退出程序" inside a running event loop: the loop must end.
    bool ended = false;
    QTimer::singleShot(0, this, [&] { click(button("Command4")); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [&] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    ended = QApplication::exec() == 0;
    QVERIFY2(ended, "the program did not end");
    settle();
    QVERIFY(bolt.isNull());
    QCOMPARE(boxes->take(), QList<ShownBox>());
}

// The menu "设计规范" as a person opens it: the edition chosen is ticked.
static QStringList editionsTicked(QMainWindow *window)
{
    auto *codes = control<QMenu>(window, "guifan");
    QTest::mouseClick(window->menuBar(), Qt::LeftButton, Qt::NoModifier,
                      window->menuBar()->actionGeometry(codes->menuAction()).center());
    settle();
    QStringList ticked;
    for (QAction *entry : codes->actions())
        ticked << (entry->isChecked() ? "[x] " : "[ ] ") + entry->text();
    codes->close();
    return ticked;
}

void TestForm1::shouldKeepTheEditionChosenForTheNextStart()
{
    // The first start: nothing chosen yet.
    rememberValue("designCode", QVariant());
    delete EditionChoice::instance();
    const QString original = "原规范（GB 50017-2003、CECS 102:2002）",
                  current = "现行规范（GB 50017-2017、GB 51022-2015）";
    QCOMPARE(editionsTicked(form), QStringList({"[x] " + original, "[ ] " + current}));
    click(button("Command1"));
    QPointer<QWidget> bolt = openCalculator("Form2");
    QCOMPARE(bolt->windowTitle(), QStringLiteral("摩擦型高强螺栓连接计算"));

    entry("guifanXianxing")->trigger();
    QCOMPARE(bolt->windowTitle(), QStringLiteral("摩擦型高强螺栓连接计算（GB 50017-2017）"));
    QCOMPARE(editionsTicked(form), QStringList({"[ ] " + original, "[x] " + current}));

    // The program ends and starts again: the choice is read from the settings.
    delete bolt;
    delete form;
    delete EditionChoice::instance();
    QVERIFY(show(form = new MainWindow));
    QCOMPARE(editionsTicked(form), QStringList({"[ ] " + original, "[x] " + current}));
    click(button("Command2"));
    QCOMPARE(openCalculator("Form4")->windowTitle(), QStringLiteral("轴心受压构件稳定系数查询（GB 50017-2017）"));
    entry("guifanYuan")->trigger();
    QCOMPARE(openCalculator("Form4")->windowTitle(), QStringLiteral("轴心受压构件稳定系数查询"));
    delete openCalculator("Form4");
}

void TestForm1::shouldOpenAFileInItsWindow_data()
{
    QTest::addColumn<int>("calculator");
    for (int i = 0; i < int(std::size(kCalculators)); ++i)
        QTest::newRow(kCalculators[i].window) << i;
}

void TestForm1::shouldOpenAFileInItsWindow()
{
    QFETCH(int, calculator);
    const Calculator &c = kCalculators[calculator];
    QTemporaryDir folder;
    click(button(c.button));
    QPointer<QWidget> window = openCalculator(c.window);
    typeInto(control(window, "Text1"), "55");
    const QString path = folder.filePath("kept.mvcalc");
    setNextFileName(path);
    QTest::keyClick(control(window, "Text1"), Qt::Key_S, Qt::ControlModifier);
    window->close();
    settle();
    QVERIFY(!window);

    // From the 文件 menu, from its recent calculations, and from another
    // calculator's window: the file's own window opens with its inputs.
    const Calculator &other = kCalculators[(calculator + 1) % std::size(kCalculators)];
    for (const char *way : {"menu", "recent", "other window"}) {
        QVERIFY(showActive(form));
        if (way == QString("menu")) {
            setNextFileName(path);
            entry("openCalculation")->trigger();
        } else if (way == QString("recent")) {
            auto *recent = control<QMenu>(form, "recentCalculations");
            emit recent->aboutToShow();
            recent->actions().at(0)->trigger();
        } else {
            click(button(other.button));
            setNextFileName(path);
            QTest::keyClick(openCalculator(other.window), Qt::Key_O, Qt::ControlModifier);
            delete openCalculator(other.window);
        }
        settle();
        window = openCalculator(c.window);
        QVERIFY2(window, way);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), "55");
        QCOMPARE(window->windowTitle(), QString("kept.mvcalc[*] - ") + c.caption);
        delete window;
    }

    // A file that cannot be used opens no window.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{}") == 2);
    file.close();
    setNextFileName(path);
    entry("openCalculation")->trigger();
    QCOMPARE(boxes->take(), QList<ShownBox>{warning("提示", "文件不是本程序的计算文件", "Form1")});
    QVERIFY(!openCalculator(c.window));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
