#include "warningbox.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPointer>
#include <QWidget>

namespace morvane {

int warningBoxMinimumWidth(const QString &title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(QFontInfo(titleFont).pointSizeF() * 1.3);
    constexpr int titleBarExtras = 150;  // window icon, minimise/close buttons, padding
    return QFontMetrics(titleFont).horizontalAdvance(title) + titleBarExtras;
}

void showWarning(QWidget *parent, const QString &title, const QString &message)
{
    QPointer<QWidget> window = parent ? parent->window() : nullptr;
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && focus->window() != window)
        focus = nullptr;

    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("warningBox"));
    // Wide enough for its title as a window manager draws it: the title in a
    // larger bold face, beside the window menu and the title-bar buttons.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(warningBoxMinimumWidth(title), 0), grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();

    if (window && window->isVisible()) {
        window->activateWindow();
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace morvane
