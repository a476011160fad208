// The stability coefficient window, driven as an engineer uses it.

#include "bookactions.h"
#include "editionchoice.h"
#include "stabilitywindow.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <memory>

using namespace morvane;
using namespace uitest;

namespace {

// Notes what a box holds at the moment a message box appears.
class TextWhenBoxShown : public QObject
{
public:
    explicit TextWhenBoxShown(QLineEdit *box)
        : box_(box)
    {
        qApp->installEventFilter(this);
    }
    QStringList seen;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched))
            seen << box_->text();
        return false;
    }

private:
    QLineEdit *box_;
};

// Empties a box or list with the mouse and keys, then types the text
// character by character, Chinese ones included.
void typeText(QWidget *target, const QString &text)
{
    typeInto(target, QString());
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    settle();
}

}  // namespace

class TestForm4 : public WindowTest<StabilityWindow>
{
    Q_OBJECT
private slots:
    // Every control inside its frame, every result whole, at any screen scale.
    void shouldShowEveryControlAndResultWhole()
    {
        QCOMPARE(controlsCutByTheirFrame(form).join(", "), QString());
        QCOMPARE(resultsShownCut(form, {"Text4", "Text5"}, kLongestDoubleTexts), QStringList());
    }

    void shouldComputeAsTheUserWorks_data();
    void shouldComputeAsTheUserWorks();
    void shouldWriteTheSlendernessAfterTheWarningIsClosed();
    void shouldUnloadOnClosing_data();
    void shouldUnloadOnClosing();

private:
    QLineEdit *box(const QString &name) { return control<QLineEdit>(form, name); }
};

void TestForm4::shouldComputeAsTheUserWorks_data()
{
    // clang-format off
    // Steps: "Command1", "Tab", "Text2=0" (typed), "Combo2:b类" (picked),
    // "Enter@Text4" (Enter pressed in the box), "Undo@Text4" (Ctrl+Z in it),
    // "Inputs:钢材=Q235|…" (the book's inputs then, as symbol or name = value),
    // "现行规范" and "原规范" (the edition chosen in the main window).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text4");
    QTest::addColumn<QString>("text5");
    QTest::addColumn<QList<ShownBox>>("shown");
    const QList<ShownBox> none;
    auto warn = [](const char *text) { return QList<ShownBox>{warning("警告", text, "Form4")}; };
    const auto outOfRange = QList<ShownBox>{warning("提示", "输入数据超出计算范围，无法计算", "Form4")};
    auto warn2 = [](const char *text) { return QList<ShownBox>{warning("提示", text, "Form4")}; };
    const auto badGrade = warn2("钢材应为Q235、Q345或Q390"), badClass = warn2("截面类型应为a类、b类或c类");
    const auto noSlenderness = warn2("请先计算或输入长细比");
    const QString worked = "42.4264068711929";

    // The defaults, by grade and class.
    const char *table[3][4] = {{"Q235", ".9357", ".8889", ".8237"},
                               {"Q345", ".9116", ".8499", ".7654"},
                               {"Q390", ".9014", ".8344", ".744"}};
    for (const auto &row : table) {
        for (int c = 0; c < 3; ++c) {
            const QString cls = QStringList{"a类", "b类", "c类"}[c];
            QTest::addRow("%s %s", row[0], qPrintable(cls))
                << QStringList{"Command1", QStringLiteral("Combo1:") + row[0], "Combo2:" + cls, "Command2"} << worked
                << row[c + 1] << none;
        }
    }
    QTest::newRow("typed texts match the items")
        << QStringList{"Command1", "Combo1=Q390", "Combo2=c类", "Command2"} << worked << ".744" << none;
    // The current edition: π 3.14, three decimals, Q420, Q460 and class d listed.
    QTest::newRow("current: defaults") << QStringList{"现行规范", "Command1", "Command2"} << worked << "0.936" << none;
    QTest::newRow("current: Q460 d") << QStringList{"现行规范", "Command1", "Combo1:Q460", "Combo2:d类", "Command2"}
                                     << worked << "0.623" << none;
    QTest::newRow("current: Q550 refused") << QStringList{"现行规范", "Text4=80", "Combo1=Q550", "Command2"} << "80" << ""
                                           << warn2("钢材应为Q235、Q345、Q390、Q420或Q460");
    QTest::newRow("current: class e refused") << QStringList{"现行规范", "Text4=80", "Combo2=e类", "Command2"} << "80"
                                              << "" << warn2("截面类型应为a类、b类、c类或d类");
    // A change of edition empties φ; λ, the same under both, stays.
    QTest::newRow("φ emptied by the edition") << QStringList{"Command1", "Command2", "现行规范"} << worked << "" << none;
    QTest::newRow("Q460 picked, then the original edition")
        << QStringList{"现行规范", "Command1", "Combo1:Q460", "Command2", "原规范", "Command2"} << worked << "" << badGrade;

    // A typed slenderness.
    QTest::newRow("80 a") << QStringList{"Text4=80", "Command2"} << "80" << ".7829" << none;
    QTest::newRow("80 b") << QStringList{"Text4=80", "Combo2:b类", "Command2"} << "80" << ".6878" << none;
    QTest::newRow("80 c") << QStringList{"Text4=80", "Combo2:c类", "Command2"} << "80" << ".5781" << none;
    QTest::newRow("10: below 0.215") << QStringList{"Text4=10", "Command2"} << "10" << "0.995261021176217" << none;
    QTest::newRow("20: above 0.215") << QStringList{"Text4=20", "Command2"} << "20" << ".9808" << none;
    QTest::newRow("97.6 c: lower band") << QStringList{"Text4=97.6", "Combo2:c类", "Command2"} << "97.6" << ".4741" << none;
    QTest::newRow("97.7 c: upper band") << QStringList{"Text4=97.7", "Combo2:c类", "Command2"} << "97.7" << ".4729" << none;
    QTest::newRow("empty slenderness") << QStringList{"Command2"} << "" << "" << noSlenderness;
    QTest::newRow("blanks only: no slenderness") << QStringList{"Text4=80", "Command2", "Text4= 　", "Command2"} << " 　"
                                                 << "" << noSlenderness;
    QTest::newRow("negative slenderness") << QStringList{"Text4=80", "Command2", "Text4=-0.5", "Command2"} << "-0.5"
                                          << "" << warn2("长细比不得小于0");
    // A slenderness belongs to the L, I and A that gave it.
    QTest::newRow("L edited: no slenderness") << QStringList{"Command1", "Command2", "Text1=7000", "Command2"} << ""
                                              << "" << noSlenderness;
    QTest::newRow("I edited") << QStringList{"Command1", "Text2=2"} << "" << "" << none;
    QTest::newRow("A edited") << QStringList{"Command1", "Text3=1"} << "" << "" << none;
    // The book lists the steps that gave the figures shown.
    QTest::newRow("book: typed slenderness an input")
        << QStringList{"Command1", "Text4=80", "Command2", "Inputs:钢材=Q235|截面类型=a类|λ=80"} << "80" << ".7829" << none;
    QTest::newRow("book: φ of a slenderness since emptied")
        << QStringList{"Command1", "Command2", "Text1=7000", "Inputs:L=6000|I=20000|A=10000|钢材=Q235|截面类型=a类"}
        << "" << ".9357" << none;

    // The slenderness warnings: the first failing check only, then λ.
    QTest::newRow("L 0") << QStringList{"Text1=0", "Command1"} << "0" << "" << warn("构件的计算长度不得<=0");
    QTest::newRow("L empty") << QStringList{"Text1=", "Command1"} << "0" << "" << warn("构件的计算长度不得<=0");
    QTest::newRow("L -100") << QStringList{"Text1=-100", "Command1"} << "-0.707106781186547" << ""
                            << warn("构件的计算长度不得<=0");
    QTest::newRow("I 0 raised to 1") << QStringList{"Text2=0", "Command1"} << "6000" << "" << warn("构件的惯性距不得<=0");
    QTest::newRow("A 0 raised to 1") << QStringList{"Text3=0", "Command1"} << "0.424264068711929" << ""
                                     << warn("构件的面积不得为<=0");
    QTest::newRow("leaving a box with 0 says nothing") << QStringList{"Text2=0", "Tab", "Text3=0", "Tab"} << ""
                                                       << "" << none;
    // No slenderness even after the adjustment: the old one goes.
    QTest::newRow("L 0 and I 0: 0/0") << QStringList{"Command1", "Text1=0", "Text2=0", "Command1"} << "" << ""
                                      << warn("构件的计算长度不得<=0");
    QTest::newRow("I 0 and A 0") << QStringList{"Command1", "Text2=0", "Text3=0", "Command1"} << "" << ""
                                 << warn("构件的惯性距不得<=0");
    QTest::newRow("I -5") << QStringList{"Command1", "Text2=-5", "Command1"} << "" << "" << warn("构件的惯性距不得<=0");
    QTest::newRow("L 1e400, no warning") << QStringList{"Command1", "Text1=1e400", "Command1"} << "" << "" << outOfRange;

    // No coefficient.
    QTest::newRow("1e308: φ not finite") << QStringList{"Text4=80", "Command2", "Text4=1e308", "Command2"} << "1e308"
                                          << "" << outOfRange;
    QTest::newRow("Q420 refused") << QStringList{"Text4=80", "Command2", "Combo1=Q420", "Command2"} << "80" << ""
                                  << badGrade;
    QTest::newRow("lower case q235 refused")
        << QStringList{"Text4=80", "Command2", "Combo1=q235", "Command2"} << "80" << "" << badGrade;
    QTest::newRow("empty grade refused") << QStringList{"Text4=80", "Combo1=", "Combo2:b类", "Command2"} << "80" << ""
                                         << badGrade;
    QTest::newRow("empty class refused") << QStringList{"Text4=80", "Command2", "Combo2=", "Command2"} << "80" << ""
                                         << badClass;
    QTest::newRow("typed B refused") << QStringList{"Text4=80", "Command2", "Combo2=B", "Command2"} << "80" << ""
                                     << badClass;
    QTest::newRow("class d with Q420: the steel told")
        << QStringList{"Text4=80", "Command2", "Combo1=Q420", "Combo2=d类", "Command2"} << "80" << "" << badGrade;
    QTest::newRow("class with a blank refused")
        << QStringList{"Command1", "Command2", "Combo2=b类 ", "Text4=1e308", "Command2"} << "1e308" << "" << badClass;

    // Anything but one number in a box the button reads: told, nothing computed.
    auto notANumber = [](const QString &text) {
        return QList<ShownBox>{warning("输入数据错误", "「" + text + "」不是一个数，请改正", "Form4")};
    };
    QTest::newRow("L 1e") << QStringList{"Text1=1e", "Command1"} << "" << "" << notANumber("1e");
    QTest::newRow("A 8O after I 12,5") << QStringList{"Text3=8O", "Text2=12,5", "Command1"} << "" << "" << notANumber("12,5");
    QTest::newRow("λ 4O") << QStringList{"Command1", "Command2", "Text4=4O", "Command2"} << "4O" << ".9357"
                          << notANumber("4O");
    QTest::newRow("λ 4O is no input of the slenderness") << QStringList{"Text4=4O", "Command1"} << worked << "" << none;
    // Enter in L, I or A computes the slenderness; in the slenderness, φ.
    QTest::newRow("Enter in L") << QStringList{"Text1=3000", "Enter@Text1"} << "21.2132034355964" << "" << none;
    QTest::newRow("Enter in λ") << QStringList{"Text4=80", "Enter@Text4"} << "80" << ".7829" << none;
    // The empty slenderness of the load step has no design text behind it.
    QTest::newRow("undo in the empty λ") << QStringList{"Undo@Text4"} << "" << "" << none;
    // clang-format on
}

void TestForm4::shouldComputeAsTheUserWorks()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text4);
    QFETCH(QString, text5);
    QFETCH(QList<ShownBox>, shown);

    for (const QString &step : steps) {
        if (step == "Tab") {
            pressTab();
        } else if (step == "现行规范" || step == "原规范") {
            chooseEdition(step == "现行规范" ? Edition::Current : Edition::Original);
        } else if (step.startsWith("Inputs:")) {
            QStringList read;
            for (const BookInput &in : form->findChild<BookActions *>()->book().inputs)
                read << QString::fromStdString((in.symbol.empty() ? in.name : in.symbol) + "=" + in.value);
            QCOMPARE(read.join('|'), step.section(':', 1));
        } else if (step.startsWith("Command")) {
            click(control(form, step));
        } else if (step.startsWith("Enter@")) {
            QTest::keyClick(control(form, step.section('@', 1)), Qt::Key_Return);
            settle();
        } else if (step.startsWith("Undo@")) {
            QTest::keySequence(control(form, step.section('@', 1)), QKeySequence::Undo);
            settle();
        } else if (step.contains('=')) {
            typeText(control(form, step.section('=', 0, 0)), step.section('=', 1));
        } else {
            pickItem(control(form, step.section(':', 0, 0)), step.section(':', 1));
        }
    }
    QCOMPARE(boxes->take(), shown);
    QCOMPARE(box("Text4")->text(), text4);
    QCOMPARE(box("Text5")->text(), text5);
}

void TestForm4::shouldWriteTheSlendernessAfterTheWarningIsClosed()
{
    TextWhenBoxShown text4(box("Text4"));
    click(control(form, "Command1"));
    typeInto(box("Text2"), "0");
    click(control(form, "Command1"));
    QCOMPARE(boxes->take(), QList<ShownBox>({warning("警告", "构件的惯性距不得<=0", "Form4")}));
    QCOMPARE(text4.seen, QStringList({""}));  // emptied as I was edited
    QCOMPARE(box("Text4")->text(), QStringLiteral("6000"));
    QCOMPARE(focusName(), QStringLiteral("Command1"));  // the warning does not move the focus
}

void TestForm4::shouldUnloadOnClosing_data()
{
    // clang-format off
    QTest::addColumn<bool>("byReturnButton");
    QTest::newRow("返回主界面") << true;
    QTest::newRow("close box") << false;
    // clang-format on
}

void TestForm4::shouldUnloadOnClosing()
{
    QFETCH(bool, byReturnButton);
    typeInto(box("Text1"), "0");
    if (byReturnButton)
        click(control(form, "Command3"));
    else
        form->close();
    settle();
    QVERIFY(form.isNull());
    QCOMPARE(boxes->take(), QList<ShownBox>());
}

QTEST_MAIN(TestForm4)
#include "test_form4.moc"
