#pragma once
// Driving windows as a person would, on the offscreen platform.

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

// Defined in the AddressSanitizer build, whose allocator holds freed memory
// back: a test that measures memory skips there.
#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_ADDRESS_SANITIZER 1
#endif
#endif

class QComboBox;
class QLineEdit;
class QWidget;

namespace uitest {

// What a message box showed.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString buttons;       // the button captions, e.g. "确定" for the one OK button
    QString parentWindow;  // objectName of the window it was shown over

    bool operator==(const ShownBox &other) const = default;
};

// Readable failure output for recorded boxes (found by QCOMPARE).
char *toString(const ShownBox &box);
char *toString(const QList<ShownBox> &boxes);

// A warning box as every calculator window shows it.
ShownBox warning(const QString &title, const QString &text, const QString &window);

// Watches for every modal message box the program shows, records it and
// answers it, so that no test can hang on a box. Boxes a test did not take
// are reported by `unexpected()`.
class MessageBoxCatcher : public QObject
{
    Q_OBJECT
public:
    // PressEnter gives only the press: its release lands wherever the focus
    // goes next. CloseBox closes the box by its title-bar close box.
    // ClickYes and ClickNo click those buttons of a question, ClickSave and
    // ClickDiscard 保存 and 不保存 of the question before changes are lost.
    enum class Answer { ClickOk, PressEnter, PressEscape, CloseBox, ClickYes, ClickNo, ClickSave, ClickDiscard };

    MessageBoxCatcher();
    ~MessageBoxCatcher() override;

    void setAnswer(Answer answer) { answer_ = answer; }
    // Asks for the answer to each box as it shows (instead of setAnswer).
    void setAnswerChooser(std::function<Answer()> chooser) { chooser_ = std::move(chooser); }
    // The most message boxes that were up at the same time since the last call.
    int takeMostShownAtOnce() { return std::exchange(mostShownAtOnce_, 0); }
    // The boxes shown since the last call, in order.
    QList<ShownBox> take();
    // The width of the last box shown, in pixels.
    int lastWidth() const { return lastWidth_; }
    // A printable list of boxes still not taken (empty when none).
    QString unexpected() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answer(QMessageBox *box);

    QList<ShownBox> boxes_;
    Answer answer_ = Answer::ClickOk;
    std::function<Answer()> chooser_;
    int mostShownAtOnce_ = 0;
    int lastWidth_ = 0;
};

// What every window test does around each test function: the application
// set up as the program sets it up, a catcher for the message boxes, the
// window shown active; afterwards the window deleted and the test failed
// when a message box came up that it did not take.
class WindowTestBase : public QObject
{
    Q_OBJECT
protected:
    // Shows a window active as the one under test; it is deleted after the
    // test function.
    bool show(QWidget *window);

    std::unique_ptr<MessageBoxCatcher> boxes;

private slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    // The window each test function starts with (none: the test opens its own).
    virtual QWidget *makeWindowUnderTest() { return nullptr; }

    QPointer<QWidget> shown_;
};

// A test of one window class W, made and shown anew for each test function;
// a test of several windows (W left as QWidget) opens each with show().
template <typename W = QWidget>
class WindowTest : public WindowTestBase
{
protected:
    QPointer<W> form;  // the window under test

private:
    QWidget *makeWindowUnderTest() override
    {
        if constexpr (std::is_same_v<W, QWidget>)
            return nullptr;
        else
            return form = new W;
    }
};

// Finds a control by its name inside a window; fails the test when absent.
template <typename T = QWidget>
T *control(QWidget *window, const QString &name);

// Sets the application up as the program does (style, fonts, Chinese texts);
// the offscreen platform's notes on what it cannot do are not logged. What
// the program remembers across starts goes to a folder of the test's own,
// emptied when the test ends: a test never reads or writes the user's settings.
void prepareLikeTheProgram();

// Shows a window and waits until it is the active window.
bool showActive(QWidget *window);

// Lets queued work (field checks, boxes) run.
void settle();

// A left click in the middle of a control, as the mouse gives it.
void click(QWidget *control);

// Tab or Shift+Tab in the focused control.
void pressTab(bool backwards = false);

// Presses Tab (Shift+Tab when backwards) until the focus is back on the
// control that had it, and lists the names of the controls visited, that
// control first and last. Stops after 40 presses.
QStringList tabRound(bool backwards = false);

// The same round the other way: Shift+Tab must visit what Tab visits, in reverse.
QStringList reversed(QStringList names);

// Turns the mouse wheel over a point of a control by a number of notches
// (positive: away from the user), as the mouse gives the turn to the
// control under the pointer.
void turnWheel(QWidget *control, QPoint at, int notches);

// Commits a text through the input method (as a Chinese input method
// delivers a finished phrase) to the control that has the focus.
void commitByInputMethod(const QString &text);

// Puts the focus into a box with the mouse, selects all and types a text,
// key by key (a character beyond ASCII as an input method gives it).
void typeInto(QWidget *box, const QString &text);

// Opens a drop-down list and picks the item with that text with the mouse.
void pickItem(QWidget *list, const QString &text);

// The two halves of a pick: a click on the list's arrow, and a click on an
// item of the open list. The list ignores a release that follows its
// opening within the double-click interval.
void openList(QComboBox *combo);
void clickListItem(QComboBox *combo, int row);

// Presses keys as the keyboard gives them: to the open list or menu, else to
// the control that has the focus ("F4", "Alt+Down", "Return", "Enter" on the
// keypad, "Escape"); "click 四排" clicks that item of the open list.
void pressKeys(const QStringList &keys);

// The objectName of the control that has the focus (empty when none).
QString focusName();

// A control's tooltip as a person reads on through it: its lines joined
// again (a tooltip breaks its long lines for the screen).
QString toolTipRead(const QWidget *control);

// The lines of a control's tooltip wider than 40 Chinese characters of the
// tooltip's font (empty when the tooltip wraps as it should).
QStringList toolTipLinesTooWide(const QWidget *control);

// The text of a one-line or multi-line text box.
QString textOf(const QWidget *box);

// Writes each text into each of the named result boxes as a window writes a
// result, and lists "box: text" for every one that does not show whole.
QStringList resultsShownCut(QWidget *window, const QStringList &boxes, const QStringList &texts);

// The longest texts the double-precision display gives.
inline const QStringList kLongestDoubleTexts{"-0.0101233002841923", "-1.23456789012345E+15", "-36.8929677726701"};

// True when a result text shows something that is no number a person can
// use: "nan" or "inf" in any case, or a negative zero ("-0", "-0.00", "-.0").
bool showsNoNumber(const QString &text);

// Texts a person can get into a box by accident or on purpose: at and beyond
// a box's length limit, control characters, NUL, lone surrogates,
// right-to-left text, emoji, numbers beyond the double range, "-0", "NaN",
// "0x10", full-width digits. Named for test rows.
struct NamedText {
    QString name;
    QString text;
};
QList<NamedText> hostileTexts(int lengthLimit);

// True when a box shows its text from the first character on: nothing of
// its beginning is scrolled out of view.
bool showsBeginning(QLineEdit *box);

// The controls of a window that stick out of the frame holding them (or
// touch its border line), and the one-line labels too narrow for their
// caption, by name; empty when every control fits.
QStringList controlsCutByTheirFrame(QWidget *window);

// True when the whole text of a box is in view, first to last character.
bool showsWholeText(QLineEdit *box);

// True when a picture on a screen scaled by a whole factor (2, 3) shows no
// detail finer than a logical pixel: a bitmap drawn at one pixel per logical
// pixel and scaled up, not a drawing at the screen's own pixels. False on an
// unscaled screen, where the two cannot be told apart.
bool scaledUpBitmap(QWidget *picture);

}  // namespace uitest

#include <QTest>
#include <QWidget>

template <typename T>
T *uitest::control(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control named %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}
