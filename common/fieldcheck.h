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

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

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

    // True when every watched box holds a value its test accepts. Otherwise
    // tells the first refused box's failure, puts the focus back into that
    // box and returns false: the caller computes nothing.
    bool passes();

    // True when every watched box holds a value its test accepts; unlike
    // passes(), tells nothing and leaves the focus where it is.
    bool allPass() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void boxLeft(QLineEdit *box);
    void reportFailure();
    std::optional<FieldFailure> failureOf(QLineEdit *box) const;
    // The first watched box whose value its test refuses, with the failure;
    // then the first refused by a test of checkAtCalculate().
    std::pair<QLineEdit *, FieldFailure> firstRefused() const;

    QWidget *window_;
    QList<QLineEdit *> boxes_;  // in the order watched
    QHash<QObject *, FieldTest> tests_;
    QList<std::pair<QLineEdit *, FieldTest>> calculateTests_;  // in the order given
    QPointer<QLineEdit> failingBox_;
    FieldFailure failure_;
    bool swallowingPress_ = false;
};

}  // namespace morvane
