// The column reinforcement window, driven as an engineer uses it.

#include "columnwindow.h"
#include "uitest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <memory>

using namespace morvane;
using namespace uitest;

namespace {

const QString kOrdinary = "二.采用普通箍即可";
const QString kWelded = "二.柱配筋率大于3%，需采用焊接封闭箍";
const QString kCount = "钢筋根数应为大于等于0的整数";

QString report(const QString &percent, const QString &verdict)
{
    return "一.计算得该柱配筋率为：" + percent + "\n" + verdict;
}

// The number of separate runs of one colour along a line of pixels.
int runsAlong(const QImage &image, QPoint at, QPoint step, QRgb colour)
{
    int runs = 0;
    for (bool inside = false; image.valid(at); at += step) {
        runs += image.pixel(at) == colour && !inside;
        inside = image.pixel(at) == colour;
    }
    return runs;
}

}  // namespace

class TestForm6 : public WindowTest<ColumnWindow>
{
    Q_OBJECT
private slots:
    // Every control inside its frame, every result whole, at any screen scale.
    void shouldShowEveryControlAndResultWhole()
    {
        QCOMPARE(controlsCutByTheirFrame(form).join(", "), QString());
        QVERIFY(!scaledUpBitmap(control(form, "Image1")));
        QCOMPARE(resultsShownCut(form, {"Text3"}, {"4"}), QStringList());
    }

    void shouldComputeFromTheControls_data();
    void shouldComputeFromTheControls();
    void shouldCheckEachFieldOnLeaving_data();
    void shouldCheckEachFieldOnLeaving();
    void shouldNeverComputeARefusedValue();
    void shouldRefuseTypingIntoTheLists_data();
    void shouldRefuseTypingIntoTheLists();
    void shouldTellWhenTheInputIsBeyondRange();
    void shouldMoveThroughTheControlsInTabOrder();
    void shouldDrawTheTiesAsAThreeByThreeGrid();
    void shouldUnloadOnReturn();

private:
    QLineEdit *box(const QString &name) { return control<QLineEdit>(form, name); }
    QString shownReport() { return control<QPlainTextEdit>(form, "Text6")->toPlainText(); }
    void calculate() { click(control(form, "Command1")); }
};

void TestForm6::shouldComputeFromTheControls_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("entries");  // control, text typed or item picked, ...; a last text ending in Enter computes
    QTest::addColumn<QString>("expected");  // the report, or the warning that refuses an entry at 计算
    QTest::newRow("defaults") << QStringList() << report("2.36%", kOrdinary);
    // 3 % is tested on the unrounded ratio.
    QTest::newRow("h 313.9, just above 3 %") << QStringList{"Text2", "313.9"} << report("3.00%", kWelded);
    QTest::newRow("h 314.2, just below 3 %") << QStringList{"Text2", "314.2"} << report("3.00%", kOrdinary);
    QTest::newRow("all 直径25, 300 x 300")
        << QStringList{"Combo1", "直径25", "Combo2", "直径25", "Combo3", "直径25", "Text1", "300", "Text2", "300"}
        << report("6.54%", kWelded);
    QTest::newRow("corner bars only") << QStringList{"Text4", "0", "Text5", "0"} << report("0.79%", kOrdinary);
    QTest::newRow("each list its own bars")
        << QStringList{"Combo1", "直径22", "Combo2", "直径16", "Combo3", "直径18"} << report("2.09%", kOrdinary);
    QTest::newRow("fractional count") << QStringList{"Text4", "1.5"} << kCount;
    QTest::newRow("negative counts") << QStringList{"Text4", "-2", "Text5", "-2"} << kCount;
    QTest::newRow("h count 2.5") << QStringList{"Text5", "2.5"} << kCount;
    QTest::newRow("count in exponent form, whole") << QStringList{"Text5", "1e1"} << report("5.50%", kWelded);
    // Anything but one number is told at "计算", and the report of the last "计算" stays.
    QTest::newRow("leading number") << QStringList{"Text5", "4 bars"} << "「4 bars」不是一个数，请改正";
    QTest::newRow("Enter in a count") << QStringList{"Text4", "0", "Text5", "0\r"} << report("0.79%", kOrdinary);
    // clang-format on
}

void TestForm6::shouldComputeFromTheControls()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);
    calculate();  // the defaults, which a refused entry leaves in view
    for (int i = 0; i + 1 < entries.size(); i += 2) {
        QWidget *target = control(form, entries[i]);
        if (qobject_cast<QComboBox *>(target))
            pickItem(target, entries[i + 1]);
        else
            typeInto(target, entries[i + 1]);
    }
    if (!entries.value(entries.size() - 1).endsWith('\r'))
        calculate();
    // A refused entry computes nothing: the report of the defaults stays, and
    // the focus goes into the box refused.
    QList<ShownBox> told;
    if (expected == kCount)
        told << warning("提示", kCount, "Form6");
    else if (expected.endsWith("不是一个数，请改正"))
        told << warning("输入数据错误", expected, "Form6");
    QCOMPARE(boxes->take(), told);
    QCOMPARE(shownReport(), told.isEmpty() ? expected : report("2.36%", kOrdinary));
    if (!told.isEmpty())
        QCOMPARE(focusName(), entries.value(0));
}

void TestForm6::shouldCheckEachFieldOnLeaving_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: the value passes
    QTest::newRow("b 0") << "Text1" << "0" << "柱宽不得小于等于0";
    QTest::newRow("b empty") << "Text1" << "" << "柱宽不得小于等于0";
    QTest::newRow("b letters") << "Text1" << "abc" << "柱宽不得小于等于0";
    QTest::newRow("b 0.001") << "Text1" << "0.001" << "";
    QTest::newRow("h negative") << "Text2" << "-1" << "柱高不得小于等于0";
    QTest::newRow("h empty") << "Text2" << "" << "柱高不得小于等于0";
    QTest::newRow("count 0 unchecked") << "Text4" << "0" << "";
    QTest::newRow("count empty unchecked") << "Text5" << "" << "";
    QTest::newRow("count -2 told only at 计算") << "Text4" << "-2" << "";
    // clang-format on
}

void TestForm6::shouldCheckEachFieldOnLeaving()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    typeInto(box(name), typed);
    pressTab();
    const QList<ShownBox> expected = message.isEmpty() ? QList<ShownBox>() : QList{warning("提示", message, "Form6")};
    QCOMPARE(boxes->take(), expected);
    QCOMPARE(focusName() == name, !message.isEmpty());
    QCOMPARE(box(name)->text(), typed);
}

void TestForm6::shouldNeverComputeARefusedValue()
{
    // A click on 计算 that takes the focus from a refused b.
    typeInto(box("Text1"), "0");
    calculate();
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "柱宽不得小于等于0", "Form6")}));
    QCOMPARE(focusName(), QStringLiteral("Text1"));
    QCOMPARE(shownReport(), QString());
    typeInto(box("Text1"), "400");
    calculate();
    QCOMPARE(shownReport(), report("2.36%", kOrdinary));
    // A 0 that reached h without h being left (dropped on it).
    box("Text2")->setText("0");
    calculate();
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "柱高不得小于等于0", "Form6")}));
    QCOMPARE(focusName(), QStringLiteral("Text2"));
    QCOMPARE(shownReport(), report("2.36%", kOrdinary));
}

void TestForm6::shouldRefuseTypingIntoTheLists_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("before");  // the controls either side in Tab order
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("keys");  // then pressed in the list: F4 or Alt+Down opens it
    QTest::addColumn<QString>("picked");
    QTest::newRow("corner bars") << "Combo1" << "Text2" << "Combo2" << QStringList{"F4", "Down", "Return"} << "直径22";
    QTest::newRow("b side") << "Combo2" << "Combo1" << "Combo3" << QStringList{"Alt+Down", "Up", "Up", "Enter"}
                            << "直径16";
    QTest::newRow("h side") << "Combo3" << "Combo2" << "Text4" << QStringList{"F4", "Escape"} << "直径20";
    // clang-format on
}

void TestForm6::shouldRefuseTypingIntoTheLists()
{
    QFETCH(QString, name);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QStringList, keys);
    QFETCH(QString, picked);
    auto *list = control<QComboBox>(form, name);
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(list, "25");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(list, key);
    commitByInputMethod(QStringLiteral("直径25"));
    // Nor does the wheel turn it, over the text or over the arrow.
    for (const QPoint at : {list->rect().center(), QPoint(list->width() - 6, list->height() / 2)}) {
        for (int notches : {-1, 1, -3})
            turnWheel(list, at, notches);
    }
    settle();
    QCOMPARE(list->currentText(), QStringLiteral("直径20"));
    QCOMPARE(list->currentIndex(), -1);
    QVERIFY(!list->view()->isVisible());
    // Tab and Shift+Tab leave it, and leaving chooses no item.
    pressTab();
    QCOMPARE(focusName(), after);
    QCOMPARE(list->currentIndex(), -1);
    list->setFocus(Qt::TabFocusReason);
    pressTab(true);
    QCOMPARE(focusName(), before);
    // From the keyboard.
    list->setFocus(Qt::TabFocusReason);
    pressKeys(keys);
    QVERIFY(!list->view()->isVisible());
    QCOMPARE(list->currentText(), picked);
}

void TestForm6::shouldTellWhenTheInputIsBeyondRange()
{
    calculate();
    typeInto(box("Text1"), "1e-300");  // both pass their checks, the ratio overflows
    typeInto(box("Text2"), "1e-300");
    calculate();
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "输入数据超出计算范围，无法计算", "Form6")}));
    QCOMPARE(shownReport(), QString());
}

void TestForm6::shouldMoveThroughTheControlsInTabOrder()
{
    calculate();  // the result box is passed by even once it holds a report
    click(box("Text1"));
    const QStringList round{"Text1", "Text2", "Combo1",   "Combo2",   "Combo3",
                            "Text4", "Text5", "Command1", "Command2", "Text1"};
    QCOMPARE(tabRound(), round);
    QCOMPARE(tabRound(true), reversed(round));
}

void TestForm6::shouldDrawTheTiesAsAThreeByThreeGrid()
{
    QWidget *legend = control(form, "Image1");
    QCOMPARE(legend->size(), QSize(120, 150));
    const QImage image = legend->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb magenta = qRgb(255, 0, 255), green = qRgb(0, 255, 0), white = qRgb(255, 255, 255);
    QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 0));
    // Across and down the section, clear of the hooks: four tie legs each
    // way, with white between them (three cells, two margins).
    QCOMPARE(runsAlong(image, {0, 100}, {1, 0}, magenta), 4);
    QCOMPARE(runsAlong(image, {40, 0}, {0, 1}, magenta), 4);
    QCOMPARE(runsAlong(image, {0, 100}, {1, 0}, white), 5);
    // Green dimension lines below the section and on its left.
    QVERIFY(runsAlong(image, {70, 120}, {0, 1}, green) > 0);
    QVERIFY(runsAlong(image, {0, 70}, {1, 0}, green) > 0);
}

void TestForm6::shouldUnloadOnReturn()
{
    click(control(form, "Command2"));
    settle();
    QVERIFY(form.isNull());  // WA_DeleteOnClose: the next opening starts afresh
}

QTEST_MAIN(TestForm6)
#include "test_form6.moc"
