// The field check shared by every calculator window, on a window of its own.

#include "fieldcheck.h"
#include "uitest.h"
#include "warningbox.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace morvane;
using namespace uitest;

namespace {

// Two boxes that must hold a positive value, an unchecked box, a button.
class Window : public QWidget
{
public:
    Window()
    {
        setObjectName("Window");
        for (QLineEdit **box : {&a, &b, &free}) {
            *box = new QLineEdit(this);
        }
        a->setObjectName("a");
        b->setObjectName("b");
        free->setObjectName("free");
        a->setGeometry(10, 10, 80, 22);
        b->setGeometry(10, 40, 80, 22);
        free->setGeometry(10, 70, 80, 22);
        button = new QPushButton("计算", this);
        button->setObjectName("button");
        button->setGeometry(10, 100, 80, 26);
        check = new FieldCheck(this);
        check->requireNumbers({free});  // named first, last in Tab order
        check->watch(a, [](double v) -> std::optional<FieldFailure> {
            if (v <= 0)
                return FieldFailure{"a不得小于等于0", "提示"};
            return std::nullopt;
        });
        check->watch(b, [](double v) -> std::optional<FieldFailure> {
            if (v <= 0)
                return FieldFailure{"b不得小于等于0", "数据检查"};
            return std::nullopt;
        });
        a->setText("1");
        b->setText("1");
        check->calculateOnEnter(button);
        resize(120, 140);
        // "计算": computes only on values every check accepts.
        connect(button, &QPushButton::clicked, this, [this] {
            if (check->passes())
                ++computed;
        });
    }
    QLineEdit *a, *b, *free;
    QPushButton *button;
    FieldCheck *check;
    int computed = 0;
};

// Notes, as a message box shows, whether its sign is a bitmap blown up.
class SignWatcher : public QObject
{
public:
    SignWatcher() { qApp->installEventFilter(this); }
    int seen = 0;
    int blownUp = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched)) {
            for (auto *label : static_cast<QWidget *>(watched)->findChildren<QLabel *>()) {
                if (!label->pixmap().isNull()) {
                    ++seen;
                    // A picture made for fewer pixels than the screen has is blown up.
                    blownUp += label->pixmap().devicePixelRatio() < label->devicePixelRatio() || scaledUpBitmap(label);
                }
            }
        }
        return false;
    }
};

}  // namespace

class TestFieldCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { prepareLikeTheProgram(); }
    void init();
    void cleanup();
    void shouldCheckOnlyWhenTheFocusMovesWithinTheWindow_data();
    void shouldCheckOnlyWhenTheFocusMovesWithinTheWindow();
    void shouldNotBounceBetweenTwoRefusedBoxes();
    void shouldKeepAButtonFromActingOnARefusedValue();
    void shouldCheckTextDroppedIntoABox();
    void shouldRefuseToComputeOnARefusedValueFromAnyPath();
    void shouldDrawTheWarningSignAtTheScreenResolution();
    void shouldTellTheBoxLeftWhenTheButtonIsPressedBeforeItsWarning();
    void shouldComputeOnlyOnOneNumberInEachBox_data();
    void shouldComputeOnlyOnOneNumberInEachBox();

private:
    std::unique_ptr<MessageBoxCatcher> boxes;
    std::unique_ptr<Window> window;
};

void TestFieldCheck::init()
{
    boxes = std::make_unique<MessageBoxCatcher>();
    window = std::make_unique<Window>();
    QVERIFY(showActive(window.get()));
}

void TestFieldCheck::cleanup()
{
    const QString left = boxes->unexpected();
    window.reset();
    boxes.reset();
    QVERIFY2(left.isEmpty(), qPrintable("message boxes nobody expected:\n" + left));
}

void TestFieldCheck::shouldCheckOnlyWhenTheFocusMovesWithinTheWindow_data()
{
    // clang-format off
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << true;
    QTest::newRow("mouse click") << int(Qt::MouseFocusReason) << true;
    QTest::newRow("shortcut") << int(Qt::ShortcutFocusReason) << true;
    QTest::newRow("window deactivated") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("context menu") << int(Qt::PopupFocusReason) << false;
    QTest::newRow("menu bar") << int(Qt::MenuBarFocusReason) << false;
    QTest::newRow("program moved the focus") << int(Qt::OtherFocusReason) << false;
    // clang-format on
}

void TestFieldCheck::shouldCheckOnlyWhenTheFocusMovesWithinTheWindow()
{
    QFETCH(int, reason);
    QFETCH(bool, checked);
    typeInto(window->a, "-3");
    window->free->setFocus(static_cast<Qt::FocusReason>(reason));
    settle();
    if (checked) {
        QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "a不得小于等于0", "Window")}));
        QCOMPARE(focusName(), QStringLiteral("a"));
        QVERIFY(window->isActiveWindow());
        // Wide enough for a window manager to draw its title whole.
        QVERIFY2(boxes->lastWidth() >= warningBoxMinimumWidth("提示") && boxes->lastWidth() >= 180,
                 qPrintable(QString::number(boxes->lastWidth())));
    } else {
        QCOMPARE(boxes->take(), QList<ShownBox>());
        QCOMPARE(focusName(), QStringLiteral("free"));
    }
    QCOMPARE(window->a->text(), QStringLiteral("-3"));
}

void TestFieldCheck::shouldNotBounceBetweenTwoRefusedBoxes()
{
    // Both boxes refused. A click from b into a tells b's failure once; the
    // focus taken back from a does not check a.
    typeInto(window->b, "0");
    QCOMPARE(boxes->take(), QList<ShownBox>());
    window->a->setText("0");
    click(window->a);
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("数据检查", "b不得小于等于0", "Window")}));
    QCOMPARE(focusName(), QStringLiteral("b"));
    QCOMPARE(window->a->text(), QStringLiteral("0"));
}

void TestFieldCheck::shouldKeepAButtonFromActingOnARefusedValue()
{
    QSignalSpy clicked(window->button, &QPushButton::clicked);
    typeInto(window->a, "");
    click(window->button);
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "a不得小于等于0", "Window")}));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!window->button->isDown());
    QCOMPARE(focusName(), QStringLiteral("a"));
    // A value that passes lets the click through.
    QTest::keyClicks(window->a, "1");
    click(window->button);
    QCOMPARE(boxes->take(), QList<ShownBox>());
    QCOMPARE(clicked.count(), 1);
}

void TestFieldCheck::shouldCheckTextDroppedIntoABox()
{
    // "二" dropped in front of a's 1 makes it read 0, while the focus is elsewhere.
    click(window->free);
    QMimeData dragged;
    dragged.setText(QStringLiteral("二"));
    QDragEnterEvent enter(QPoint(3, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->a, &enter);
    QDragMoveEvent move(QPoint(3, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->a, &move);
    QDropEvent drop(QPointF(3, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->a, &drop);
    settle();
    QCOMPARE(window->a->text(), QStringLiteral("二1"));
    QCOMPARE(focusName(), QStringLiteral("a"));  // the box took the focus
    click(window->button);
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "a不得小于等于0", "Window")}));
    QCOMPARE(window->computed, 0);
    QCOMPARE(focusName(), QStringLiteral("a"));
}

void TestFieldCheck::shouldRefuseToComputeOnARefusedValueFromAnyPath()
{
    // Text set while the box never had the focus: the button shows the
    // first refused box's own check and computes nothing.
    click(window->free);
    window->b->setText("-2");
    window->a->setText("0");
    // Asked without a click, the check tells nothing and keeps the focus.
    QVERIFY(!window->check->allPass());
    settle();
    QCOMPARE(boxes->take(), QList<ShownBox>());
    QCOMPARE(focusName(), QStringLiteral("free"));
    click(window->button);
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "a不得小于等于0", "Window")}));
    QCOMPARE(window->computed, 0);
    QCOMPARE(focusName(), QStringLiteral("a"));
    window->a->setText("2");
    window->b->setText("3");
    QVERIFY(window->check->allPass());
    click(window->button);
    QCOMPARE(boxes->take(), QList<ShownBox>());
    QCOMPARE(window->computed, 1);
}

void TestFieldCheck::shouldDrawTheWarningSignAtTheScreenResolution()
{
    SignWatcher watcher;
    showWarning(window->a, "提示", "a不得小于等于0");
    QCOMPARE(boxes->take().size(), 1);
    QCOMPARE(watcher.seen, 1);
    QCOMPARE(watcher.blownUp, 0);
}

void TestFieldCheck::shouldTellTheBoxLeftWhenTheButtonIsPressedBeforeItsWarning()
{
    // b refused and left, a refused by dropped text; then Tab to the button
    // and Space, all before the event loop turns: b's failure is told, once.
    typeInto(window->b, "0");
    window->a->setText("0");
    QTest::keyClick(window->b, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("button"));
    QTest::keyClick(window->button, Qt::Key_Space);
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("数据检查", "b不得小于等于0", "Window")}));
    QCOMPARE(window->computed, 0);
    QCOMPARE(focusName(), QStringLiteral("b"));
}

void TestFieldCheck::shouldComputeOnlyOnOneNumberInEachBox_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("texts");  // a, b, free
    QTest::addColumn<QString>("press");      // "button", or the key and the box it is pressed in
    QTest::addColumn<QString>("told");       // empty: computed
    QTest::addColumn<QString>("focus");      // the box told, its whole text selected
    const QString b0 = "b不得小于等于0";
    QTest::newRow("one number each") << QStringList{" ４０　", "1e3", ""} << "button" << "" << "";
    QTest::newRow("letter O") << QStringList{"8O", "1", ""} << "button" << "「8O」不是一个数，请改正" << "a";
    QTest::newRow("a box without a test") << QStringList{"1", "1", "1 2"} << "button" << "「1 2」不是一个数，请改正"
                                          << "free";
    QTest::newRow("first in Tab order") << QStringList{"12,5", "1", "1e"} << "button" << "「12,5」不是一个数，请改正"
                                        << "a";
    QTest::newRow("before any test") << QStringList{"1", "0", "4O"} << "button" << "「4O」不是一个数，请改正" << "free";
    QTest::newRow("a long text by its beginning")
        << QStringList{"1", QString(50, 'x'), ""} << "button" << "「" + QString(40, 'x') + "…」不是一个数，请改正" << "b";
    QTest::newRow("Enter in a box") << QStringList{"1", "2", ""} << "Return b" << "" << "";
    QTest::newRow("keypad Enter in a box without a test") << QStringList{"1", "2", "3"} << "Enter free" << "" << "";
    QTest::newRow("Enter in a box without a test, a number elsewhere refused")
        << QStringList{"1x", "2", "3"} << "Return free" << "「1x」不是一个数，请改正" << "a";
    // Its own test first, as a click on the button from the box would.
    QTest::newRow("Enter in a refused box") << QStringList{"1", "0", "x"} << "Return b" << b0 << "b";
    // clang-format on
}

void TestFieldCheck::shouldComputeOnlyOnOneNumberInEachBox()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, press);
    QFETCH(QString, told);
    QFETCH(QString, focus);
    QLineEdit *boxes3[] = {window->a, window->b, window->free};
    for (int i = 0; i < 3; ++i)
        boxes3[i]->setText(texts[i]);
    QCOMPARE(window->check->allPass(), told.isEmpty());
    if (press == "button") {
        window->button->setFocus(Qt::OtherFocusReason);
        click(window->button);
    } else {
        QLineEdit *box = window->findChild<QLineEdit *>(press.section(' ', 1));
        box->setFocus(Qt::OtherFocusReason);
        const bool keypad = press.startsWith("Enter");
        QTest::keyClick(box, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        settle();
    }
    QCOMPARE(window->computed, told.isEmpty() ? 1 : 0);
    if (told.isEmpty()) {
        QCOMPARE(boxes->take(), QList<ShownBox>());
        return;
    }
    const QString title = told.endsWith("不是一个数，请改正") ? "输入数据错误" : "数据检查";
    QCOMPARE(boxes->take(), QList<ShownBox>({warning(title, told, "Window")}));
    QCOMPARE(focusName(), focus);
    auto *box = window->findChild<QLineEdit *>(focus);
    QCOMPARE(box->selectedText(), title == "输入数据错误" ? box->text() : QString());
}

QTEST_MAIN(TestFieldCheck)
#include "test_fieldcheck.moc"
