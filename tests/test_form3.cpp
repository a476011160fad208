// The end plate window, driven as an engineer uses it.

#include "editionchoice.h"
#include "endplatewindow.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <memory>

using namespace morvane;
using namespace uitest;

class TestForm3 : public WindowTest<EndPlateWindow>
{
    Q_OBJECT
private slots:
    // Every control inside its frame, every result whole, at any screen scale.
    void shouldShowEveryControlAndResultWhole()
    {
        QCOMPARE(controlsCutByTheirFrame(form).join(", "), QString());
        QVERIFY(!scaledUpBitmap(control(form, "Picture1")));
        QCOMPARE(resultsShownCut(form, {"Text7"}, {"-1.234567E+15", "124"}), QStringList());
        QCOMPARE(resultsShownCut(form, {"Text6"}, {"此端板的最小厚度为1.234567E+15mm", "此端板的最小厚度为26.94167mm"}),
                 QStringList());
    }

    void shouldUnloadOnReturn();
    void shouldComputeWhatTheControlsSay_data();
    void shouldComputeWhatTheControlsSay();
    void shouldCheckEachDimensionOnLeaving_data();
    void shouldCheckEachDimensionOnLeaving();
    void shouldMoveThroughTheControlsInTabOrder_data();
    void shouldMoveThroughTheControlsInTabOrder();

private:
    QLineEdit *box(const QString &name) { return control<QLineEdit>(form, name); }
    QStringList results() { return {box("Text7")->text(), box("Text6")->text()}; }
};

void TestForm3::shouldUnloadOnReturn()
{
    click(control(form, "Command2"));
    QVERIFY(form.isNull());  // unloaded: the next opening builds it afresh
}

void TestForm3::shouldComputeWhatTheControlsSay_data()
{
    // clang-format off
    // Steps: "click Check1", "pick Combo2 M24", "type Combo2 m20" (the rest of the step is the text),
    // "drop Text1 -1" (text that reaches a box without the user leaving it), "enter Text5" (Enter
    // pressed in the box; as the last step, in place of a click on "计算"), "edition current" (the
    // current edition chosen in the main window).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("Ntb");
    QTest::addColumn<QString>("thickness");  // mm, or empty
    QTest::addColumn<QString>("message");    // shown under "提示", or empty
    const QString steel = "端板钢材应为Q235、Q345、Q390或Q420";
    const QString bolt = "螺栓直径应为M16、M20、M22、M24、M27或M30";
    QTest::newRow("no class") << QStringList() << "124" << "16" << "";
    QTest::newRow("cantilever") << QStringList{"click Check1"} << "124" << "26.94167" << "";
    QTest::newRow("no stiffener") << QStringList{"click Check2"} << "124" << "31.75106" << "";
    QTest::newRow("two-side extended") << QStringList{"click Check3"} << "124" << "20.54283" << "";
    QTest::newRow("two-side flush") << QStringList{"click Check3", "click Option4"} << "124" << "24.39184" << "";
    QTest::newRow("three-side") << QStringList{"click Check4"} << "124" << "16.58145" << "";
    QTest::newRow("largest governs") << QStringList{"click Check2", "click Check1"} << "124" << "31.75106" << "";
    QTest::newRow("flush, no two-side") << QStringList{"click Check1", "click Option4"} << "124" << "26.94167" << "";
    QTest::newRow("below 16") << QStringList{"type Text2 200", "click Check4"} << "124" << "16" << "";
    QTest::newRow("Q345 M24 8.8") << QStringList{"pick Combo1 Q345", "pick Combo2 M24", "click Option1", "click Check1"}
                                  << "140" << "23.86402" << "";
    QTest::newRow("typed size") << QStringList{"type Combo2 M30"} << "284" << "16" << "";
    QTest::newRow("unlisted steel, no class") << QStringList{"type Combo1 Q235 "} << "124" << "16" << "";
    QTest::newRow("unlisted steel") << QStringList{"type Combo1 q235", "click Check1"} << "124" << "" << steel;
    QTest::newRow("unlisted size") << QStringList{"type Combo2 m20"} << "" << "" << bolt;
    QTest::newRow("emptied size") << QStringList{"type Combo2 "} << "" << "" << bolt;
    QTest::newRow("both unlisted") << QStringList{"type Combo1 Q999", "type Combo2 M36", "click Check1"} << "" << ""
                                   << bolt;
    QTest::newRow("beyond range") << QStringList{"type Text1 1e-300", "click Check1"} << "124" << ""
                                  << "输入数据超出计算范围，无法计算";
    // A refused value never reaches the calculation: the earlier results stay.
    QTest::newRow("from a refused box") << QStringList{"type Text4 0"} << "124" << "16" << "参数小于等于零";
    QTest::newRow("dropped text") << QStringList{"drop Text1 -1"} << "124" << "16" << "参数小于等于零";
    // Anything but one number: the first such box in Tab order is told.
    const QString notANumber = "」不是一个数，请改正";
    QTest::newRow("a 12,5") << QStringList{"type Text3 12,5", "click Check1"} << "124" << "16" << "「12,5" + notANumber;
    QTest::newRow("ew 1e after b 4O") << QStringList{"type Text5 1e", "type Text1 4O", "click Check1"} << "124" << "16"
                                      << "「4O" + notANumber;
    QTest::newRow("Enter in ew") << QStringList{"click Check1", "type Text5 50", "enter Text5"} << "124" << "26.94167"
                                 << "";
    QTest::newRow("Enter in a refused ef") << QStringList{"click Check1", "type Text4 -1", "enter Text4"} << "124" << "16"
                                           << "参数小于等于零";
    // The current edition: never thinner than 16 mm nor 0.8 d; f 205, 200 above 40 mm; none above 100 mm.
    const QString current = "edition current";
    QTest::newRow("current: no class, M30") << QStringList{current, "pick Combo2 M30"} << "284" << "24" << "";
    QTest::newRow("current: no class, M27") << QStringList{current, "pick Combo2 M27"} << "232" << "21.6" << "";
    QTest::newRow("current: no class, M24") << QStringList{current, "pick Combo2 M24"} << "180" << "19.2" << "";
    QTest::newRow("current: no class, M22") << QStringList{current, "pick Combo2 M22"} << "152" << "17.6" << "";
    QTest::newRow("current: no class, M16") << QStringList{current, "pick Combo2 M16"} << "80" << "16" << "";
    QTest::newRow("current: cantilever") << QStringList{current, "click Check1"} << "124" << "26.94167" << "";
    QTest::newRow("current: M30 cantilever, over 40 mm") << QStringList{current, "pick Combo2 M30", "click Check1"}
                                                        << "284" << "41.27953" << "";
    QTest::newRow("current: over 100 mm") << QStringList{current, "type Text4 600", "click Check1"} << "124" << ""
                                          << "输入数据超出计算范围，无法计算";
    // clang-format on
}

void TestForm3::shouldComputeWhatTheControlsSay()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, Ntb);
    QFETCH(QString, thickness);
    QFETCH(QString, message);
    click(control(form, "Command1"));  // earlier results, to be replaced or emptied
    for (const QString &step : steps) {
        const QString verb = step.section(' ', 0, 0), text = step.section(' ', 2);
        if (verb == "edition") {
            chooseEdition(Edition::Current);
            QCOMPARE(results(), QStringList({"", ""}));  // the results of the other edition go
            continue;
        }
        QWidget *target = control(form, step.section(' ', 1, 1));
        if (verb == "click") {
            click(target);
        } else if (verb == "drop") {
            static_cast<QLineEdit *>(target)->setText(text);
        } else if (verb == "pick") {
            pickItem(target, text);
        } else if (verb == "enter") {
            QTest::keyClick(target, Qt::Key_Return);
            settle();
        } else {
            typeInto(target, text);  // taken as typed, blanks and all
            auto *list = qobject_cast<QComboBox *>(target);
            QCOMPARE(list ? list->currentText() : static_cast<QLineEdit *>(target)->text(), text);
        }
    }
    if (!steps.value(steps.size() - 1).startsWith("enter"))
        click(control(form, "Command1"));
    const QString sentence = thickness.isEmpty() ? "" : "此端板的最小厚度为" + thickness + "mm";
    QCOMPARE(results(), QStringList({Ntb, sentence}));
    const QString title = message.endsWith("不是一个数，请改正") ? "输入数据错误" : "提示";
    QCOMPARE(boxes->take(), message.isEmpty() ? QList<ShownBox>() : QList{warning(title, message, "Form3")});
}

void TestForm3::shouldCheckEachDimensionOnLeaving_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("b 0") << "Text1" << "0" << true;
    QTest::newRow("bs empty") << "Text2" << "" << true;
    QTest::newRow("a -5") << "Text3" << "-5" << true;
    QTest::newRow("a 12abc reads 12") << "Text3" << "12abc" << false;
    QTest::newRow("ef letters") << "Text4" << "abc" << true;
    QTest::newRow("ew 0.01") << "Text5" << "0.01" << false;
    // clang-format on
}

void TestForm3::shouldCheckEachDimensionOnLeaving()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    typeInto(box(name), typed);
    pressTab();
    QCOMPARE(boxes->take(), refused ? QList{warning("提示", "参数小于等于零", "Form3")} : QList<ShownBox>());
    QCOMPARE(focusName() == name, refused);
    QCOMPARE(box(name)->text(), typed);
}

void TestForm3::shouldMoveThroughTheControlsInTabOrder_data()
{
    // clang-format off
    // One stop per option group: the chosen option.
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("plateEnd");
    QTest::newRow("8.8级, 端板平齐") << QStringList{"Option1", "Option4"} << "Option1" << "Option4";
    QTest::newRow("back to 10.9级, 端板外伸") << QStringList{"Option1", "Option4", "Option2", "Option3"} << "Option2"
                                          << "Option3";
    // clang-format on
}

void TestForm3::shouldMoveThroughTheControlsInTabOrder()
{
    QFETCH(QStringList, chosen);
    QFETCH(QString, grade);
    QFETCH(QString, plateEnd);
    for (const QString &option : chosen)
        click(control(form, option));
    click(box("Text1"));
    const QStringList round{"Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Combo1",   "Combo2",   grade,
                            "Check1", "Check2", "Check3", "Check4", plateEnd, "Command1", "Command2", "Text1"};
    QCOMPARE(tabRound(), round);
    QCOMPARE(tabRound(true), reversed(round));
}

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
