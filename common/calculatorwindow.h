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
//
// A window whose calculation differs between the two editions of the design
// codes (its table has a captionCurrent) follows the edition chosen in the
// main window: its rows say what differs under the current edition (caption,
// tooltip, list items, a hidden option), and the base relabels the window at
// once when the choice changes.

#include "edition.h"

#include "fieldrule.h"
#include "inputtexts.h"

#include <QMap>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace morvane {

class BookActions;
class CalculationKeeper;
class FieldCheck;
struct InputRule;

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

    // What differs under the current edition, in a window that follows it:
    const char *currentText = nullptr;               // caption, label text
    const char *currentTip = nullptr;                // tooltip
    const char *currentReader = nullptr;             // what a screen reader calls it
    std::span<const char *const> currentItems = {};  // a list's items
    QRect currentGeometry = {};                      // place in its parent, for a caption of another length
    bool hiddenInCurrent = false;                    // an option the current edition has no row for
};

// A row as it shows under an edition.
inline const char *textIn(const ControlRow &row, Edition edition)
{
    return edition == Edition::Current && row.currentText ? row.currentText : row.text;
}
inline const char *tipIn(const ControlRow &row, Edition edition)
{
    return edition == Edition::Current && row.currentTip ? row.currentTip : row.tip;
}
inline std::span<const char *const> itemsIn(const ControlRow &row, Edition edition)
{
    return edition == Edition::Current && !row.currentItems.empty() ? row.currentItems : row.items;
}
inline bool shownIn(const ControlRow &row, Edition edition)
{
    return edition == Edition::Original || !row.hiddenInCurrent;
}

// A box the user or the program writes a text into.
inline bool isTextBox(ControlKind kind)
{
    return kind == ControlKind::Box || kind == ControlKind::ResultBox || kind == ControlKind::ShadedBox;
}

// The rows of the option group whose first row is `first`, in table order.
inline std::vector<const ControlRow *> optionGroupRows(std::span<const ControlRow> rows, std::size_t first)
{
    std::vector<const ControlRow *> group;
    for (std::size_t i = first; i < rows.size(); ++i) {
        const ControlRow &row = rows[i];
        if (row.kind == ControlKind::Option && row.reader && rows[first].reader
            && std::string_view(row.reader) == rows[first].reader)
            group.push_back(&row);
    }
    return group;
}

// True when the group's captions change with the edition: it is then kept
// in files and spreadsheets by its options' names, not their captions.
inline bool keptByName(const std::vector<const ControlRow *> &group)
{
    for (const ControlRow *option : group) {
        if (option->currentText || option->hiddenInCurrent)
            return true;
    }
    return false;
}

struct WindowTable {
    const char *name;  // the window's objectName
    const char *caption;
    int widthTwips;
    int heightTwips;
    std::span<const ControlRow> controls;  // in the order they are made
    std::span<const char *const> tabOrder;
    const char *focus = nullptr;  // the control that has the focus when the window opens
    // The caption under the current edition of the design codes; none: the
    // window is the same under both editions and does not follow the choice.
    const char *captionCurrent = nullptr;
    const char *calculator = nullptr;  // the calculator's name in files: "bolt-connection"
};

// A window's caption under an edition.
inline const char *captionIn(const WindowTable &table, Edition edition)
{
    return edition == Edition::Current && table.captionCurrent ? table.captionCurrent : table.caption;
}

class CalculatorWindow : public QWidget
{
    Q_OBJECT
public:
    const WindowTable &table() const { return table_; }
    // The edition of the design codes the window follows now: the program's
    // choice (the pile group and column windows are the same under both).
    Edition edition() const { return edition_; }

    // The inputs as the window shows them, by the calculation input each
    // feeds (the table's `feeds`): a box or a list its text, a check "是" or
    // "否", an option group the caption of its chosen option (its objectName
    // where the group changes with the edition).
    QMap<QString, QString> inputTexts() const;
    // Shows each text in the control of its input, as if typed or picked: a
    // list takes any text it could be typed or picked to, an option group
    // the caption or the objectName of one of its options, a check "是" or
    // "否". Inputs the window lacks are passed by. Returns the names of the
    // inputs whose texts no control of theirs can show; those keep theirs.
    QStringList setInputTexts(const QMap<QString, QString> &texts);
    // The inputs as the load step writes them.
    const QMap<QString, QString> &defaultInputTexts() const { return defaults_; }
    // What each input can show, as setInputTexts takes it.
    QList<InputRule> inputRules() const;

    // The calculation kept in a file: open, save, the caption, the question on closing.
    CalculationKeeper *keeper() const { return keeper_; }

    // inputTexts() as the calculations' readers take them.
    InputTextMap calculationTexts() const;

signals:
    // An input was typed, picked or set: its text may differ from the file's.
    void inputsEdited();

protected:
    // A window whose inputs differ from its file asks first.
    void closeEvent(QCloseEvent *event) override;

    // Called after setInputTexts has shown its texts: a window shows what
    // follows from them (the bolt window the layout of its number of rows).
    virtual void followInputs() {}

    // Builds the controls of the table with their design texts, then runs
    // the load step, under the edition chosen.
    CalculatorWindow(const WindowTable &table, QWidget *parent);

    // Called when the edition changes in a window that follows it, after
    // the base has relabelled the window by its table, emptied every result
    // box and withdrawn the book until the next "计算"; the inputs stay.
    virtual void followEdition(Edition edition);

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
    void changeEdition(Edition edition);
    // Captions, tooltips, screen-reader names, list items and places of the
    // rows that differ under the current edition, as the edition followed has them.
    void relabel();

    const WindowTable &table_;
    Edition edition_ = Edition::Original;
    std::vector<QWidget *> made_;  // the control of each row
    std::vector<QWidget *> roles_;
    std::vector<FieldCheck *> checks_;
    BookActions *book_ = nullptr;
    CalculationKeeper *keeper_ = nullptr;
    QMap<QString, QString> defaults_;
};

}  // namespace morvane
