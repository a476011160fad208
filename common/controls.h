#pragma once
// Small helpers for the controls that every calculator window shares:
// colours taken from the system palette, result boxes, lists that refuse
// the keyboard, and buttons whose caption wraps.

#include <QColor>
#include <QPushButton>
#include <QString>

#include <initializer_list>

class QAbstractButton;
class QApplication;
class QComboBox;
class QFont;
class QLineEdit;
class QWidget;

namespace morvane {

// The application's look: Fusion style, a CJK interface font at 12 pixels,
// the same palette on every machine, and Qt's own texts (the OK of a message
// box, the entries of a text box's context menu) in Simplified Chinese.
void applyApplicationLook(QApplication &app);

// System colours named after their role.
QColor tooltipBackground();   // result boxes
QColor windowBackground();    // text boxes that take input
QColor scrollBarGrey();       // locked input boxes

// Paints a text box's background.
void setBoxBackground(QWidget *box, const QColor &colour);

// A result box: read-only, on the tooltip colour, skipped by the Tab key
// (it can still be clicked to select and copy its digits).
void makeResultBox(QLineEdit *box, Qt::Alignment alignment = Qt::AlignLeft);

// Writes a result and shows its beginning when it is wider than the box.
void showResult(QLineEdit *box, const QString &text);

// A drop-down list whose text changes only by a pick from the list with the
// mouse: every key (but Tab and Shift+Tab, which leave the list) and the
// mouse wheel are discarded. Its text field shows the design text.
void makeKeyProofList(QComboBox *list);

// Makes the option buttons of one frame a group with one Tab stop, the
// selected option; the arrow keys move within the group.
void makeOptionGroup(std::initializer_list<QAbstractButton *> options);

// The font of the main window's labels: the Kai face, falling back to any CJK face.
QFont kaiFont(double pointSize, bool bold, bool underline);

// A command button whose caption wraps onto several lines when it does not
// fit, as on the main window and on tall narrow buttons.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    explicit WrappingButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace morvane
