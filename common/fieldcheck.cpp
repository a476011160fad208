#include "fieldcheck.h"

#include "fieldrule.h"
#include "numbers.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <climits>

namespace morvane {

namespace {

// The refusal of a text that is not one number, the text quoted as typed.
FieldFailure notANumber(const QString &text)
{
    return {QString::fromStdString(notANumberMessage(text.toStdString())), QString::fromUtf8(kNotANumberTitle)};
}

}  // namespace

std::optional<FieldFailure> refuseAtMost(double value, double bound, const QString &message, const QString &title)
{
    if (value <= bound)
        return FieldFailure{message, title};
    return std::nullopt;
}

FieldCheck::FieldCheck(QWidget *window)
    : QObject(window)
    , window_(window)
{
}

void FieldCheck::watch(QLineEdit *box, FieldTest test)
{
    boxes_.append(box);
    tests_.insert(box, std::move(test));
    box->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this, box] {
        boxes_.removeAll(box);
        tests_.remove(box);
    });
    addNumberBox(box);
}

void FieldCheck::checkAtCalculate(QLineEdit *box, FieldTest test)
{
    calculateTests_.append({box, std::move(test)});
    connect(box, &QObject::destroyed, this,
            [this, box] { calculateTests_.removeIf([box](const auto &entry) { return entry.first == box; }); });
    addNumberBox(box);
}

void FieldCheck::requireNumbers(std::initializer_list<QLineEdit *> boxes)
{
    for (QLineEdit *box : boxes)
        addNumberBox(box);
}

void FieldCheck::addNumberBox(QLineEdit *box)
{
    if (numberBoxes_.contains(box))
        return;
    numberBoxes_.append(box);
    box->installEventFilter(this);  // for Enter
    connect(box, &QObject::destroyed, this, [this, box] { numberBoxes_.removeAll(box); });
}

void FieldCheck::calculateOnEnter(QAbstractButton *button) { calculate_ = button; }

QAbstractButton *FieldCheck::calculateButton() const { return calculate_; }

std::optional<FieldFailure> FieldCheck::failureOf(QLineEdit *box) const
{
    return tests_.value(box)(parseLeadingNumber(box->text().toStdString()));
}

FieldCheck::Refusal FieldCheck::firstRefused() const
{
    // The boxes in the order the Tab key visits them.
    QHash<const QWidget *, int> tabPosition;
    int position = 0;
    for (QWidget *w = window_->nextInFocusChain(); w && w != window_ && position < 100000; w = w->nextInFocusChain())
        tabPosition.insert(w, position++);
    QList<QLineEdit *> numberBoxes = numberBoxes_;
    std::stable_sort(numberBoxes.begin(), numberBoxes.end(), [&tabPosition](QLineEdit *a, QLineEdit *b) {
        return tabPosition.value(a, INT_MAX) < tabPosition.value(b, INT_MAX);
    });
    for (QLineEdit *box : numberBoxes) {
        if (!isOneNumber(box->text().toStdString()))
            return {box, notANumber(box->text()), true};
    }
    for (QLineEdit *box : boxes_) {
        if (std::optional<FieldFailure> failure = failureOf(box))
            return {box, *failure};
    }
    for (const auto &[box, test] : calculateTests_) {
        if (std::optional<FieldFailure> failure = test(parseLeadingNumber(box->text().toStdString())))
            return {box, *failure};
    }
    return {};
}

bool FieldCheck::allPass() const { return !firstRefused().box; }

bool FieldCheck::passes()
{
    if (failingBox_)
        return false;  // a failure is being reported right now
    const Refusal refusal = firstRefused();
    if (!refusal.box)
        return true;
    failingBox_ = refusal.box;
    failure_ = refusal.failure;
    selectFailingText_ = refusal.notANumber;
    reportFailure();
    return false;
}

bool FieldCheck::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && calculate_) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *box = qobject_cast<QLineEdit *>(watched);  // none while it is being destroyed
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & ~Qt::KeypadModifier)
            && box && numberBoxes_.contains(box)) {
            if (!key->isAutoRepeat())
                enterPressed(box);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && tests_.contains(watched)) {
        // Only a move to another control of this window counts: not the
        // window losing activation (another window, the warning box itself)
        // nor a context menu taking the focus for a while.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
            if (auto *box = qobject_cast<QLineEdit *>(watched))  // not while it is being destroyed
                boxLeft(box);
            break;
        default: break;
        }
        return false;
    }
    if (tests_.contains(watched)) {
        // Text dropped on the box, or pasted into it with the middle button:
        // the box takes the focus once the text is in, so that leaving it
        // runs its check like any typed text.
        const bool dropped = event->type() == QEvent::Drop;
        const bool middlePaste = event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
        auto *box = qobject_cast<QLineEdit *>(watched);  // none while it is being destroyed
        if ((dropped || middlePaste) && box && !box->hasFocus()) {
            QPointer<QLineEdit> guarded(box);
            QMetaObject::invokeMethod(
                this,
                [guarded] {
                    if (guarded && guarded->isVisible()) {
                        guarded->activateWindow();
                        guarded->setFocus(Qt::MouseFocusReason);
                    }
                },
                Qt::QueuedConnection);
        }
    }
    if (swallowingPress_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == window_) {
        // The click that took the focus from a refused box does not reach
        // the control: a button must not act on the refused value.
        swallowingPress_ = false;
        return true;
    }
    return false;
}

void FieldCheck::boxLeft(QLineEdit *box)
{
    if (failingBox_)
        return;  // a failure is already being reported
    const std::optional<FieldFailure> failure = failureOf(box);
    if (!failure)
        return;
    failingBox_ = box;
    failure_ = *failure;
    selectFailingText_ = false;
    swallowingPress_ = true;
    qApp->installEventFilter(this);
    // Report once the focus change is complete, not inside it.
    QMetaObject::invokeMethod(this, &FieldCheck::reportFailure, Qt::QueuedConnection);
}

void FieldCheck::enterPressed(QLineEdit *box)
{
    if (failingBox_)
        return;  // a failure is being reported
    // The box's own test first, as leaving it for the button would run it.
    if (tests_.contains(box)) {
        if (const std::optional<FieldFailure> failure = failureOf(box)) {
            failingBox_ = box;
            failure_ = *failure;
            selectFailingText_ = false;
            reportFailure();
            return;
        }
    }
    if (calculate_ && calculate_->isVisible() && calculate_->isEnabled())
        calculate_->click();
}

void FieldCheck::reportFailure()
{
    qApp->removeEventFilter(this);
    swallowingPress_ = false;
    QPointer<QLineEdit> box = failingBox_;
    if (!box || !box->isVisible()) {
        failingBox_ = nullptr;
        return;
    }
    showWarning(box, failure_.title, failure_.message);
    failingBox_ = nullptr;
    if (box && box->isVisible()) {
        box->window()->activateWindow();
        box->setFocus(Qt::OtherFocusReason);
        if (selectFailingText_)
            box->selectAll();
    }
}

}  // namespace morvane
