#pragma once
// The base of every calculator window. A window declares its controls once,
// as a table: one row per control with its name, kind, frame, caption, place,
// field rule, name for screen readers, the calculation input it feeds and the
// default its load step writes. The base builds the controls from the rows in
// their order, then the option groups, the screen-reader names, the Tab
// order, the book actions, the field checks and the return button, and runs
// the load step. The window's own class keeps what is particular to it:
// reading its inputs into the calculation's input record, writing the
// results, and any behaviour of its own.

#include "fieldrule.h"
#include "inputtexts.h"

#include <QMap>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <span>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace morvane {

class BookActions;
class FieldCheck;

enum class ControlKind : unsigned char {
    Frame,  // a captioned group frame
    Label,
    Box,           // an input text box
    ResultBox,     // read-only, shaded, passed by the Tab key
    ShadedBox,     // shaded like a result and passed by the Tab key, but it takes typing
    ReportBox,     // several lines of result, shaded, passed by the Tab key
    KeyProofList,  // changes only by a pick from its list
    TypedList,     // takes any typed text
    Option,
    Check,
    Button,
    TallButton,  // a button whose caption wraps
    Picture,     // a drawing of the window's own, made by `make`
};

// What a control does for the window as a whole.
enum class Duty : unsigned char {
    None,
    Calculate,  // a "计算" button: Enter in a box it reads presses it; its tooltip tells of the book
    Return,     // closes the window
    Results,    // a frame whose context menu offers the book
};

struct ControlRow {
    const char *name;  // the objectName, as the design names it
    ControlKind kind;
    int role = -1;                            // the window's name for it in C++; -1: the window never touches it
    const char *parent = nullptr;             // the name of its frame; none: the window itself
    const char *text = nullptr;               // caption, label text, a list's design text
    QRect geometry = {};                      // in its parent; a picture: its place only
    const char *reader = nullptr;             // what a screen reader calls it; an option: its group
    const char *unit = nullptr;               // read after the name: "b (mm)"
    const char *namedBy = nullptr;            // a list: the label that names it
    const char *tip = nullptr;                // its tooltip
    Qt::Alignment align = {};                 // a label's or a box's text
    FieldRule rules[2] = {};                  // tested in this order
    const char *feeds = nullptr;              // the calculation input read from it; a box read as a number
    const char *shows = nullptr;              // a result box: the result it shows, as the book's steps name it
    int check = 0;                            // a box: which "计算" button reads it, 0 for the first
    const char *value = nullptr;              // what the load step writes into a box
    bool checked = false;                     // an option or check chosen by the load step
    std::span<const char *const> items = {};  // a list's items, filled by the load step
    Duty duty = Duty::None;
    QWidget *(*make)(QWidget *parent) = nullptr;  // a picture
};

struct WindowTable {
    const char *name;  // the window's objectName
    const char *caption;
    int widthTwips;
    int heightTwips;
    std::span<const ControlRow> controls;  // in the order they are made
    std::span<const char *const> tabOrder;
    const char *focus = nullptr;  // the control that has the focus when the window opens
};

class CalculatorWindow : public QWidget
{
    Q_OBJECT
public:
    const WindowTable &table() const { return table_; }

    // The inputs as the window shows them, by the calculation input each
    // feeds (the table's `feeds`): a box or a list its text, a check "是" or
    // "否", an option group the caption of its chosen option.
    QMap<QString, QString> inputTexts() const;
    // Shows each text in the control of its input, as if typed or picked: a
    // list takes any text it could be typed or picked to, an option group
    // the caption or the objectName of one of its options, a check "是" or
    // "否". Inputs the window lacks are passed by. Returns the names of the
    // inputs whose texts no control of theirs can show; those keep theirs.
    QStringList setInputTexts(const QMap<QString, QString> &texts);
    // inputTexts() as the calculations' readers take them.
    InputTextMap calculationTexts() const;

protected:
    // Called after setInputTexts has shown its texts: a window shows what
    // follows from them (the bolt window the layout of its number of rows).
    virtual void followInputs() {}

    // Builds the controls of the table with their design texts, then runs the load step.
    CalculatorWindow(const WindowTable &table, QWidget *parent);

    // A control by its role.
    template <typename Control = QWidget>
    Control *control(int role) const
    {
        return qobject_cast<Control *>(roles_.at(role));
    }
    QLineEdit *box(int role) const;
    QComboBox *list(int role) const;
    QAbstractButton *button(int role) const;  // a command button, an option or a check
    QLabel *label(int role) const;
    QPlainTextEdit *report(int role) const;
    // A result of several lines, one line of the box each.
    void showLines(int role, const std::vector<std::string> &lines) const;

    BookActions *book() const { return book_; }
    // The check of the boxes one "计算" button reads, the first button's by default.
    FieldCheck *fieldCheck(int check = 0) const { return checks_.at(check); }

private:
    void build();
    void load();
    // The options of the group whose first row is `first`, with their rows.
    std::vector<std::pair<const ControlRow *, QAbstractButton *>> optionGroup(size_t first) const;

    const WindowTable &table_;
    std::vector<QWidget *> made_;  // the control of each row
    std::vector<QWidget *> roles_;
    std::vector<FieldCheck *> checks_;
    BookActions *book_ = nullptr;
};

}  // namespace morvane
