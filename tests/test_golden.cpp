// What a person sees, kept as text under tests/golden/ and compared line for
// line: each window as it opens (every control with its caption, place,
// tooltip, screen-reader name and state, each list's items, the Tab order,
// and each input box's field check, probed by typing a value just inside and
// just outside its bound and leaving by Tab), and the calculation book of
// each worked case (the headings of its HTML and its plain text, dated
// 2026-12-08 14:05), in which every substituted formula that is plain
// arithmetic must evaluate to the figure it shows.
//
// A difference fails with the lines that differ; the whole new text is left
// in the build folder (golden-actual/) for `diff -u`. After a change made on
// purpose, rewrite the files and read the change in `git diff`:
//   MORVANE_REWRITE_GOLDEN=1 ctest --test-dir build -L golden
// (the same switch rewrites docs/ pictures and the installed files' copies).

#include "bookactions.h"
#include "editionchoice.h"
#include "mainwindow.h"
#include "boltconnectionwindow.h"
#include "endplatewindow.h"
#include "stabilitywindow.h"
#include "pilegroupwindow.h"
#include "columnwindow.h"
#include "calculatorwindow.h"
#include "arithmetic.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace morvane;
using namespace uitest;

namespace {

bool rewriting() { return qEnvironmentVariable("MORVANE_REWRITE_GOLDEN") == QLatin1String("1"); }

// The lines that differ between the kept and the live text, removals before
// additions, each with its line number; at most `most` of them.
QString lineDiff(const QStringList &kept, const QStringList &live, int most)
{
    const qsizetype n = kept.size(), m = live.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (qsizetype i = n - 1; i >= 0; --i) {
        for (qsizetype j = m - 1; j >= 0; --j)
            common[i][j] = kept[i] == live[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
    QStringList out;
    int differing = 0;
    for (qsizetype i = 0, j = 0; i < n || j < m;) {
        if (i < n && j < m && kept[i] == live[j]) {
            ++i, ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            if (differing++ < most)
                out << QStringLiteral("-%1: %2").arg(i + 1).arg(kept[i]);
            ++i;
        } else {
            if (differing++ < most)
                out << QStringLiteral("+%1: %2").arg(j + 1).arg(live[j]);
            ++j;
        }
    }
    if (differing > most)
        out << QStringLiteral("… and %1 more differing lines").arg(differing - most);
    return out.join('\n');
}

// Compares a live text with its golden file (a path under tests/golden/),
// or rewrites the file when asked to. False, with a report, when they differ.
bool matchesGolden(const QString &name, const QString &live, QString *report)
{
    const QString path = QStringLiteral(MORVANE_GOLDEN_DIR "/") + name;
    const QString actual = QStringLiteral(MORVANE_GOLDEN_ACTUAL_DIR "/") + name;
    auto write = [](const QString &file, const QString &text) {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(text.toUtf8()) >= 0;
    };
    if (rewriting()) {
        qInfo("rewrote %s", qPrintable(path));
        *report = "could not write " + path;
        return write(path, live);
    }
    QFile file(path);
    const QString kept = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    if (kept == live)
        return true;
    write(actual, live);
    *report = QStringLiteral("%1 differs from what the program shows now (- kept, + now):\n%2\n"
                             "Whole text: diff -u %3 %4\n"
                             "If the change is meant: MORVANE_REWRITE_GOLDEN=1 ctest --test-dir build -L golden, "
                             "then review git diff.")
                  .arg(name, lineDiff(kept.split('\n'), live.split('\n'), 20), path, actual);
    return false;
}

QString quoted(QString text)
{
    text.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n").replace('\r', "\\r").replace('\t', "\\t");
    return '"' + text + '"';
}

QString policyName(Qt::FocusPolicy policy)
{
    switch (policy) {
    case Qt::TabFocus: return "tab";
    case Qt::ClickFocus: return "click";
    case Qt::StrongFocus: return "strong";
    case Qt::WheelFocus: return "wheel";
    case Qt::NoFocus: break;
    }
    return "none";
}

QString alignmentName(Qt::Alignment alignment)
{
    QStringList parts;
    const std::pair<Qt::AlignmentFlag, const char *> flags[] = {
        {Qt::AlignLeft, "left"},       {Qt::AlignRight, "right"}, {Qt::AlignHCenter, "hcenter"},
        {Qt::AlignJustify, "justify"}, {Qt::AlignTop, "top"},     {Qt::AlignBottom, "bottom"},
        {Qt::AlignVCenter, "vcenter"}};
    for (const auto &[flag, name] : flags) {
        if (alignment & flag)
            parts << name;
    }
    return parts.join('+');
}

QString fontName(const QFont &font)
{
    QString text = QFontInfo(font).family() + ' '
        + (font.pixelSize() > 0 ? QString::number(font.pixelSize()) + "px" : QString::number(font.pointSizeF()) + "pt");
    text += font.bold() ? " bold" : "";
    text += font.italic() ? " italic" : "";
    text += font.underline() ? " underline" : "";
    return text;
}

QString shownBox(const ShownBox &box)
{
    const QString icon = box.icon == QMessageBox::Warning ? "warning"
        : box.icon == QMessageBox::Information            ? "information"
        : box.icon == QMessageBox::Critical               ? "critical"
        : box.icon == QMessageBox::Question               ? "question"
                                                          : "no icon";
    return QStringLiteral("[%1] %2 (%3, %4, over %5)").arg(box.title, box.text, icon, box.buttons, box.parentWindow);
}

// The actions a control offers (context menu, shortcuts, a menu's entries).
void describeActions(const QWidget *widget, const QString &indent, QStringList &lines)
{
    for (const QAction *action : widget->actions()) {
        QString line = indent + "action";
        if (!action->objectName().isEmpty())
            line += ' ' + action->objectName();
        line += action->isSeparator() ? QStringLiteral(" separator") : ' ' + quoted(action->text());
        if (!action->shortcut().isEmpty())
            line += " shortcut=" + action->shortcut().toString();
        line += action->isEnabled() ? "" : " disabled";
        line += action->isCheckable() ? (action->isChecked() ? " checked" : " unchecked") : "";
        lines << line;
    }
}

// One line per named control, in tree order, indented by depth.
void describeControls(QWidget *window, QWidget *widget, int depth, QStringList &lines)
{
    const QString indent(2 * depth, ' ');
    const QString name = widget->objectName();
    const bool described = widget == window || (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")));
    if (described) {
        // The toolkit's class, not the program's C++ name, which a rename may change.
        const QMetaObject *meta = widget->metaObject();
        while (QByteArray(meta->className()).startsWith("morvane::") && meta->superClass())
            meta = meta->superClass();
        QStringList f{indent + name, meta->className()};
        if (auto *label = qobject_cast<QLabel *>(widget))
            f << quoted(label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            f << quoted(button->text());
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            f << quoted(frame->title());
        else if (auto *box = qobject_cast<QLineEdit *>(widget))
            f << quoted(box->text());
        else if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
            f << quoted(text->toPlainText());
        else if (auto *list = qobject_cast<QComboBox *>(widget))
            f << quoted(list->currentText());
        else if (auto *menu = qobject_cast<QMenu *>(widget))
            f << quoted(menu->title());
        else if (widget == window)
            f << quoted(window->windowTitle());

        if (widget == window) {
            f << QStringLiteral("%1x%2").arg(window->width()).arg(window->height());
            f << (window->minimumSize() == window->maximumSize() ? "fixed" : "resizable");
            f << (window->testAttribute(Qt::WA_DeleteOnClose) ? "delete-on-close" : "kept-on-close");
        } else if (!widget->isWindow()) {
            const QPoint at = widget->mapTo(window, QPoint(0, 0));
            f << QStringLiteral("%1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(widget->width()).arg(widget->height());
        }
        if (widget->focusPolicy() != Qt::NoFocus)
            f << "focus=" + policyName(widget->focusPolicy());
        if (!widget->isVisibleTo(window) && widget != window)
            f << "hidden";
        if (!widget->isEnabled())
            f << "disabled";
        if (!widget->toolTip().isEmpty())
            f << "tip=" + quoted(widget->toolTip());
        if (!widget->accessibleName().isEmpty())
            f << "reader=" + quoted(widget->accessibleName());
        if (widget != window && widget->parentWidget() && widget->font() != widget->parentWidget()->font())
            f << "font=" + quoted(fontName(widget->font()));
        if (widget->contextMenuPolicy() == Qt::ActionsContextMenu)
            f << "context-menu=actions";
        else if (widget->contextMenuPolicy() == Qt::NoContextMenu)
            f << "context-menu=none";

        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (label->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
                f << "align=" + alignmentName(label->alignment());
            if (label->wordWrap())
                f << "wrap";
            if (label->buddy())
                f << "buddy=" + label->buddy()->objectName();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (button->isCheckable())
                f << (button->isChecked() ? "checked" : "unchecked");
            if (auto *push = qobject_cast<QPushButton *>(widget); push && push->autoDefault())
                f << "auto-default";
        } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
            if (box->isReadOnly())
                f << "read-only";
            if (box->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
                f << "align=" + alignmentName(box->alignment());
            if (box->maxLength() != 32767)
                f << "max-length=" + QString::number(box->maxLength());
            f << "base=" + box->palette().color(QPalette::Base).name();
        } else if (auto *text = qobject_cast<QPlainTextEdit *>(widget)) {
            if (text->isReadOnly())
                f << "read-only";
            if (text->tabChangesFocus())
                f << "tab-leaves";
            f << "base=" + text->palette().color(QPalette::Base).name();
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            f << "items=[" + items.join('|') + "]"
              << "index=" + QString::number(list->currentIndex())
              << "visible-items=" + QString::number(list->maxVisibleItems());
            if (list->isEditable())
                f << (list->lineEdit()->isReadOnly() ? "editable read-only" : "editable");
        }
        lines << f.join(' ');
        describeActions(widget, indent + "  ", lines);
    }
    for (QObject *child : widget->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        // The parts of a list or a text box (its text field, scroll bars) are its own.
        if (w && !qobject_cast<QComboBox *>(widget) && !qobject_cast<QPlainTextEdit *>(widget))
            describeControls(window, w, described ? depth + 1 : depth, lines);
    }
}

// A box's field check, probed: a value just inside and one just outside its
// bound, typed and left by Tab. Boxes not listed are probed with 0 and -1.
struct Probe {
    const char *window;
    const char *box;
    const char *inside;
    const char *outside;
};
const Probe kProbes[] = {
    {"Form2", "Text1", "0.001", "0"}, {"Form2", "Text2", "0", "-0.001"},  {"Form2", "Text3", "0", "-0.001"},
    {"Form2", "Text4", "0.001", "0"}, {"Form2", "Text5", "0.001", "0"},   {"Form2", "Text6", "0.001", "0"},
    {"Form2", "Text9", "0.001", "0"}, {"Form2", "Text9", "2", "2.001"},   {"Form3", "Text1", "0.001", "0"},
    {"Form3", "Text2", "0.001", "0"}, {"Form3", "Text3", "0.001", "0"},   {"Form3", "Text4", "0.001", "0"},
    {"Form3", "Text5", "0.001", "0"}, {"Form5", "Text1", "0.001", "0"},   {"Form5", "Text2", "0.001", "0"},
    {"Form5", "Text3", "0.001", "0"}, {"Form5", "Text4", "50.001", "50"}, {"Form5", "Text5", "0.001", "0"},
    {"Form5", "Text6", "0.001", "0"}, {"Form5", "Text7", "0.001", "0"},   {"Form6", "Text1", "0.001", "0"},
    {"Form6", "Text2", "0.001", "0"},
};

// Types a value into a box, leaves it by Tab and tells what followed.
QString probe(QLineEdit *box, const QString &value, MessageBoxCatcher &boxes)
{
    const QString kept = box->text();
    typeInto(box, value);
    pressTab();
    QStringList told;
    for (const ShownBox &shown : boxes.take())
        told << shownBox(shown);
    const QString line = QStringLiteral("%1 %2 → %3, focus %4")
                             .arg(box->objectName(), quoted(value), told.isEmpty() ? "accepted" : told.join("; "),
                                  focusName());
    box->setText(kept);  // left with its default, which every check takes
    return line;
}

void describeFieldChecks(QWidget *window, MessageBoxCatcher &boxes, QStringList &lines)
{
    lines << "field checks (typed, then Tab):";
    const qsizetype before = lines.size();
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        if (qobject_cast<QComboBox *>(box->parentWidget()) || box->isReadOnly())
            continue;
        bool listed = false;
        for (const Probe &p : kProbes) {
            if (window->objectName() == p.window && box->objectName() == p.box) {
                listed = true;
                lines << "  " + probe(box, p.inside, boxes) << "  " + probe(box, p.outside, boxes);
            }
        }
        if (!listed) {
            const QStringList probes{probe(box, "0", boxes), probe(box, "-1", boxes)};
            if (probes.filter("accepted").size() == probes.size())
                lines << "  " + box->objectName() + " no rule: \"0\" and \"-1\" accepted";
            else
                lines << "  " + probes[0] + " (not in the probe table)"
                      << "  " + probes[1] + " (not in the probe table)";
        }
    }
    if (lines.size() == before)
        lines << "  (no input boxes)";
}

QWidget *makeWindow(const QString &name)
{
    if (name == "Form1")
        return new MainWindow;
    if (name == "Form2")
        return new BoltConnectionWindow;
    if (name == "Form3")
        return new EndPlateWindow;
    if (name == "Form4")
        return new StabilityWindow;
    if (name == "Form5")
        return new PileGroupWindow;
    if (name == "Form6")
        return new ColumnWindow;
    qFatal("no window %s", qPrintable(name));
}

// A figure as shown ("74.5738636363636", "2068.8", "1.25E+04"), and how far
// from it a value may lie and still show as it: half a unit in its last
// digit, and no closer than seven significant digits, since quantities the
// calculations keep in single precision (μ, Ntb, plate thicknesses) are put
// into formulas as they show.
std::optional<std::pair<double, double>> figure(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^-?\\d+(?:\\.(\\d+))?(?:[eE]([+-]?\\d+))?$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    const double lastDigit = std::pow(10.0, m.captured(2).toInt() - m.capturedLength(1));
    const double sevenDigits = value == 0 ? 0 : std::pow(10.0, std::floor(std::log10(std::abs(value))) - 6);
    return std::pair{value, 0.5 * std::max(lastDigit, sevenDigits) * (1 + 1e-12)};
}

// Each step whose substituted text is arithmetic, evaluated and held against
// the figure it shows: the one it ends with ("… = 206.7"), else the step's
// value. Steps whose text is not arithmetic are told so.
QStringList evaluateSteps(const CalcBook &book, QStringList &disagreements)
{
    QStringList lines;
    int number = 0;
    for (const BookStep &step : book.steps) {
        ++number;
        const QString substituted = QString::fromStdString(step.substituted);
        if (substituted.isEmpty())
            continue;
        QStringList parts = substituted.split(QStringLiteral(" = "));
        const QString label = QStringLiteral("%1. %2").arg(number).arg(QString::fromStdString(step.symbol));
        QString shown = QString::fromStdString(step.value);
        parts.removeFirst();  // the quantity's symbol
        if (parts.size() > 1 && figure(parts.last()))
            shown = parts.takeLast();
        std::vector<double> values;
        for (const QString &part : parts) {
            if (const std::optional<double> v = Arithmetic::evaluate(part))
                values.push_back(*v);
        }
        if (parts.isEmpty() || values.size() != std::size_t(parts.size())) {
            lines << label + ": not arithmetic";
            continue;
        }
        for (const double v : values) {
            const QString line = label + " = " + QString::number(v, 'g', 7);
            const auto target = figure(shown);
            if (!target) {
                lines << line + " (no figure shown)";
            } else if (std::abs(v - target->first) <= target->second) {
                lines << line + " (shows " + shown + ")";
            } else {
                lines << line + " DISAGREES with the " + shown + " it shows";
                disagreements << line + " ≠ " + shown + " in " + substituted;
            }
        }
    }
    return lines;
}

}  // namespace

class TestGolden : public WindowTest<>
{
    Q_OBJECT
private slots:
    void shouldLookAsKept_data();
    void shouldLookAsKept();
    void shouldWriteTheBookAsKept_data();
    void shouldWriteTheBookAsKept();
    void shouldShowItsInputTextsAgain_data();
    void shouldShowItsInputTextsAgain();

private:
    QWidget *open(const QString &name);
};

QWidget *TestGolden::open(const QString &name)
{
    QWidget *window = makeWindow(name);
    if (!show(window))
        qFatal("%s did not show", qPrintable(name));
    return window;
}

void TestGolden::shouldLookAsKept_data()
{
    // clang-format off
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("current");  // opened under the current edition of the design codes
    for (const char *form : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"})
        QTest::newRow(form) << form << false;
    for (const char *form : {"Form2", "Form3", "Form4"})
        QTest::addRow("%s-current", form) << form << true;
    // clang-format on
}

void TestGolden::shouldLookAsKept()
{
    QFETCH(QString, form);
    QFETCH(bool, current);
    if (current)
        chooseEdition(Edition::Current);
    QWidget *w = open(form);
    QStringList lines{"# " + form + (current ? " under the current edition" : "")
                      + " as it opens: objectName class text place size, then what is not the default."
                        " Written by tests/test_golden.cpp."};
    describeControls(w, w, 0, lines);
    lines << "focus at opening: " + focusName();
    lines << "Tab: " + tabRound().join(' ') << "Shift+Tab: " + tabRound(true).join(' ');
    describeFieldChecks(w, *boxes, lines);
    QCOMPARE(boxes->unexpected(), QString());
    QString report;
    QVERIFY2(matchesGolden(QString(QTest::currentDataTag()) + ".txt", lines.join('\n') + '\n', &report),
             qPrintable(report));
}

void TestGolden::shouldWriteTheBookAsKept_data()
{
    // clang-format off
    QTest::addColumn<QString>("form");
    // "Combo1=六排" picks a listed text, else types; "Option1" clicks; "现行规范" chooses the current edition.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("calculate");  // the buttons pressed, in order

    const QStringList once{"Command1"}, both{"Command1", "Command2"}, second{"Command2"};
    QTest::newRow("bolt-defaults") << "Form2" << QStringList{} << once;
    QTest::newRow("bolt-six-rows-8.8") << "Form2" << QStringList{"Combo1=六排", "Option1", "Option6"} << once;
    QTest::newRow("bolt-four-rows") << "Form2" << QStringList{"Combo1=四排"} << once;
    QTest::newRow("bolt-beyond-range") << "Form2" << QStringList{"Text7=1e300"} << once;
    QTest::newRow("end-plate-defaults") << "Form3" << QStringList{} << once;
    QTest::newRow("end-plate-cantilever") << "Form3" << QStringList{"Check1"} << once;
    QTest::newRow("end-plate-cantilever-two-side") << "Form3" << QStringList{"Check1", "Check3"} << once;
    QTest::newRow("end-plate-two-side-flush") << "Form3" << QStringList{"Check3", "Option4"} << once;
    QTest::newRow("end-plate-all-four") << "Form3" << QStringList{"Check1", "Check2", "Check3", "Check4"} << once;
    QTest::newRow("end-plate-class-exactly-16") << "Form3" << QStringList{"Text1=2325", "Text4=164", "Check1"} << once;
    QTest::newRow("end-plate-Q345-M16-8.8") << "Form3" << QStringList{"Combo1=Q345", "Combo2=M16", "Option1", "Check2"}
                                            << once;
    QTest::newRow("end-plate-unlisted-steel") << "Form3" << QStringList{"Combo1=q235", "Check4"} << once;
    QTest::newRow("end-plate-unlisted-bolt-size") << "Form3" << QStringList{"Combo2=m20", "Check1"} << once;
    QTest::newRow("stability-defaults") << "Form4" << QStringList{} << both;
    QTest::newRow("stability-slenderness-only") << "Form4" << QStringList{} << once;
    QTest::newRow("stability-typed-10") << "Form4" << QStringList{"Text4=10"} << second;
    QTest::newRow("stability-typed-97.6-c") << "Form4" << QStringList{"Combo2=c类", "Text4=97.6"} << second;
    QTest::newRow("stability-typed-97.7-c") << "Form4" << QStringList{"Combo2=c类", "Text4=97.7"} << second;
    QTest::newRow("stability-inertia-0-raised") << "Form4" << QStringList{"Text2=0"} << once;
    QTest::newRow("stability-area-minus-5") << "Form4" << QStringList{"Text3=-5"} << once;
    QTest::newRow("stability-steel-q235-refused") << "Form4" << QStringList{"Combo1=q235", "Combo2=b类"} << both;
    QTest::newRow("stability-slenderness-1e308") << "Form4" << QStringList{"Combo1=Q345", "Combo2=b类", "Text4=1E+308"}
                                                 << second;
    QTest::newRow("pile-group-defaults") << "Form5" << QStringList{} << once;
    QTest::newRow("pile-group-typed-6桩") << "Form5" << QStringList{"Combo1=6桩"} << once;
    QTest::newRow("pile-group-depth-equal-to-cap") << "Form5" << QStringList{"Text4=600"} << once;
    QTest::newRow("pile-group-plan-1e306") << "Form5" << QStringList{"Text1=1E+306"} << once;
    QTest::newRow("column-defaults") << "Form6" << QStringList{} << once;
    QTest::newRow("column-300x300-25") << "Form6" << QStringList{"Text1=300", "Text2=300", "Combo1=直径25",
                                                                 "Combo2=直径25", "Combo3=直径25"}
                                       << once;
    QTest::newRow("column-h-313.9") << "Form6" << QStringList{"Text2=313.9"} << once;
    const QString current = "现行规范";
    QTest::newRow("bolt-current-defaults") << "Form2" << QStringList{current} << once;
    QTest::newRow("bolt-current-V-225") << "Form2" << QStringList{current, "Text8=225"} << once;
    QTest::newRow("bolt-current-four-rows") << "Form2" << QStringList{current, "Combo1=四排"} << once;
    QTest::newRow("bolt-current-Q420-wire-brushed") << "Form2" << QStringList{current, "Combo2=Q420", "Option6"} << once;
    QTest::newRow("end-plate-current-M30") << "Form3" << QStringList{current, "Combo2=M30"} << once;
    QTest::newRow("end-plate-current-M30-cantilever") << "Form3" << QStringList{current, "Combo2=M30", "Check1"} << once;
    QTest::newRow("end-plate-current-cantilever-two-side") << "Form3" << QStringList{current, "Check1", "Check3"}
                                                           << once;
    QTest::newRow("stability-current-defaults") << "Form4" << QStringList{current} << both;
    QTest::newRow("stability-current-typed-10") << "Form4" << QStringList{current, "Text4=10"} << second;
    QTest::newRow("stability-current-Q460-d-120") << "Form4" << QStringList{current, "Combo1=Q460", "Combo2=d类",
                                                                            "Text4=120"}
                                                  << second;
    // clang-format on
}

void TestGolden::shouldWriteTheBookAsKept()
{
    QFETCH(QString, form);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, calculate);
    QWidget *w = open(form);
    for (const QString &entry : entries) {
        if (entry == "现行规范") {
            chooseEdition(Edition::Current);
            continue;
        }
        const QString name = entry.section('=', 0, 0), value = entry.section('=', 1);
        QWidget *c = control(w, name);
        auto *list = qobject_cast<QComboBox *>(c);
        if (list && list->findText(value) >= 0) {
            pickItem(c, value);
        } else if (list || qobject_cast<QLineEdit *>(c)) {
            typeInto(c, value.toLatin1() == value.toUtf8() ? value : QString());
            if (value.toLatin1() != value.toUtf8())
                commitByInputMethod(value);  // as a Chinese input method gives it
        } else {
            click(c);
        }
    }
    for (const QString &button : calculate)
        click(control(w, button));

    QStringList lines{QStringLiteral("# %1, %2 after %3. Written by tests/test_golden.cpp.")
                          .arg(form, entries.isEmpty() ? "the defaults" : entries.join(", "), calculate.join(", "))};
    for (const ShownBox &shown : boxes->take())
        lines << "box: " + shownBox(shown);
    auto *actions = w->findChild<BookActions *>();
    QVERIFY(actions && actions->hasBook());
    const CalcBook &book = actions->book();
    const BookHeader header = bookHeader(QDateTime(QDate(2026, 12, 8), QTime(14, 5)));

    lines << "## headings of the HTML";
    static const QRegularExpression heading(QStringLiteral("<(h[12])>([^<]*)</h[12]>"));
    for (auto it = heading.globalMatch(QString::fromStdString(bookHtml(book, header))); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        lines << m.captured(1) + ' ' + m.captured(2);
    }
    lines << "## substituted formulas evaluated";
    QStringList disagreements;
    const QStringList evaluated = evaluateSteps(book, disagreements);
    lines << (evaluated.isEmpty() ? QStringList{"(none)"} : evaluated);
    lines << "## plain text" << QString::fromStdString(bookPlainText(book, header));

    QString report;
    const bool kept = matchesGolden("books/" + QString(QTest::currentDataTag()) + ".txt", lines.join('\n'), &report);
    QVERIFY2(disagreements.isEmpty(),
             qPrintable("substituted formulas that do not give the figure they show:\n" + disagreements.join('\n')));
    QVERIFY2(kept, qPrintable(report));
}

QTEST_MAIN(TestGolden)
#include "test_golden.moc"

void TestGolden::shouldShowItsInputTextsAgain_data()
{
    // clang-format off
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("input");  // one input set to a text no control of it can show
    QTest::addColumn<QString>("text");
    QTest::newRow("bolt rows")        << "Form2" << "rows"            << "五排";
    QTest::newRow("bolt grade")       << "Form2" << "boltGrade"       << "9.8级";
    QTest::newRow("bolt e1 too long") << "Form2" << "e1"              << QString(40000, '1');
    QTest::newRow("end plate check")  << "Form3" << "cantilever"      << "1";
    QTest::newRow("end plate typed")  << "Form3" << "b"               << "";  // every text is fine
    QTest::newRow("stability")        << "Form4" << "length"          << "";
    QTest::newRow("pile group")       << "Form5" << "pileCapacity"    << "";
    QTest::newRow("column")           << "Form6" << "cornerDiameter"  << "直径19";
    // clang-format on
}

// Every input set to another text it can show comes back as set; a text its
// control cannot show is refused by name and leaves the control as it was.
void TestGolden::shouldShowItsInputTextsAgain()
{
    QFETCH(QString, form);
    QFETCH(QString, input);
    QFETCH(QString, text);
    auto *w = qobject_cast<CalculatorWindow *>(open(form));
    QVERIFY(w);
    const QMap<QString, QString> before = w->inputTexts();
    QMap<QString, QString> changed, expected;
    for (const ControlRow &row : w->table().controls) {
        if (!row.feeds)
            continue;
        const QString key = row.feeds, now = before.value(key);
        QString other = now + "7";
        if (key == "rows") {  // fewer rows empty e2 and e3
            other = now;
        } else if (!row.items.empty()) {
            other = QString::fromUtf8(row.items.back() == now ? row.items.front() : row.items.back());
        } else if (row.kind == ControlKind::Check) {
            other = now == "是" ? "否" : "是";
        } else if (row.kind == ControlKind::Option) {  // another option of the group, by its name
            for (const ControlRow &option : w->table().controls) {
                if (option.kind == ControlKind::Option && QString(option.reader) == row.reader && option.text != now) {
                    changed[key] = option.name;
                    expected[key] = key == "surfaceTreatment" ? option.name : option.text;
                }
            }
            continue;
        }
        changed[key] = expected[key] = other;
    }
    QCOMPARE(changed.keys(), before.keys());
    QCOMPARE(w->setInputTexts(changed), QStringList());
    QCOMPARE(w->inputTexts(), expected);
    if (!text.isEmpty()) {
        const QMap<QString, QString> shown = w->inputTexts();
        QCOMPARE(w->setInputTexts({{input, text}}), QStringList{input});
        QCOMPARE(w->inputTexts(), shown);
    }
}
