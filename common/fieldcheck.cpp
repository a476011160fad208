#include "fieldcheck.h"

#include "numbers.h"
#include "warningbox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace morvane {

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
}

void FieldCheck::checkAtCalculate(QLineEdit *box, FieldTest test)
{
    calculateTests_.append({box, std::move(test)});
    connect(box, &QObject::destroyed, this, [this, box] {
        calculateTests_.removeIf([box](const auto &entry) { return entry.first == box; });
    });
}

std::optional<FieldFailure> FieldCheck::failureOf(QLineEdit *box) const
{
    return tests_.value(box)(parseLeadingNumber(box->text().toStdString()));
}

std::pair<QLineEdit *, FieldFailure> FieldCheck::firstRefused() const
{
    for (QLineEdit *box : boxes_) {
        if (std::optional<FieldFailure> failure = failureOf(box))
            return {box, *failure};
    }
    for (const auto &[box, test] : calculateTests_) {
        if (std::optional<FieldFailure> failure = test(parseLeadingNumber(box->text().toStdString())))
            return {box, *failure};
    }
    return {nullptr, {}};
}

bool FieldCheck::allPass() const { return !firstRefused().first; }

bool FieldCheck::passes()
{
    if (failingBox_)
        return false;  // a failure is being reported right now
    auto [box, failure] = firstRefused();
    if (!box)
        return true;
    failingBox_ = box;
    failure_ = failure;
    reportFailure();
    return false;
}

bool FieldCheck::eventFilter(QObject *watched, QEvent *event)
{
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
        default:
            break;
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
    if (swallowingPress_
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
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
    swallowingPress_ = true;
    qApp->installEventFilter(this);
    // Report once the focus change is complete, not inside it.
    QMetaObject::invokeMethod(this, &FieldCheck::reportFailure, Qt::QueuedConnection);
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
    }
}

}  // namespace morvane
