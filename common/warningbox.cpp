#include "warningbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace morvane {

void showWarning(QWidget *parent, const QString &title, const QString &message)
{
    QPointer<QWidget> window = parent ? parent->window() : nullptr;
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && focus->window() != window)
        focus = nullptr;

    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("warningBox"));
    box.exec();

    if (window && window->isVisible()) {
        window->activateWindow();
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace morvane
