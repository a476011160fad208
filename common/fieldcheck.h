#pragma once
// The field check of every calculator window: when the user leaves a text
// box for another control of the same window (Tab, Shift+Tab, a click), the
// box's value is read and tested; a refused value is told in the warning
// box and the focus goes back into the box, its text as typed.
//
// Text can also reach a box without the box having the focus (dropped on
// it, or pasted from the X selection with the middle button): such a box
// takes the focus, so its check runs when it is left. Whatever the path,
// `passes()` is the last word before a calculation runs.
//
// At "计算" every box the window reads a number from must hold one number
// and nothing else: "8O" (a letter O), "12,5" or "1e" would otherwise be read
// by their leading digits without a word.

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace morvane {

struct FieldFailure {
    QString message;
    QString title;
};

// A box's test: the value read by the leading-number parse in, the failure
// to report (if any) out.
using FieldTest = std::function<std::optional<FieldFailure>(double value)>;

// The usual test: a value at or below the bound fails with that message.
std::optional<FieldFailure> refuseAtMost(double value, double bound, const QString &message, const QString &title);

class FieldCheck : public QObject
{
    Q_OBJECT
public:
    explicit FieldCheck(QWidget *window);

    void watch(QLineEdit *box, FieldTest test);

    // A test that only "计算" runs (through passes()), after the tests of
    // watch(): leaving the box does not run it. For rules that need the
    // other inputs too, or that would interrupt typing.
    void checkAtCalculate(QLineEdit *box, FieldTest test);

    // Boxes a number is read from that have no test of their own. The boxes
    // of watch() and checkAtCalculate() need not be named again.
    void requireNumbers(std::initializer_list<QLineEdit *> boxes);

    // Enter (Return or the keypad's Enter) in any box of this check presses
    // the button, after the box's own test, as a click on it would: a
    // refused box tells its failure and the button is not pressed.
    void calculateOnEnter(QAbstractButton *button);
    QAbstractButton *calculateButton() const;

    // True when every box holds one number (blanks around it, full-width
    // digits and an empty text are fine) and every test accepts its value.
    // Otherwise tells the first refusal and returns false: the caller
    // computes nothing. A box holding anything but one number comes first,
    // the first such box in Tab order, told as "「8O」不是一个数，请改正"
    // with its whole text selected; then the tests in the order given, the
    // focus put back into the refused box.
    bool passes();

    // True when passes() would let the calculation run; unlike passes(),
    // tells nothing and leaves the focus where it is.
    bool allPass() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Refusal {
        QLineEdit *box = nullptr;
        FieldFailure failure;
        bool notANumber = false;
    };

    void addNumberBox(QLineEdit *box);
    void boxLeft(QLineEdit *box);
    void enterPressed(QLineEdit *box);
    void reportFailure();
    std::optional<FieldFailure> failureOf(QLineEdit *box) const;
    // The first box in Tab order that holds anything but one number; then
    // the first watched box whose value its test refuses; then the first
    // refused by a test of checkAtCalculate().
    Refusal firstRefused() const;

    QWidget *window_;
    QList<QLineEdit *> boxes_;  // in the order watched
    QHash<QObject *, FieldTest> tests_;
    QList<std::pair<QLineEdit *, FieldTest>> calculateTests_;  // in the order given
    QList<QLineEdit *> numberBoxes_;                           // every box read as a number
    QPointer<QAbstractButton> calculate_;
    QPointer<QLineEdit> failingBox_;
    FieldFailure failure_;
    bool selectFailingText_ = false;
    bool swallowingPress_ = false;
};

}  // namespace morvane
