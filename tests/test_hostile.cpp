// Hostile entries in every input box of every window: texts at and beyond
// the box's length limit, control characters, NUL, lone surrogates,
// right-to-left text, emoji, numbers beyond the double range, "-0", "NaN",
// "0x10", full-width digits. Each is pasted into the box as a person
// pastes it, the box is left with Tab and every "计算" of the window is
// clicked. No step may bring up more than one message box, no result box
// may show "nan", "inf" or "-0", and a calculation that tells nothing must
// show its numbers.

#include "boltconnectionwindow.h"
#include "endplatewindow.h"
#include "stabilitywindow.h"
#include "pilegroupwindow.h"
#include "columnwindow.h"
#include "uitest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

using namespace morvane;
using namespace uitest;

namespace {

struct Window {
    const char *name;
    std::function<QWidget *()> make;
    QStringList inputBoxes;  // every control that takes typed text
    // Each "计算" in the order clicked, with the result boxes it fills
    // whenever it runs without a message.
    QList<std::pair<QString, QStringList>> calculations;
};

const QList<Window> &windows()
{
    static const QList<Window> all{
        {"Form2",
         [] { return new BoltConnectionWindow; },
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text16", "Combo1", "Combo2",
          "Combo3"},
         {{"Command1", {"Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16"}}}},
        {"Form3",
         [] { return new EndPlateWindow; },
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Combo1", "Combo2"},
         {{"Command1", {"Text7", "Text6"}}}},
        // The coefficient first from the typed slenderness, then from the
        // computed one.
        {"Form4",
         [] { return new StabilityWindow; },
         {"Text1", "Text2", "Text3", "Text4", "Combo1", "Combo2"},
         {{"Command2", {"Text5"}}, {"Command1", {"Text4"}}, {"Command2", {"Text5"}}}},
        {"Form5",
         [] { return new PileGroupWindow; },
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Combo1"},
         {{"Command1", {"Text8"}}}},
        {"Form6",
         [] { return new ColumnWindow; },
         {"Text1", "Text2", "Text4", "Text5", "Text6", "Combo1", "Combo2", "Combo3"},
         {{"Command1", {"Text6"}}}},
    };
    return all;
}

// The length a box takes: a line edit's limit; a multi-line box has none,
// so the line edit's default stands in for it.
int lengthLimit(QWidget *box)
{
    if (auto *combo = qobject_cast<QComboBox *>(box))
        return combo->lineEdit()->maxLength();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->maxLength();
    return QLineEdit().maxLength();
}

// What a box that takes typing holds once the text is pasted into it: as
// much as its limit allows; a multi-line box takes everything, each line
// break as a line feed.
QString pasted(QWidget *box, QString text)
{
    if (qobject_cast<QPlainTextEdit *>(box))
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    return text.left(lengthLimit(box));
}

// One key event as the keyboard gives it, to the focused window.
void keyEvent(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    qt_handleKeyEvent(QGuiApplication::focusWindow(), type, key, modifiers);
}

}  // namespace

class TestHostile : public WindowTest<>
{
    Q_OBJECT
private slots:
    void shouldTakeAnyTextInAnyBox_data();
    void shouldTakeAnyTextInAnyBox();

private:
    // One thing a person does; at most one message box may come of it.
    QList<ShownBox> step(const QString &what, const std::function<void()> &doIt);

    QStringList failures;
};

QList<ShownBox> TestHostile::step(const QString &what, const std::function<void()> &doIt)
{
    doIt();
    settle();
    const QList<ShownBox> shown = boxes->take();
    if (shown.size() > 1 || boxes->takeMostShownAtOnce() > 1) {
        QStringList told;
        for (const ShownBox &box : shown)
            told << QStringLiteral("[%1] %2").arg(box.title, box.text);
        failures
            << QStringLiteral("%1 brought up %2 message boxes: %3").arg(what).arg(shown.size()).arg(told.join(", "));
    }
    return shown;
}

void TestHostile::shouldTakeAnyTextInAnyBox_data()
{
    // clang-format off
    QTest::addColumn<int>("windowIndex");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("text");
    for (int w = 0; w < windows().size(); ++w) {
        const std::unique_ptr<QWidget> built(windows()[w].make());
        for (const QString &name : windows()[w].inputBoxes) {
            for (const NamedText &hostile : hostileTexts(lengthLimit(control(built.get(), name))))
                QTest::newRow(qPrintable(QStringLiteral("%1 %2, %3").arg(windows()[w].name, name, hostile.name)))
                    << w << name << hostile.text;
        }
    }
    // clang-format on
}

void TestHostile::shouldTakeAnyTextInAnyBox()
{
    QFETCH(int, windowIndex);
    QFETCH(QString, boxName);
    QFETCH(QString, text);
    const Window &w = windows()[windowIndex];
    const QPointer<QWidget> window = w.make();
    QVERIFY(show(window));
    failures.clear();

    QWidget *box = control(window, boxName);
    auto *combo = qobject_cast<QComboBox *>(box);
    QWidget *field = combo ? combo->lineEdit() : box;
    QGuiApplication::clipboard()->setText(text);
    // Click, Ctrl+A, Ctrl+V: key by key, each a step of its own.
    step("a click into the box", [&] { click(field); });
    QVERIFY(QApplication::focusWidget() == field || QApplication::focusWidget() == box);
    const std::pair<const char *, std::function<void()>> keys[] = {
        {"Ctrl pressed", [] { keyEvent(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier); }},
        {"A pressed", [] { keyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier); }},
        {"A released", [] { keyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier); }},
        {"V pressed", [] { keyEvent(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier); }},
        {"V released", [] { keyEvent(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier); }},
        {"Ctrl released", [] { keyEvent(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier); }},
    };
    for (const auto &[what, doIt] : keys)
        step(what, doIt);
    // A box that takes typing holds as much of the text as its limit allows.
    const bool readOnly = field->property("readOnly").toBool();
    if (!readOnly)
        QCOMPARE(textOf(field), pasted(box, text));

    step("Tab", [] { pressTab(); });

    for (const auto &[button, results] : w.calculations) {
        QStringList before;
        for (const QString &result : results)
            before << textOf(control(window, result));
        const QList<ShownBox> shown = step("计算 " + button, [&] { click(control(window, button)); });
        for (int i = 0; i < results.size(); ++i) {
            const QString after = textOf(control(window, results[i]));
            if (showsNoNumber(after))
                failures << QStringLiteral("%1 shows \"%2\" after %3").arg(results[i], after.left(40), button);
            // Without a message, a calculation shows its numbers; only an
            // unknown section class leaves the coefficient as it was.
            const bool unknownClass = w.name == QStringLiteral("Form4") && button == QStringLiteral("Command2")
                && !QStringList{"a类", "b类", "c类"}.contains(control<QComboBox>(window, "Combo2")->currentText());
            if (shown.isEmpty() && !unknownClass && after.isEmpty())
                failures << QStringLiteral("%1 is empty after %2, and nothing was told").arg(results[i], button);
            if (shown.isEmpty() && unknownClass && after != before[i])
                failures << QStringLiteral("%1 changed without a section class").arg(results[i]);
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

QTEST_MAIN(TestHostile)
#include "test_hostile.moc"
