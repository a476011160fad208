#include "warningbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSpacerItem>
#include <QPointer>
#include <QWidget>

namespace morvane {

namespace {

// The style's warning sign, a 32 x 32 bitmap, drawn as lines and areas at the
// screen's own pixels for a scaled screen, where the bitmap would show
// blown up: a yellow triangle with a black edge and an exclamation mark, its
// grey shadow two pixels to the lower right.
QPixmap sharpWarningSign(qreal devicePixelRatio)
{
    QPixmap sign(QSize(32, 32) * devicePixelRatio);
    sign.setDevicePixelRatio(devicePixelRatio);
    sign.fill(Qt::transparent);
    QPainter p(&sign);
    p.setRenderHint(QPainter::Antialiasing);

    // The triangle's outer edge: a flattened top, sides one across for two
    // down, rounded feet.
    QPainterPath triangle;
    triangle.moveTo(13, 0);
    triangle.lineTo(16, 0);
    triangle.lineTo(29, 24);
    triangle.lineTo(29, 28);
    triangle.quadTo(29, 30, 27, 30);
    triangle.lineTo(2, 30);
    triangle.quadTo(0, 30, 0, 28);
    triangle.lineTo(0, 24);
    triangle.closeSubpath();
    p.fillPath(triangle.translated(2, 2), QColor(0x99, 0x99, 0x99));
    p.fillPath(triangle, Qt::black);
    QPainterPath inside;
    inside.moveTo(13.6, 1);
    inside.lineTo(15.4, 1);
    inside.lineTo(28, 24.2);
    inside.lineTo(28, 27.8);
    inside.quadTo(28, 29, 26.8, 29);
    inside.lineTo(2.2, 29);
    inside.quadTo(1, 29, 1, 27.8);
    inside.lineTo(1, 24.2);
    inside.closeSubpath();
    p.fillPath(inside, QColor(0xFF, 0xFF, 0x00));

    // The exclamation mark: a bar narrowing to a point in its lower third,
    // and its dot.
    QPainterPath bar;
    bar.moveTo(12, 10.5);
    bar.quadTo(14.5, 8, 17, 10.5);
    bar.lineTo(17, 15.5);
    bar.lineTo(15.2, 21);
    bar.lineTo(13.8, 21);
    bar.lineTo(12, 15.5);
    bar.closeSubpath();
    p.fillPath(bar, Qt::black);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(15, 24), 2, 2);
    return sign;
}

}  // namespace

int warningBoxMinimumWidth(const QString &title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(QFontInfo(titleFont).pointSizeF() * 1.3);
    constexpr int titleBarExtras = 150;  // window icon, minimise/close buttons, padding
    return QFontMetrics(titleFont).horizontalAdvance(title) + titleBarExtras;
}

namespace {

// Shows the warning box with those buttons over `parent`'s window, then
// gives the window and its focus back; the button chosen.
QMessageBox::StandardButton showBox(QWidget *parent, const QString &title, const QString &message,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton answerOfEscape,
                                    QMessageBox::StandardButton defaultAnswer = QMessageBox::NoButton)
{
    QPointer<QWidget> window = parent ? parent->window() : nullptr;
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && focus->window() != window)
        focus = nullptr;

    QMessageBox box(QMessageBox::Warning, title, message, buttons, window);
    box.setObjectName(QStringLiteral("warningBox"));
    box.setDefaultButton(defaultAnswer == QMessageBox::NoButton ? answerOfEscape : defaultAnswer);
    const std::pair<QMessageBox::StandardButton, const char *> captions[] = {
        {QMessageBox::Save, "保存"}, {QMessageBox::Discard, "不保存"}, {QMessageBox::Cancel, "取消"}};
    for (const auto &[button, caption] : captions) {
        if (buttons.testFlag(button))
            box.button(button)->setText(QString::fromUtf8(caption));
    }
    box.setEscapeButton(answerOfEscape);
    if (box.devicePixelRatio() > 1) {
        // The label showing the sign is the box's one label with a picture.
        for (auto *label : box.findChildren<QLabel *>()) {
            if (!label->pixmap().isNull())
                label->setPixmap(sharpWarningSign(box.devicePixelRatio()));
        }
    }
    // Wide enough for its title as a window manager draws it: the title in a
    // larger bold face, beside the window menu and the title-bar buttons.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(warningBoxMinimumWidth(title), 0), grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    const QMessageBox::StandardButton answer = clicked ? box.standardButton(clicked) : answerOfEscape;

    if (window && window->isVisible()) {
        window->activateWindow();
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }
    return answer;
}

}  // namespace

void showWarning(QWidget *parent, const QString &title, const QString &message)
{
    showBox(parent, title, message, QMessageBox::Ok, QMessageBox::Ok);
}

bool askYesNo(QWidget *parent, const QString &title, const QString &question)
{
    return showBox(parent, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer askSave(QWidget *parent, const QString &title, const QString &question)
{
    switch (showBox(parent, title, question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

}  // namespace morvane
