// A long random run over the main window and the five calculators, as a
// person might use the program for days: typing ordinary and hostile texts
// (by keys, by pasting, through an input method), Tab and Shift+Tab, clicks
// on any control, picks from lists by mouse and keys, ticks, "计算", Enter,
// drops, context menus, the mouse wheel, opening windows from the main
// window, minimising them and closing them by their close box, ending and
// starting the program; every message box is answered.
// After every action the run checks that
//   - at most one message box was up at a time, none is left up, and
//     none comes up once the action is over;
//   - no result box shows "nan", "inf" or "-0";
//   - every "计算" that changed a result ran on values that every field
//     check of its window accepts, and while every box it reads held one
//     number (no result shown for "8O" read as 8);
//   - no φ without a slenderness: the stability "计算" writes a coefficient
//     only when the slenderness box held one, neither blank nor negative;
//   - the active window's focus is on a visible, enabled control of it
//     that takes the focus;
//   - no calculator window is open twice.
// MORVANE_SOAK_SEED and MORVANE_SOAK_ACTIONS choose the run. A failure
// prints both and the last actions, so that the run can be replayed.

#include "fieldcheck.h"
#include "mainwindow.h"
#include "numbers.h"
#include "uitest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QScopeGuard>
#include <QTimer>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <random>

using namespace morvane;
using namespace uitest;

namespace {

constexpr quint64 kDefaultSeed = 20261208;
constexpr int kDefaultActions = 20000;
constexpr int kRememberedActions = 30;
// More boxes than this in one action means they keep coming back.
constexpr int kMostBoxesInOneAction = 40;

// The result boxes of each calculator window.
const QList<std::pair<QString, QStringList>> kResultBoxes{
    {"Form2", {"Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16"}},
    {"Form3", {"Text6", "Text7"}},
    {"Form4", {"Text4", "Text5"}},
    {"Form5", {"Text8"}},
    {"Form6", {"Text6"}},
};

// The number boxes each "计算" reads, by window and button.
const QList<std::pair<QString, QStringList>> kNumberBoxes{
    {"Form2.Command1", {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9"}},
    {"Form3.Command1", {"Text1", "Text2", "Text3", "Text4", "Text5"}},
    {"Form4.Command1", {"Text1", "Text2", "Text3"}},
    {"Form4.Command2", {"Text4"}},
    {"Form5.Command1", {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"}},
    {"Form6.Command1", {"Text1", "Text2", "Text4", "Text5"}},
};

// Ordinary entries: numbers, the usual slips, and every list item.
const QStringList kOrdinaryTexts{
    "",       "0",      "40",     "80",     "200",   "250",     "2",    "2.01",     "0.5",  "-3",
    "12abc",  "1 2",    "abc",    "1e3",    ".5",    "50",      "50.5", "1500",     "16",   "1,5",
    "六桩",   "6",      "四排",   "六排",   "八排",  "Q235",    "Q345", "Q390",     "Q420", "q345",
    "M16",    "M24",    "M30",    "M33",    "a类",   "b类",     "c类",  "d类",      "单桩", "十六桩",
    "十七桩", "直径16", "直径25", "直径28", "8.8级", "  ７５ ", "8O",   "１２，５", "1e",
};

// A text as the log shows it: control characters and surrogates escaped,
// long texts shortened.
QString shown(const QString &text)
{
    QString out;
    for (QChar c : text.left(24)) {
        if (c.isPrint() && !c.isSurrogate())
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (text.size() > 24)
        out += QStringLiteral("…(%1 characters)").arg(text.size());
    return '"' + out + '"';
}

// The first enabled widget at a window position that takes drops.
QWidget *dropTargetAt(QWidget *window, QPoint at)
{
    for (QWidget *w = window->childAt(at); w; w = w->parentWidget()) {
        if (w->acceptDrops() && w->isEnabled())
            return w;
        if (w == window)
            break;
    }
    return nullptr;
}

}  // namespace

// Cancels the file and print dialogs of the calculation book as they show,
// as a person who changed their mind would.
class DialogCanceller : public QObject
{
public:
    DialogCanceller() { qApp->installEventFilter(this); }
    ~DialogCanceller() override { qApp->removeEventFilter(this); }
    QStringList take() { return std::exchange(shown_, {}); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (event->type() == QEvent::Show && dialog && !qobject_cast<QMessageBox *>(dialog)) {
            shown_ << QStringLiteral("%1 「%2」").arg(dialog->metaObject()->className(), dialog->windowTitle());
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QStringList shown_;
};

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void shouldStaySoundThroughALongRandomRun();

private:
    // The random source: the same seed gives the same run on every machine.
    int below(int n) { return int(rng_() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    T any(const QList<T> &list)
    {
        return list[below(int(list.size()))];
    }

    void act();
    void note(const QString &line);
    void fail(const QString &what);
    void check();
    void watchCalculators();
    QString report() const;  // the failures, the last actions and how to replay them

    // What a person sees and reaches.
    QList<QWidget *> windows() const;
    QList<QWidget *> controls(QWidget *window) const;
    QList<QWidget *> textControls(QWidget *window) const;
    QWidget *anyWindow();
    void bringToFront(QWidget *window);
    void clickAt(QWidget *control, QPoint pos, bool twice = false);
    void clickControl(QWidget *control) { clickAt(control, control->rect().center()); }
    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {});
    QString randomText();

    // The actions.
    void typeText();
    void pressKey();
    void clickAnyControl();
    void calculate();
    void pickFromList();
    void dropText();
    void useContextMenu();
    void openCalculator();
    void closeByCloseBox();
    void endAndStartAgain();
    void closeMainWindow();
    void turnTheWheel();
    void useBook();
    void minimise();
    void dismissPopup();
    void startProgram();

    std::mt19937_64 rng_;
    quint64 seed_ = kDefaultSeed;
    int actions_ = kDefaultActions;
    int index_ = 0;
    QStringList lastActions_;
    QStringList failures_;
    std::unique_ptr<MessageBoxCatcher> boxes_;
    DialogCanceller dialogs_;
    std::unique_ptr<MainWindow> main_;
    QList<QPointer<QWidget>> watched_;
    bool enterReleasePending_ = false;
    int boxesThisAction_ = 0;
    QStringList answers_;  // how each box of this action was answered

    // Figures for the summary.
    int boxesAnswered_ = 0;
    int calculationsThatChangedResults_ = 0;
};

void TestSoak::initTestCase()
{
    prepareLikeTheProgram();
    // A list takes the release of a click within the double-click interval
    // of its opening as part of the opening click; a person's pick comes
    // later. No interval, so that the run need not wait in real time.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);

    bool ok = false;
    const quint64 seed = qEnvironmentVariable("MORVANE_SOAK_SEED").toULongLong(&ok);
    if (ok)
        seed_ = seed;
    const int actions = qEnvironmentVariableIntValue("MORVANE_SOAK_ACTIONS", &ok);
    if (ok && actions > 0)
        actions_ = actions;
    rng_.seed(seed_);
    qInfo("soak: seed %llu, %d actions (MORVANE_SOAK_SEED, MORVANE_SOAK_ACTIONS)", seed_, actions_);

    boxes_ = std::make_unique<MessageBoxCatcher>();
    boxes_->setAnswerChooser([this] {
        ++boxesAnswered_;
        if (++boxesThisAction_ > kMostBoxesInOneAction) {
            fail(QStringLiteral("message boxes keep coming back: %1 in one action").arg(boxesThisAction_));
            qFatal("%s", qPrintable(report()));  // the run cannot get out of the action
        }
        switch (below(4)) {
        case 0:
            answers_ << QStringLiteral("Enter");
            enterReleasePending_ = true;
            return MessageBoxCatcher::Answer::PressEnter;
        case 1: answers_ << QStringLiteral("Escape"); return MessageBoxCatcher::Answer::PressEscape;
        case 2: answers_ << QStringLiteral("its close box"); return MessageBoxCatcher::Answer::CloseBox;
        default: answers_ << QStringLiteral("a click on OK"); return MessageBoxCatcher::Answer::ClickOk;
        }
    });
}

void TestSoak::cleanupTestCase()
{
    main_.reset();
    settle();
    boxes_.reset();
}

void TestSoak::startProgram()
{
    main_ = std::make_unique<MainWindow>();
    main_->show();
    bringToFront(main_.get());
}

void TestSoak::shouldStaySoundThroughALongRandomRun()
{
    QElapsedTimer clock;
    clock.start();
    startProgram();
    for (index_ = 1; index_ <= actions_; ++index_) {
        act();
        check();
        if (!failures_.isEmpty())
            QFAIL(qPrintable(report()));
    }
    qInfo("soak: seed %llu, %d actions in %.1f s; %d message boxes answered, %d calculations changed results", seed_,
          actions_, clock.elapsed() / 1000.0, boxesAnswered_, calculationsThatChangedResults_);
}

QString TestSoak::report() const
{
    return QStringLiteral("%1\nseed %2, the last actions:\n%3\nreplay with: "
                          "MORVANE_SOAK_SEED=%2 MORVANE_SOAK_ACTIONS=%4 ./test_soak")
        .arg(failures_.join('\n'))
        .arg(seed_)
        .arg(lastActions_.join('\n'))
        .arg(index_);
}

// One line more for the current action in the log of the last actions.
void TestSoak::note(const QString &line)
{
    if (lastActions_.isEmpty())
        lastActions_ << QString();
    lastActions_.last() += (lastActions_.last().startsWith('#') && !lastActions_.last().contains(' ') ? " " : "\n    ")
        + line;
}

void TestSoak::fail(const QString &what) { failures_ << QStringLiteral("action %1: %2").arg(index_).arg(what); }

void TestSoak::act()
{
    lastActions_ << QStringLiteral("#%1").arg(index_);
    while (lastActions_.size() > kRememberedActions)
        lastActions_.removeFirst();
    boxesThisAction_ = 0;
    answers_.clear();
    if (windows().isEmpty()) {
        note(QStringLiteral("start the program again"));
        startProgram();
    } else if (QApplication::activePopupWidget()) {
        dismissPopup();
    } else {
        const int roll = below(1000);
        if (roll < 200)
            typeText();
        else if (roll < 330)
            pressKey();
        else if (roll < 520)
            clickAnyControl();
        else if (roll < 640)
            calculate();
        else if (roll < 720)
            pickFromList();
        else if (roll < 750)
            dropText();
        else if (roll < 775)
            useContextMenu();
        else if (roll < 790)
            turnTheWheel();
        else if (roll < 890)
            openCalculator();
        else if (roll < 950)
            closeByCloseBox();
        else if (roll < 960)
            minimise();
        else if (roll < 975)
            useBook();
        else if (roll < 990) {
            QWidget *window = anyWindow();
            note(QStringLiteral("switch to %1").arg(window->objectName()));
            bringToFront(window);
        } else if (roll < 995)
            endAndStartAgain();
        else
            closeMainWindow();
    }
    settle();
    if (enterReleasePending_) {
        // The Enter that closed a box is let go wherever the focus is now.
        enterReleasePending_ = false;
        if (QGuiApplication::focusWindow())
            QTest::sendKeyEvent(QTest::Release, static_cast<QWidget *>(nullptr), Qt::Key_Return, QStringLiteral("\r"),
                                Qt::NoModifier);
        settle();
    }
    for (const QString &dialog : dialogs_.take())
        note(QStringLiteral("  %1, cancelled").arg(dialog));
    const QList<ShownBox> shownBoxes = boxes_->take();
    for (int i = 0; i < shownBoxes.size(); ++i) {
        const ShownBox &box = shownBoxes[i];
        note(QStringLiteral("  box [%1] %2, answered by %3").arg(box.title, box.text, answers_.value(i)));
    }
    // Once an action is over, nothing more happens by itself.
    for (const ShownBox &box : boxes_->take())
        fail(QStringLiteral("a message box came up after the action was over: [%1] %2").arg(box.title, box.text));
    watchCalculators();
}

void TestSoak::check()
{
    if (const int most = boxes_->takeMostShownAtOnce(); most > 1)
        fail(QStringLiteral("%1 message boxes were up at once").arg(most));
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox *>(w) && w->isVisible()) {
            fail(QStringLiteral("a message box is left up: %1").arg(static_cast<QMessageBox *>(w)->text()));
            w->close();
        }
    }

    QStringList open;
    for (QWidget *window : windows()) {
        if (open.contains(window->objectName()))
            fail(QStringLiteral("%1 is open twice").arg(window->objectName()));
        open << window->objectName();
        for (const auto &[name, results] : kResultBoxes) {
            if (name != window->objectName())
                continue;
            for (const QString &result : results) {
                // A box the user may type into shows what they typed; what a
                // calculation writes there is checked as it writes it.
                auto *box = window->findChild<QWidget *>(result);
                const bool readOnly = box->property("readOnly").toBool();
                if (readOnly && showsNoNumber(textOf(box)))
                    fail(QStringLiteral("%1 %2 shows %3").arg(name, result, shown(textOf(box))));
            }
        }
    }

    // An open list or menu holds the focus until it closes.
    QWidget *active = QApplication::activePopupWidget() ? nullptr : QApplication::activeWindow();
    if (active) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus->window() != active || !focus->isVisible() || !focus->isEnabled()
            || focus->focusPolicy() == Qt::NoFocus)
            fail(QStringLiteral("the active window %1 has no usable focus (%2)")
                     .arg(active->objectName(),
                          focus ? QStringLiteral("%1 %2 in %3 %4")
                                      .arg(focus->metaObject()->className(), focus->objectName(),
                                           focus->window()->metaObject()->className(), focus->window()->objectName())
                                : QStringLiteral("none")));
    }
}

// Watches the "计算" buttons of every calculator window that has opened:
// a click that changes a result must have run on values that pass every
// field check of the window, and writes no text that is no number.
void TestSoak::watchCalculators()
{
    watched_.removeAll(nullptr);
    for (QWidget *window : windows()) {
        if (window == main_.get() || watched_.contains(window))
            continue;
        watched_ << window;
        QStringList resultNames;
        for (const auto &[name, results] : kResultBoxes)
            if (name == window->objectName())
                resultNames = results;
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            if (button->text() != QStringLiteral("计算"))
                continue;
            struct Before {
                bool valuesPass = true;
                QString notANumber;  // "Text1 holding 8O" while a box the button reads holds one
                QStringList results;
                QString slenderness;  // the stability window's, φ is computed from
            };
            auto before = std::make_shared<Before>();
            QPointer<QWidget> guarded(window);
            QStringList numberBoxes;
            for (const auto &[name, boxes] : kNumberBoxes)
                if (name == window->objectName() + '.' + button->objectName())
                    numberBoxes = boxes;
            auto state = [guarded, button, resultNames, numberBoxes] {
                Before now;
                // The field check of this button (the stability window has one per button).
                const QList<FieldCheck *> checks = guarded->findChildren<FieldCheck *>();
                const FieldCheck *fieldCheck = checks.value(0);
                for (const FieldCheck *check : checks)
                    if (check->calculateButton() == button)
                        fieldCheck = check;
                now.valuesPass = !fieldCheck || fieldCheck->allPass();
                for (const QString &name : numberBoxes) {
                    const QString text = textOf(guarded->findChild<QWidget *>(name));
                    if (now.notANumber.isEmpty() && !isOneNumber(text.toStdString()))
                        now.notANumber = name + " holding " + shown(text);
                }
                for (const QString &name : resultNames)
                    now.results << textOf(guarded->findChild<QWidget *>(name));
                if (guarded->objectName() == QStringLiteral("Form4"))
                    now.slenderness = textOf(guarded->findChild<QWidget *>(QStringLiteral("Text4")));
                return now;
            };
            // The window's own handler was connected first: "pressed" comes
            // before it runs, "clicked" reaches this test after it has run.
            connect(button, &QPushButton::pressed, this, [=] { *before = state(); });
            connect(button, &QPushButton::clicked, this, [=, this] {
                if (!guarded)
                    return;
                const Before after = state();
                bool changed = false;
                for (int i = 0; i < resultNames.size(); ++i) {
                    if (after.results[i] == before->results[i])
                        continue;
                    changed = true;
                    if (showsNoNumber(after.results[i]))
                        fail(QStringLiteral("计算 (%1) wrote %2 into %3")
                                 .arg(button->objectName(), shown(after.results[i]), resultNames[i]));
                }
                const QString phi = button->objectName() == QStringLiteral("Command2") ? after.results.value(1)
                                                                                       : QString();
                const QString lambda = before->slenderness.trimmed();
                if (guarded->objectName() == QStringLiteral("Form4") && !phi.isEmpty() && phi != before->results[1]
                    && (lambda.isEmpty() || parseLeadingNumber(lambda.toStdString()) < 0))
                    fail(QStringLiteral("计算 (Command2) wrote φ %1 from the slenderness %2").arg(phi, shown(lambda)));
                if (changed) {
                    ++calculationsThatChangedResults_;
                    if (!before->valuesPass)
                        fail(QStringLiteral("计算 (%1) of %2 changed results on values a field check refuses")
                                 .arg(button->objectName(), guarded->objectName()));
                    if (!before->notANumber.isEmpty())
                        fail(QStringLiteral("计算 (%1) of %2 showed a result with %3, which is not one number")
                                 .arg(button->objectName(), guarded->objectName(), before->notANumber));
                }
            });
        }
    }
}

QList<QWidget *> TestSoak::windows() const
{
    QList<QWidget *> open;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible()
            && QStringList{"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"}.contains(w->objectName()))
            open << w;
    }
    // In the order of their names: the run must not depend on hashing.
    std::sort(open.begin(), open.end(), [](QWidget *a, QWidget *b) { return a->objectName() < b->objectName(); });
    return open;
}

QList<QWidget *> TestSoak::controls(QWidget *window) const
{
    QList<QWidget *> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")) && w->isVisible()
            && w->window() == window)
            found << w;
    }
    return found;
}

QList<QWidget *> TestSoak::textControls(QWidget *window) const
{
    QList<QWidget *> found;
    for (QWidget *w : controls(window)) {
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QComboBox *>(w))
            found << w;
    }
    return found;
}

QWidget *TestSoak::anyWindow() { return any(windows()); }

void TestSoak::bringToFront(QWidget *window)
{
    // A click on a window in the background makes it the active window
    // before the click reaches a control.
    if (QApplication::activeWindow() == window)
        return;
    if (window->isMinimized())
        window->showNormal();  // from the task bar
    window->raise();
    window->activateWindow();
    settle();
}

void TestSoak::clickAt(QWidget *control, QPoint pos, bool twice)
{
    QPointer<QWidget> window = control->window();
    bringToFront(window);
    if (!window || !control->isVisible())
        return;
    // The click reaches the control that is drawn there, as the window
    // system delivers it.
    const QPoint inWindow = control->mapTo(window, pos);
    QPointer<QWidget> target = window->childAt(inWindow);
    if (!target)
        target = window;
    const QPoint local = target->mapFrom(window, inWindow);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, local);
    if (twice && target) {
        QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, local);
        if (target)
            QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, local);
    }
    settle();
}

void TestSoak::key(Qt::Key code, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (!QGuiApplication::focusWindow() && !QApplication::activePopupWidget())
        return;  // the keys of a person who has not clicked into any window go nowhere
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget *>(nullptr), code, text, modifiers);
}

QString TestSoak::randomText()
{
    switch (below(10)) {
    case 0:
    case 1:
    case 2: {
        // A number as an engineer types it.
        QString number = chance(15) ? QStringLiteral("-") : QString();
        number += QString::number(below(chance(50) ? 100 : 5000));
        if (chance(30))
            number += '.' + QString::number(below(1000));
        if (chance(5))
            number += 'e' + QString::number(below(40) - 20);
        return number;
    }
    case 3:
    case 4:
    case 5:
    case 6: return any(kOrdinaryTexts);
    default: return any(hostileTexts(32767)).text;
    }
}

void TestSoak::typeText()
{
    QWidget *window = anyWindow();
    const QList<QWidget *> boxes = textControls(window);
    if (boxes.isEmpty())
        return pressKey();
    QWidget *box = any(boxes);
    const QString text = randomText();
    const int how = text.size() > 200 ? 1 : below(3);
    const bool replace = chance(75);
    note(QStringLiteral("%1: %2 %3 %4 %5")
             .arg(window->objectName(),
                  how == 0       ? "type"
                      : how == 1 ? "paste"
                                 : "enter by input method",
                  shown(text), replace ? "over the text of" : "into", box->objectName()));
    clickControl(box);
    if (replace)
        key(Qt::Key_A, Qt::ControlModifier);
    if (how == 0) {
        // Key by key, as far as a keyboard gives the characters.
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                key(Qt::Key_unknown, Qt::NoModifier, text.mid(i, 2));
                ++i;
            } else if (c == '\t') {
                key(Qt::Key_Tab);
            } else if (c == '\n' || c == '\r') {
                key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            } else if (c == '\b') {
                key(Qt::Key_Backspace);
            } else if (c.unicode() < 0x80 && c.isPrint()) {
                key(QTest::asciiToKey(c.toLatin1()), Qt::NoModifier, QString(c));
            } else if (c.unicode() >= 0x80) {
                key(Qt::Key_unknown, Qt::NoModifier, QString(c));
            }
        }
    } else if (how == 1) {
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
    } else {
        QWidget *focus = QApplication::focusWidget();
        if (focus && focus->testAttribute(Qt::WA_InputMethodEnabled)) {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(focus, &commit);
        }
    }
    settle();
}

void TestSoak::pressKey()
{
    if (!QGuiApplication::focusWindow())
        bringToFront(anyWindow());
    const struct {
        Qt::Key code;
        Qt::KeyboardModifiers modifiers;
        const char *name;
        const char *text;
    } keys[] = {
        {Qt::Key_Tab, Qt::NoModifier, "Tab", ""},
        {Qt::Key_Tab, Qt::NoModifier, "Tab", ""},
        {Qt::Key_Tab, Qt::NoModifier, "Tab", ""},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab", ""},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab", ""},
        {Qt::Key_Return, Qt::NoModifier, "Enter", "\r"},
        {Qt::Key_Return, Qt::NoModifier, "Enter", "\r"},
        {Qt::Key_Space, Qt::NoModifier, "Space", " "},
        {Qt::Key_Down, Qt::NoModifier, "Down", ""},
        {Qt::Key_Up, Qt::NoModifier, "Up", ""},
        {Qt::Key_Right, Qt::NoModifier, "Right", ""},
        {Qt::Key_Escape, Qt::NoModifier, "Escape", ""},
        {Qt::Key_Backspace, Qt::NoModifier, "Backspace", ""},
        {Qt::Key_Delete, Qt::NoModifier, "Delete", ""},
        {Qt::Key_5, Qt::NoModifier, "5", "5"},
        {Qt::Key_A, Qt::ControlModifier, "Ctrl+A", ""},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z", ""},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X", ""},
    };
    const auto &k = keys[below(int(std::size(keys)))];
    QWidget *focus = QApplication::focusWidget();
    note(QStringLiteral("press %1 in %2")
             .arg(k.name,
                  focus ? focus->window()->objectName() + "." + focus->objectName() : QStringLiteral("no window")));
    key(k.code, k.modifiers, QString::fromLatin1(k.text));
    settle();
}

void TestSoak::clickAnyControl()
{
    QWidget *window = anyWindow();
    QList<QWidget *> all = controls(window);
    if (chance(30)) {
        // Mostly ticks and options, and the buttons.
        all.removeIf([](QWidget *w) { return !qobject_cast<QAbstractButton *>(w); });
    }
    if (all.isEmpty())
        return;
    QWidget *control = any(all);
    // Mostly in the middle, now and then anywhere on the control.
    QPoint at = control->rect().center();
    if (chance(30))
        at = QPoint(below(std::max(1, control->width())), below(std::max(1, control->height())));
    const bool twice = chance(5);
    note(QStringLiteral("%1: %2 %3 at (%4,%5)")
             .arg(window->objectName(), twice ? "double-click" : "click", control->objectName())
             .arg(at.x())
             .arg(at.y()));
    clickAt(control, at, twice);
}

void TestSoak::calculate()
{
    QList<QPushButton *> buttons;
    for (QWidget *window : windows()) {
        for (QPushButton *b : window->findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("计算") && b->isVisible())
                buttons << b;
    }
    if (buttons.isEmpty())
        return openCalculator();
    QPushButton *button = any(buttons);
    note(QStringLiteral("%1: click 计算 (%2)").arg(button->window()->objectName(), button->objectName()));
    clickControl(button);
}

void TestSoak::pickFromList()
{
    QWidget *window = anyWindow();
    QList<QComboBox *> lists;
    for (QWidget *w : controls(window))
        if (auto *combo = qobject_cast<QComboBox *>(w))
            lists << combo;
    if (lists.isEmpty())
        return clickAnyControl();
    QComboBox *list = any(lists);
    const int row = below(list->count() + 1);  // the last: none, the list is closed again
    const bool byKeys = chance(20);
    note(QStringLiteral("%1: open %2 and %3%4")
             .arg(window->objectName(), list->objectName(),
                  row < list->count() ? "pick " + list->itemText(row) : QStringLiteral("close it with Escape"),
                  byKeys && row < list->count() ? QStringLiteral(" by the arrow keys and Enter") : QString()));
    bringToFront(window);
    openList(list);
    if (!list->view()->isVisible())
        return;  // the click went to a box that refused its value
    if (row == list->count()) {
        key(Qt::Key_Escape);
    } else if (byKeys) {
        for (int i = 0; i <= row; ++i)
            key(Qt::Key_Down);
        key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    } else {
        clickListItem(list, row);
    }
    settle();
}

void TestSoak::dropText()
{
    QWidget *window = anyWindow();
    QWidget *control = any(controls(window));
    const QString text = randomText();
    const QPoint at = control->mapTo(
        window, QPoint(below(std::max(1, control->width())), below(std::max(1, control->height()))));
    QWidget *target = dropTargetAt(window, at);
    note(QStringLiteral("%1: drop %2 on %3 (%4)")
             .arg(window->objectName(), shown(text), control->objectName(),
                  target ? target->objectName() : QStringLiteral("nothing takes it")));
    if (!target)
        return;
    // Dragged in from another program; the window need not be active.
    QMimeData dragged;
    dragged.setText(text);
    const QPoint local = target->mapFrom(window, at);
    QDragEnterEvent enter(local, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(local, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (enter.isAccepted() && move.isAccepted()) {
        QDropEvent drop(QPointF(local), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
    }
    settle();
}

void TestSoak::useContextMenu()
{
    QWidget *window = anyWindow();
    const QList<QWidget *> boxes = textControls(window);
    if (boxes.isEmpty())
        return clickAnyControl();
    QWidget *box = any(boxes);
    note(QStringLiteral("%1: right-click %2").arg(window->objectName(), box->objectName()));
    bringToFront(window);
    const QPoint inWindow = box->mapTo(window, box->rect().center());
    QPointer<QWidget> target = window->childAt(inWindow);
    if (!target)
        return;
    // The menu opens on the press; the release goes to the open menu.
    const QPoint at = target->mapFrom(window, inWindow);
    QTest::mousePress(target, Qt::RightButton, Qt::NoModifier, at);
    // A frame's menu runs its own loop until it closes: dismissed inside it.
    QTimer::singleShot(0, this, [this] { dismissPopup(); });
    if (target) {
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &menuEvent);
    }
    if (QWidget *popup = QApplication::activePopupWidget())
        QTest::mouseRelease(popup, Qt::RightButton, Qt::NoModifier,
                            popup->mapFromGlobal(window->mapToGlobal(inWindow)));
    else if (target)
        QTest::mouseRelease(target, Qt::RightButton, Qt::NoModifier, at);
    settle();
}

// An open menu or list: a pick from it, or Escape.
void TestSoak::dismissPopup()
{
    QWidget *popup = QApplication::activePopupWidget();
    if (!popup)
        return;
    // A submenu chosen opens over its menu: both are dismissed in turn.
    const auto dismissSubmenu = qScopeGuard([this, popup] {
        if (QApplication::activePopupWidget() && QApplication::activePopupWidget() != popup)
            dismissPopup();
        if (QApplication::activePopupWidget() == popup)
            QTest::keyClick(popup, Qt::Key_Escape);
        settle();
    });
    QList<QAction *> entries;
    if (auto *menu = qobject_cast<QMenu *>(popup)) {
        for (QAction *a : menu->actions())
            if (a->isEnabled() && a->isVisible() && !a->isSeparator())
                entries << a;
    }
    if (!entries.isEmpty() && chance(70)) {
        QAction *entry = any(entries);
        note(QStringLiteral("  choose %1").arg(entry->text()));
        QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier,
                          static_cast<QMenu *>(popup)->actionGeometry(entry).center());
    } else {
        note(QStringLiteral("  Escape closes the %1").arg(popup->metaObject()->className()));
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    settle();
}

// The calculation book: its shortcuts, or the context menu of a results
// frame opened on a bare spot of it. The file and print dialogs it opens
// are cancelled as they show.
void TestSoak::useBook()
{
    QList<QWidget *> calculators = windows();
    calculators.removeIf([](QWidget *w) { return w->objectName() == QStringLiteral("Form1"); });
    if (calculators.isEmpty())
        return openCalculator();
    QWidget *window = any(calculators);
    bringToFront(window);
    QList<QWidget *> frames;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->contextMenuPolicy() == Qt::ActionsContextMenu && w->isVisible())
            frames << w;
    std::sort(frames.begin(), frames.end(), [](QWidget *a, QWidget *b) { return a->objectName() < b->objectName(); });
    if (frames.isEmpty() || chance(60)) {
        const struct {
            Qt::Key code;
            Qt::KeyboardModifiers modifiers;
            const char *name;
        } shortcuts[] = {{Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+C"},
                         {Qt::Key_E, Qt::ControlModifier, "Ctrl+E"},
                         {Qt::Key_P, Qt::ControlModifier, "Ctrl+P"},
                         {Qt::Key_O, Qt::ControlModifier, "Ctrl+O"},
                         {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"}};
        const auto &shortcut = shortcuts[below(int(std::size(shortcuts)))];
        note(QStringLiteral("%1: %2").arg(window->objectName(), shortcut.name));
        key(shortcut.code, shortcut.modifiers);
        return;
    }
    QWidget *frame = any(frames);
    QList<QPoint> bare;
    for (int y = 2; y < frame->height(); y += 6)
        for (int x = 2; x < frame->width(); x += 6)
            if (frame->childAt(x, y) == nullptr)
                bare << QPoint(x, y);
    if (bare.isEmpty())
        return;
    const QPoint at = any(bare);
    note(QStringLiteral("%1: right-click %2 at %3,%4")
             .arg(window->objectName(), frame->objectName())
             .arg(at.x())
             .arg(at.y()));
    // This menu runs its own loop until it closes: the pick or the Escape
    // happens inside it.
    QTimer::singleShot(0, this, [this] { dismissPopup(); });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, frame->mapToGlobal(at));
    QApplication::sendEvent(frame, &menuEvent);
    settle();
}

void TestSoak::turnTheWheel()
{
    QWidget *window = anyWindow();
    QWidget *control = any(controls(window));
    const int steps = chance(50) ? 1 : -1;
    note(QStringLiteral("%1: wheel %2 over %3")
             .arg(window->objectName(), steps > 0 ? "up" : "down", control->objectName()));
    // The wheel reaches the control under the pointer, the window active or not.
    const QPoint inWindow = control->mapTo(window, control->rect().center());
    QWidget *target = window->childAt(inWindow);
    if (!target)
        target = window;
    const QPointF at = target->mapFrom(window, inWindow);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    settle();
}

void TestSoak::minimise()
{
    QWidget *window = anyWindow();
    note(QStringLiteral("%1: minimise").arg(window->objectName()));
    window->showMinimized();
    settle();
}

void TestSoak::openCalculator()
{
    if (!main_ || !main_->isVisible())
        return clickAnyControl();
    const struct {
        const char *button, *entry;
    } ways[] = {{"Command1", "luoshuan"},
                {"Command3", "duanban"},
                {"Command2", "shouyaxishu"},
                {"Command5", "zhuangji"},
                {"Command6", "zhupeijin"}};
    const auto &way = ways[below(int(std::size(ways)))];
    if (chance(60)) {
        note(QStringLiteral("Form1: click %1").arg(way.button));
        clickControl(main_->findChild<QWidget *>(way.button));
        return;
    }
    // Through the menu: a click on the menu, then on the entry (now and then
    // on a separator, which does nothing and leaves the menu open); or the
    // other edition of the design codes, with the windows open.
    auto *menu = main_->findChild<QMenu *>(QStringLiteral("proselect"));
    QString entryName = way.entry;
    if (chance(10))
        entryName = QStringLiteral("fen%1").arg(1 + below(4));
    if (chance(15)) {
        menu = main_->findChild<QMenu *>(QStringLiteral("guifan"));
        entryName = chance(50) ? QStringLiteral("guifanYuan") : QStringLiteral("guifanXianxing");
    }
    note(QStringLiteral("Form1: menu %1, %2").arg(menu->title(), entryName));
    bringToFront(main_.get());
    QMenuBar *bar = main_->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(menu->menuAction()).center());
    settle();
    if (!menu->isVisible())
        return;
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(main_->findChild<QAction *>(entryName)).center());
    settle();
}

void TestSoak::closeByCloseBox()
{
    QList<QWidget *> calculators = windows();
    calculators.removeAll(main_.get());
    if (calculators.isEmpty())
        return openCalculator();
    QWidget *window = any(calculators);
    note(QStringLiteral("%1: close box").arg(window->objectName()));
    window->windowHandle()->close();
    settle();
}

void TestSoak::endAndStartAgain()
{
    if (!main_ || !main_->isVisible())
        return clickAnyControl();
    note(QStringLiteral("Form1: click 退出程序, then start the program again"));
    clickControl(main_->findChild<QWidget *>(QStringLiteral("Command4")));
    if (windows() != QList<QWidget *>{main_.get()})
        fail(QStringLiteral("退出程序 left calculator windows open"));
    main_.reset();
    settle();
    startProgram();
}

void TestSoak::closeMainWindow()
{
    if (!main_ || !main_->isVisible())
        return clickAnyControl();
    note(QStringLiteral("Form1: close box (the calculators stay open)"));
    main_->windowHandle()->close();
    settle();
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
