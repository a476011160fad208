#include "calculatorwindow.h"

#include "bookactions.h"
#include "calculationfile.h"
#include "calculationkeeper.h"
#include "controls.h"
#include "editionchoice.h"
#include "fieldcheck.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <string>

namespace morvane {

namespace {

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

// The test of a box's rules: the first rule its value breaks is told.
FieldTest testOf(const ControlRow &row)
{
    return [&row](double value) -> std::optional<FieldFailure> {
        if (const FieldRule *rule = brokenRule(row.rules, value))
            return FieldFailure{text(rule->message), text(rule->title)};
        return std::nullopt;
    };
}

// One control of a row, made with its design text in its parent.
QWidget *make(const ControlRow &row, QWidget *parent)
{
    const QString name = text(row.name);
    const QString caption = text(row.text);
    switch (row.kind) {
    case ControlKind::Frame: return makeFrame(parent, name, caption, row.geometry);
    case ControlKind::Label: {
        QLabel *label = makeLabel(parent, name, caption, row.geometry);
        if (row.align)
            label->setAlignment(row.align);
        return label;
    }
    case ControlKind::Box:
    case ControlKind::ResultBox:
    case ControlKind::ShadedBox: {
        QLineEdit *box = makeTextBox(parent, name, row.geometry);
        if (row.align)
            box->setAlignment(row.align | Qt::AlignVCenter);
        if (row.kind == ControlKind::ResultBox) {
            makeResultBox(box, row.align ? row.align : Qt::AlignLeft);
        } else if (row.kind == ControlKind::ShadedBox) {
            setBoxBackground(box, tooltipBackground());
            box->setFocusPolicy(Qt::ClickFocus);
        }
        return box;
    }
    case ControlKind::ReportBox: {
        auto *report = new QPlainTextEdit(parent);
        report->setObjectName(name);
        report->setGeometry(row.geometry);
        report->setFocusPolicy(Qt::ClickFocus);  // takes typing, but Tab passes it by
        report->setTabChangesFocus(true);
        report->document()->setDocumentMargin(2);
        setBoxBackground(report, tooltipBackground());
        report->setPlainText(name);
        return report;
    }
    case ControlKind::KeyProofList:
    case ControlKind::TypedList:
        return makeList(parent, name, caption, row.geometry,
                        row.kind == ControlKind::KeyProofList ? ListKind::KeyProof : ListKind::Typed);
    case ControlKind::Option: return makeOption(parent, name, caption, row.geometry);
    case ControlKind::Check: return makeCheck(parent, name, caption, row.geometry);
    case ControlKind::Button: return makeButton(parent, name, caption, row.geometry);
    case ControlKind::TallButton: {
        auto *button = new WrappingButton(caption, parent);
        button->setObjectName(name);
        button->setGeometry(row.geometry);
        return button;
    }
    case ControlKind::Picture: {
        QWidget *picture = row.make(parent);
        picture->setObjectName(name);
        picture->move(row.geometry.topLeft());
        return picture;
    }
    }
    return nullptr;
}

}  // namespace

CalculatorWindow::CalculatorWindow(const WindowTable &table, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , table_(table)
    , edition_(currentEdition())
{
    setUpCalculatorWindow(this, text(table.name), text(captionIn(table, edition_)), table.widthTwips,
                          table.heightTwips);
    build();
    load();
    if (table_.captionCurrent && edition_ == Edition::Current)
        relabel();
    connect(EditionChoice::instance(), &EditionChoice::changed, this, &CalculatorWindow::changeEdition);
    defaults_ = inputTexts();
    keeper_ = new CalculationKeeper(this);
}

void CalculatorWindow::closeEvent(QCloseEvent *event)
{
    if (keeper_->mayClose())
        event->accept();
    else
        event->ignore();
}

void CalculatorWindow::build()
{
    // The control of an earlier row by its name.
    auto made = [this](const char *name) -> QWidget * {
        for (size_t i = 0; i < made_.size(); ++i) {
            if (qstrcmp(table_.controls[i].name, name) == 0)
                return made_[i];
        }
        return nullptr;
    };
    QList<QWidget *> resultsFrames;
    QList<QAbstractButton *> calculateButtons;
    std::map<std::string, QWidget *> resultBoxes;
    for (const ControlRow &row : table_.controls) {
        QWidget *control = make(row, row.parent ? made(row.parent) : this);
        made_.push_back(control);
        if (row.role >= 0) {
            if (roles_.size() <= size_t(row.role))
                roles_.resize(row.role + 1, nullptr);
            roles_[row.role] = control;
        }
        if (row.tip)
            setToolTipText(control, text(row.tip));
        if (row.shows)
            resultBoxes[row.shows] = control;
        if (row.duty == Duty::Results)
            resultsFrames << control;
        else if (row.duty == Duty::Calculate)
            calculateButtons << qobject_cast<QAbstractButton *>(control);
        else if (row.duty == Duty::Return)
            connect(qobject_cast<QAbstractButton *>(control), &QAbstractButton::clicked, this, &QWidget::close);
    }

    // The options of a group share its name, and one Tab stop.
    QList<QAbstractButton *> group;
    const char *groupName = nullptr;
    auto closeGroup = [&] {
        if (!group.isEmpty())
            makeOptionGroup(group, text(groupName));
        group.clear();
    };
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (row.kind != ControlKind::Option)
            continue;
        if (!groupName || qstrcmp(groupName, row.reader) != 0)
            closeGroup();
        groupName = row.reader;
        group << qobject_cast<QAbstractButton *>(made_[i]);
    }
    closeGroup();

    // What a screen reader calls each box and list: its label and unit.
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (row.namedBy)
            nameListForReaders(qobject_cast<QComboBox *>(made_[i]), qobject_cast<QLabel *>(made(row.namedBy)));
        else if (row.reader && row.kind != ControlKind::Option)
            nameForReaders(made_[i], text(row.reader), text(row.unit));
    }

    QList<QWidget *> tabOrder;
    for (const char *name : table_.tabOrder)
        tabOrder << made(name);
    morvane::setTabOrder(tabOrder);
    if (table_.focus)
        made(table_.focus)->setFocus();

    book_ = new BookActions(this, resultsFrames, calculateButtons, std::move(resultBoxes));

    // Each "计算" button checks the boxes it reads; Enter in one of them presses it.
    for (QAbstractButton *button : calculateButtons) {
        auto *check = new FieldCheck(this);
        check->calculateOnEnter(button);
        checks_.push_back(check);
    }
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (!isTextBox(row.kind))
            continue;
        auto *box = qobject_cast<QLineEdit *>(made_[i]);
        if (row.rules[0].test != FieldRule::None)
            checks_.at(row.check)->watch(box, testOf(row));
        else if (row.feeds)
            checks_.at(row.check)->requireNumbers({box});
    }

    // Any change of an input, typed, picked or set.
    for (size_t i = 0; i < made_.size(); ++i) {
        if (!table_.controls[i].feeds)
            continue;
        if (auto *box = qobject_cast<QLineEdit *>(made_[i]))
            connect(box, &QLineEdit::textChanged, this, &CalculatorWindow::inputsEdited);
        else if (auto *list = qobject_cast<QComboBox *>(made_[i]))
            connect(list, &QComboBox::currentTextChanged, this, &CalculatorWindow::inputsEdited);
        else if (auto *button = qobject_cast<QAbstractButton *>(made_[i]))
            connect(button, &QAbstractButton::toggled, this, &CalculatorWindow::inputsEdited);
    }
}

void CalculatorWindow::load()
{
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        QWidget *control = made_[i];
        if (isTextBox(row.kind)) {
            auto *box = qobject_cast<QLineEdit *>(control);
            if (row.value)
                box->setText(text(row.value));
            else if (row.kind != ControlKind::Box)
                showResult(box, QString());
        } else if (row.kind == ControlKind::ReportBox) {
            qobject_cast<QPlainTextEdit *>(control)->clear();
        } else if (!row.items.empty()) {
            QStringList items;
            for (const char *item : row.items)
                items << text(item);
            fillList(qobject_cast<QComboBox *>(control), items);  // none selected: the design text stays
        } else if (row.checked) {
            qobject_cast<QAbstractButton *>(control)->setChecked(true);
        }
    }
}

std::vector<std::pair<const ControlRow *, QAbstractButton *>> CalculatorWindow::optionGroup(size_t first) const
{
    std::vector<std::pair<const ControlRow *, QAbstractButton *>> group;
    for (size_t i = first; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (row.kind == ControlKind::Option && qstrcmp(row.reader, table_.controls[first].reader) == 0)
            group.emplace_back(&row, qobject_cast<QAbstractButton *>(made_[i]));
    }
    return group;
}

QMap<QString, QString> CalculatorWindow::inputTexts() const
{
    QMap<QString, QString> texts;
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (!row.feeds)
            continue;
        QString &value = texts[text(row.feeds)];
        if (auto *box = qobject_cast<QLineEdit *>(made_[i])) {
            value = box->text();
        } else if (auto *list = qobject_cast<QComboBox *>(made_[i])) {
            value = list->currentText();
        } else if (row.kind == ControlKind::Check) {
            value = qobject_cast<QAbstractButton *>(made_[i])->isChecked() ? "是" : "否";
        } else if (row.kind == ControlKind::Option) {
            const bool byName = keptByName(optionGroupRows(table_.controls, i));
            for (const auto &[option, button] : optionGroup(i)) {
                if (button->isChecked())
                    value = byName ? text(option->name) : button->text();
            }
        }
    }
    return texts;
}

QStringList CalculatorWindow::setInputTexts(const QMap<QString, QString> &texts)
{
    QStringList refused;
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (!row.feeds || !texts.contains(text(row.feeds)))
            continue;
        const QString value = texts.value(text(row.feeds));
        bool shown = true;
        if (auto *box = qobject_cast<QLineEdit *>(made_[i])) {
            shown = value.size() <= box->maxLength();
            if (shown)
                box->setText(value);
        } else if (auto *list = qobject_cast<QComboBox *>(made_[i])) {
            // A key-proof list shows only its items and its design text.
            const int item = list->findText(value, Qt::MatchExactly);
            shown = row.kind == ControlKind::TypedList || item >= 0 || value == text(row.text);
            if (item >= 0)
                list->setCurrentIndex(item);
            else if (shown)
                list->setEditText(value);
        } else if (row.kind == ControlKind::Check) {
            shown = value == "是" || value == "否";
            if (shown)
                qobject_cast<QAbstractButton *>(made_[i])->setChecked(value == "是");
        } else if (row.kind == ControlKind::Option) {
            shown = false;
            for (const auto &[option, button] : optionGroup(i)) {
                if (!shown && !button->isHidden() && (value == button->text() || value == text(option->name))) {
                    button->setChecked(true);
                    shown = true;
                }
            }
        }
        if (!shown)
            refused << text(row.feeds);
    }
    followInputs();
    return refused;
}

void CalculatorWindow::relabel()
{
    setWindowTitle(text(captionIn(table_, edition_)));
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        QWidget *control = made_[i];
        if (row.currentText) {
            const QString caption = text(textIn(row, edition_));
            if (auto *button = qobject_cast<QAbstractButton *>(control))
                button->setText(caption);
            else if (auto *label = qobject_cast<QLabel *>(control))
                label->setText(caption);
            else if (auto *frame = qobject_cast<QGroupBox *>(control))
                frame->setTitle(caption);
            if (row.kind == ControlKind::Option)
                nameOptionForReaders(qobject_cast<QAbstractButton *>(control), text(row.reader));
        }
        if (row.currentTip)
            setToolTipText(control, text(tipIn(row, edition_)));
        if (row.currentReader)
            nameForReaders(control, text(edition_ == Edition::Current ? row.currentReader : row.reader),
                           text(row.unit));
        if (!row.currentItems.empty()) {
            QStringList items;
            for (const char *item : itemsIn(row, edition_))
                items << text(item);
            refillList(qobject_cast<QComboBox *>(control), items);
        }
        if (!row.currentGeometry.isNull())
            control->setGeometry(edition_ == Edition::Current ? row.currentGeometry : row.geometry);
        if (row.hiddenInCurrent)
            control->setVisible(shownIn(row, edition_));
    }
    // An option the edition has no row for gives its choice to the first of its group.
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        auto *option = qobject_cast<QAbstractButton *>(made_[i]);
        if (row.kind != ControlKind::Option || shownIn(row, edition_) || !option->isChecked())
            continue;
        for (size_t j = 0; j < made_.size(); ++j) {
            const ControlRow &other = table_.controls[j];
            if (other.kind == ControlKind::Option && qstrcmp(other.reader, row.reader) == 0
                && shownIn(other, edition_)) {
                qobject_cast<QAbstractButton *>(made_[j])->setChecked(true);
                break;
            }
        }
    }
}

void CalculatorWindow::changeEdition(Edition edition)
{
    edition_ = edition;
    if (!table_.captionCurrent)
        return;  // the same under both editions
    relabel();
    // No result of the other edition stands.
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (row.kind == ControlKind::ResultBox)
            showResult(qobject_cast<QLineEdit *>(made_[i]), QString());
        else if (row.kind == ControlKind::ReportBox)
            qobject_cast<QPlainTextEdit *>(made_[i])->clear();
    }
    book_->withdrawBook();
    followEdition(edition);
}

void CalculatorWindow::followEdition(Edition) {}

QList<InputRule> CalculatorWindow::inputRules() const
{
    QList<InputRule> rules;
    for (size_t i = 0; i < made_.size(); ++i) {
        const ControlRow &row = table_.controls[i];
        if (!row.feeds)
            continue;
        const QString name = text(row.feeds);
        InputRule rule;
        rule.name = name;
        rule.title = row.reader ? text(row.reader) : name;
        if (row.namedBy) {
            for (size_t j = 0; j < made_.size(); ++j) {
                if (qstrcmp(table_.controls[j].name, row.namedBy) == 0)
                    rule.title = text(table_.controls[j].text).remove(QRegularExpression("[=＝:：\\s]+$"));
            }
        }
        if (auto *box = qobject_cast<QLineEdit *>(made_[i])) {
            rule.maxLength = box->maxLength();
        } else if (auto *list = qobject_cast<QComboBox *>(made_[i])) {
            if (list->lineEdit())
                rule.maxLength = list->lineEdit()->maxLength();
            if (row.kind == ControlKind::KeyProofList) {
                rule.onlyChoices = true;
                for (int item = 0; item < list->count(); ++item)
                    rule.choices << list->itemText(item);
                rule.choices << text(row.text);
            }
        } else if (row.kind == ControlKind::Check) {
            rule.onlyChoices = true;
            rule.choices = QStringList{"是", "否"};
        } else if (row.kind == ControlKind::Option) {
            rule.onlyChoices = true;
            for (const auto &[option, button] : optionGroup(i)) {
                if (!button->isHidden())
                    rule.choices << button->text() << text(option->name);
            }
        }
        rules << rule;
    }
    return rules;
}

InputTextMap CalculatorWindow::calculationTexts() const
{
    InputTextMap texts;
    const QMap<QString, QString> shown = inputTexts();
    for (auto it = shown.begin(); it != shown.end(); ++it)
        texts.texts.emplace(it.key().toStdString(), it.value().toStdString());
    return texts;
}

QLineEdit *CalculatorWindow::box(int role) const { return control<QLineEdit>(role); }

QComboBox *CalculatorWindow::list(int role) const { return control<QComboBox>(role); }

QAbstractButton *CalculatorWindow::button(int role) const { return control<QAbstractButton>(role); }

QLabel *CalculatorWindow::label(int role) const { return control<QLabel>(role); }

QPlainTextEdit *CalculatorWindow::report(int role) const { return control<QPlainTextEdit>(role); }

void CalculatorWindow::showLines(int role, const std::vector<std::string> &lines) const
{
    QStringList texts;
    for (const std::string &line : lines)
        texts << QString::fromStdString(line);
    report(role)->setPlainText(texts.join('\n'));
}

}  // namespace morvane
