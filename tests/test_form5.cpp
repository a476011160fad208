// The pile group window, driven as an engineer uses it.

#include "pilegroupwindow.h"
#include "uitest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>

#include <memory>

using namespace morvane;
using namespace uitest;

class TestForm5 : public WindowTest<PileGroupWindow>
{
    Q_OBJECT
private slots:
    // Every control inside its frame, every result whole, at any screen scale.
    void shouldShowEveryControlAndResultWhole()
    {
        QCOMPARE(controlsCutByTheirFrame(form).join(", "), QString());
        QCOMPARE(resultsShownCut(form, {"Text8"}, kLongestDoubleTexts), QStringList());
    }

    void shouldCheckEachFieldOnLeaving_data();
    void shouldCheckEachFieldOnLeaving();
    void shouldComputeTheGroupCapacity_data();
    void shouldComputeTheGroupCapacity();
    void shouldKeepTheResultUntilTheNextCalculation();

private:
    QString text(const QString &name) { return control<QLineEdit>(form, name)->text(); }
};

void TestForm5::shouldCheckEachFieldOnLeaving_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: the value passes
    QTest::newRow("L empty") << "Text1" << "" << "承台长度不得小于等于0";
    QTest::newRow("B 0") << "Text2" << "0" << "承台宽度不得小于等于0";
    QTest::newRow("H negative") << "Text3" << "-600" << "承台高度不得小于等于0";
    QTest::newRow("depth 50") << "Text4" << "50" << "承台埋深不得小于等于50";
    QTest::newRow("depth 50.5 passes") << "Text4" << "50.5" << "";
    QTest::newRow("pile letters") << "Text5" << "abc" << "桩基承载力设计值不得小于等于0";
    QTest::newRow("concrete 0") << "Text6" << "0" << "混凝土容重不得小于等于0";
    QTest::newRow("soil 0") << "Text7" << "0" << "土容重不得小于等于0";
    // Anything but one number passes on leaving and is refused at "计算".
    QTest::newRow("depth 1500O") << "Text4" << "1500O" << "「1500O」不是一个数，请改正";
    // clang-format on
}

void TestForm5::shouldCheckEachFieldOnLeaving()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    click(control(form, "Command1"));  // a result that a refused value leaves as it is
    const bool notANumber = message.endsWith("不是一个数，请改正");
    typeInto(control(form, name), typed);
    pressTab();
    if (message.isEmpty() || notANumber) {
        QCOMPARE(boxes->take(), QList<ShownBox>());
        QVERIFY(focusName() != name);
        if (message.isEmpty())
            return;
    }
    const QList<ShownBox> check{warning(notANumber ? "输入数据错误" : "提示", message, "Form5")};
    if (!notANumber) {
        QCOMPARE(boxes->take(), check);
        QCOMPARE(focusName(), name);
    }
    QCOMPARE(text(name), typed);
    // "计算" from the refused box shows the check again and computes nothing.
    click(control(form, "Command1"));
    QCOMPARE(boxes->take(), check);
    QCOMPARE(focusName(), name);
    QCOMPARE(text("Text8"), QStringLiteral("2068.8"));
}

void TestForm5::shouldComputeTheGroupCapacity_data()
{
    // clang-format off
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QStringList>("typed");  // control name, text, ...; a last text ending in Enter computes
    QTest::addColumn<QString>("capacity");   // Text8 after "计算"
    QTest::addColumn<QString>("message");    // of the one box shown, under "提示"; empty: none
    const QString outOfRange = "输入数据超出计算范围，无法计算", offList = "桩数应从列表中选择",
                  belowCap = "承台埋深不得小于承台高度";
    QTest::newRow("defaults") << "" << QStringList() << "2068.8" << "";
    QTest::newRow("sixteen piles") << "十六桩" << QStringList() << "5568.8" << "";
    QTest::newRow("a typed 6 is refused") << "" << QStringList{"Combo1", "6"} << "" << offList;
    // The text shown counts, not the entry picked before it was typed over.
    QTest::newRow("picked, then typed over") << "十桩" << QStringList{"Combo1", "10"} << "" << offList;
    QTest::newRow("typed 9 empties the result") << "" << QStringList{"Text8", "2068.8", "Combo1", "9"} << "" << offList;
    // The burial depth against the cap height, at "计算" only: nothing computed.
    QTest::newRow("depth 500 under a 600 cap") << "" << QStringList{"Text4", "500"} << "" << belowCap;
    QTest::newRow("cap raised above the depth") << "" << QStringList{"Text8", "2068.8", "Text3", "1600"} << "2068.8"
                                                << belowCap;
    QTest::newRow("depth equal to the cap height") << "" << QStringList{"Text4", "600"} << "2085" << "";
    QTest::newRow("huge cap") << "" << QStringList{"Text1", "1e300", "Text2", "1e300"} << "" << outOfRange;
    QTest::newRow("Enter in the pile capacity") << "十六桩" << QStringList{"Text5", "350\r"} << "5568.8" << "";
    // clang-format on
}

void TestForm5::shouldComputeTheGroupCapacity()
{
    QFETCH(QString, picked);
    QFETCH(QStringList, typed);
    QFETCH(QString, capacity);
    QFETCH(QString, message);
    if (!picked.isEmpty())
        pickItem(control(form, "Combo1"), picked);
    for (int i = 0; i + 1 < typed.size(); i += 2)
        typeInto(control(form, typed[i]), typed[i + 1]);
    if (!typed.value(typed.size() - 1).endsWith('\r'))
        click(control(form, "Command1"));
    QCOMPARE(text("Text8"), capacity);
    QList<ShownBox> expected;
    if (!message.isEmpty())
        expected << warning("提示", message, "Form5");
    QCOMPARE(boxes->take(), expected);
}

void TestForm5::shouldKeepTheResultUntilTheNextCalculation()
{
    click(control(form, "Command1"));
    typeInto(control(form, "Text5"), "400");
    pickItem(control(form, "Combo1"), "两桩");
    QCOMPARE(text("Text8"), QStringLiteral("2068.8"));
    // Typing into the result box is allowed; the next calculation replaces it.
    typeInto(control(form, "Text8"), "abc");
    QCOMPARE(text("Text8"), QStringLiteral("abc"));
    click(control(form, "Command1"));
    QCOMPARE(text("Text8"), QStringLiteral("768.8"));
    // A refused value that reached a box without passing through it stops "计算".
    control<QLineEdit>(form, "Text6")->setText("0");
    click(control(form, "Command1"));
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("提示", "混凝土容重不得小于等于0", "Form5")}));
    QCOMPARE(text("Text8"), QStringLiteral("768.8"));

    typeInto(control(form, "Text6"), "25");
    click(control(form, "Command2"));
    QVERIFY(form.isNull());  // unloaded
}

QTEST_MAIN(TestForm5)
#include "test_form5.moc"
