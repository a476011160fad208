#pragma once
// Small helpers for the controls that every calculator window shares:
// colours taken from the system palette, result boxes, lists that refuse
// the keyboard, and buttons whose caption wraps.

#include <QColor>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>


class QAbstractButton;
class QApplication;
class QCheckBox;
class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace morvane {

// The application's look: Fusion style, a CJK interface font at 12 pixels,
// the same palette on every machine, and Qt's own texts (the OK of a message
// box, the entries of a text box's context menu) in Simplified Chinese.
void applyApplicationLook(QApplication &app);

// Sets a calculator window up: its name, caption and fixed client area (in
// twips, 15 to a pixel), and closing it unloads it: its entries are gone and
// the next opening starts from the defaults.
void setUpCalculatorWindow(QWidget *window, const QString &name, const QString &caption, int widthTwips,
                           int heightTwips);

// System colours named after their role.
QColor tooltipBackground();  // result boxes
QColor windowBackground();   // text boxes that take input
QColor scrollBarGrey();      // locked input boxes

// Paints a text box's background.
void setBoxBackground(QWidget *box, const QColor &colour);

// A result box: read-only, on the tooltip colour, skipped by the Tab key
// (it can still be clicked to select and copy its digits).
void makeResultBox(QLineEdit *box, Qt::Alignment alignment = Qt::AlignLeft);

// Sets a control's tooltip. A line wider than about 40 Chinese characters
// is broken where a line may break (between Chinese characters, at a blank),
// each blank kept at the end of its line; the text's own line breaks stay.
// Every tooltip of the program is set through here.
void setToolTipText(QWidget *control, const QString &text);

// Writes a result, with the whole text as the tooltip. The whole text
// shows: when it is wider than the box, the box's font is made smaller
// until it fits, so that the sign and the leading digits are never out of view.
void showResult(QLineEdit *box, const QString &text);

// A drop-down list whose text changes only by a pick from its drop-down
// list: F4 or Alt+Down opens it, the arrow keys move in it and Enter or a
// click picks, which emits activated() like a pick with the mouse. On the
// closed list every other key (but Tab and Shift+Tab, which leave the list),
// typed and input-method text and the mouse wheel are discarded. Its text
// field shows the design text.
void makeKeyProofList(QComboBox *list);

// Makes the option buttons of one frame a group with one Tab stop, the
// selected option; the arrow keys move within the group. A screen reader
// names each option by the group and its caption: "螺栓级别：8.8级".
void makeOptionGroup(const QList<QAbstractButton *> &options, const QString &groupName);

// Names an option for screen readers by its group and its caption, as
// makeOptionGroup does; again after its caption changed.
void nameOptionForReaders(QAbstractButton *option, const QString &groupName);

// Names a control for screen readers as it reads on screen, by its label
// and unit: "e1 (mm)", "Nt1 (kN)", "稳定系数".
void nameForReaders(QWidget *control, const QString &quantity, const QString &unit = QString());
// Names a list by the label beside it ("钢材"); a screen reader then reads
// the name and the list's text. The label is the list's buddy, since on X11
// and Wayland the list's own text is its name and the label comes through
// the labelled-by relation.
void nameListForReaders(QComboBox *list, QLabel *label);

// Controls placed at fixed positions, as the calculator window base makes
// them from a window's table: `name` is the row's objectName ("Text1",
// "Label1(0)", "Combo2").
QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry);
QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);
QRadioButton *makeOption(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);
QCheckBox *makeCheck(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

// An input text box. It carries its own name as design text until the load
// step writes its default, and shows the beginning of its text whenever it
// is left, so that a long value is read from its sign and first digits.
QLineEdit *makeTextBox(QWidget *parent, const QString &name, const QRect &geometry);

// A command button that Enter and Space both press while it has the focus.
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

// A drop-down list showing its design text. KeyProof lists change only by a
// pick with the mouse (see makeKeyProofList); Typed lists take any text the
// user types, which the calculation then reads as shown.
enum class ListKind { KeyProof, Typed };
QComboBox *makeList(QWidget *parent, const QString &name, const QString &designText, const QRect &geometry,
                    ListKind kind);

// Fills a list the way a load step does: items appended, none selected, the
// design text still shown.
void fillList(QComboBox *list, const QStringList &items);
// Fills a list anew with other items, none selected; it keeps showing its
// text, whether picked or typed.
void refillList(QComboBox *list, const QStringList &items);

// The value of a text box by the leading-number parse (an empty box is 0).
double valueOf(const QLineEdit *box);

// Sets the Tab order of a window's controls, first to last.
void setTabOrder(const QList<QWidget *> &order);

// Tells that the inputs give no finite result: "提示" / "输入数据超出计算范围，无法计算".
void showOutOfRange(QWidget *window);

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
