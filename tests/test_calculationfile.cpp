// A calculation kept in a file: saved and opened again with the same boxes
// in every calculator, the files a window refuses and why, the caption and
// the question before changed inputs are lost, the recent files.

#include "calculationfile.h"
#include "calculationkeeper.h"
#include "calculators.h"
#include "calculatorwindow.h"
#include "edition.h"
#include "editionchoice.h"
#include "filedialog.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QJsonDocument>
#include <QTest>

using namespace morvane;
using namespace uitest;

class TestCalculationFile : public WindowTest<>
{
    Q_OBJECT
private slots:
    void shouldGiveTheSameBoxesAgain();
    void shouldRefuseAFileItCannotUse_data();
    void shouldRefuseAFileItCannotUse();
    void shouldLoadWhatItCan_data();
    void shouldLoadWhatItCan();
    void shouldMarkAndAskWhenChanged_data();
    void shouldMarkAndAskWhenChanged();
    void shouldListTheLastTenCalculations();

private:
    CalculatorWindow *open(const char *id)
    {
        auto *window = calculatorById(QString::fromLatin1(id))->make(nullptr);
        if (!show(window))
            qFatal("%s did not show", id);
        return window;
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }
    QTemporaryDir folder;
};

// Every input control of a window as shown: a box's or list's text, an
// option's or check's state, and whether it takes input.
static QStringList boxesOf(QWidget *window)
{
    QStringList shown;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        QString state;
        if (auto *box = qobject_cast<QLineEdit *>(c); box && !qobject_cast<QComboBox *>(c->parentWidget()))
            state = box->text() + (box->isReadOnly() ? " read-only" : "");
        else if (auto *list = qobject_cast<QComboBox *>(c))
            state = list->currentText();
        else if (auto *button = qobject_cast<QAbstractButton *>(c); button && button->isCheckable())
            state = button->isChecked() ? "on" : "off";
        else
            continue;
        shown << c->objectName() + "=" + state + (c->isEnabled() ? "" : " disabled");
    }
    return shown;
}

void TestCalculationFile::shouldGiveTheSameBoxesAgain()
{
    // Each calculator with each text an input can show: every item of its
    // list, every option, both states of a check, and typed texts.
    const QStringList typed{"12.5", "", "-0", "1e308", "12abc", "一二三", QString(32767, '9')};
    // Under each edition, with the lists and options it has; the file names the edition.
    for (const Edition edition : {Edition::Original, Edition::Current}) {
        chooseEdition(edition);
        for (const Calculator &calculator : calculators()) {
            QPointer<CalculatorWindow> saved = open(calculator.id);
            for (const InputRule &rule : saved->inputRules()) {
                for (const QString &text : rule.onlyChoices ? rule.choices : typed) {
                    const QString row =
                        QString("%1 %2 %3=%4").arg(editionKey(edition), calculator.id, rule.name, text.left(20));
                    QVERIFY2(saved->setInputTexts({{rule.name, text}}).isEmpty(), qPrintable(row));
                    const QString path = folder.filePath("round.mvcalc");
                    setNextFileName(path);
                    QTest::keyClick(saved, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
                    QFile file(path);
                    QVERIFY(file.open(QIODevice::ReadOnly));
                    QCOMPARE(readCalculation(file.readAll()).calculation->edition, editionKey(edition));
                    QPointer<CalculatorWindow> opened = calculator.make(nullptr);
                    opened->keeper()->openFile(path);
                    QVERIFY2(boxesOf(opened) == boxesOf(saved), qPrintable(row));
                    QCOMPARE(opened->windowTitle(), saved->windowTitle());
                    delete opened;
                }
            }
            delete saved;
        }
    }
}

void TestCalculationFile::shouldRefuseAFileItCannotUse_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("refusal");
    const QByteArray head = R"({"format": "morvane-calculation", "version": 1, "calculator": "bolt-connection", )";
    QTest::newRow("not JSON") << QByteArray(R"({"format": "morvane-calc)") << "文件不是JSON格式，不是本程序的计算文件";
    QTest::newRow("another format") << QByteArray(R"({"format": "other", "version": 1})") << "文件不是本程序的计算文件";
    QTest::newRow("a newer version") << QByteArray(R"({"format": "morvane-calculation", "version": 2})")
                                     << "文件由较新版本的程序保存（格式版本2），请升级本程序后再打开";
    QTest::newRow("an unknown calculator") << QByteArray(R"({"format": "morvane-calculation", "version": 1, "calculator": "bridge"})")
                                           << "文件中的计算类型「bridge」无法识别";
    QTest::newRow("an unknown edition") << head + R"("edition": "2030"})" << "文件中的设计规范「2030」无法识别";
    QTest::newRow("a number for a text") << head + R"("inputs": {"e1": 40}})" << "文件中「e1」的值类型不正确";
    QTest::newRow("a text longer than its box") << head + R"("inputs": {"e1": ")" + QByteArray(32768, '4') + "\"}}"
                                                << "文件中「e1」的文字有32768个字符，长于输入框允许的32767个字符";
    QTest::newRow("a row layout the list lacks") << head + R"("inputs": {"rows": "九排"}})"
                                                 << "文件中「螺栓排数」的值「九排」不是本窗口可选的值";
    QTest::newRow("an unknown option") << head + R"("inputs": {"boltGrade": "12.9级"}})"
                                       << "文件中「螺栓级别」的值「12.9级」不是本窗口可选的值";
    QTest::newRow("larger than 1 MiB") << head + R"("inputs": {"e1": ")" + QByteArray(1 << 20, ' ') + "\"}}"
                                       << "文件大于1 MiB，不是本程序的计算文件";
    // Without the main window, no other window can take it.
    QTest::newRow("another calculator's") << QByteArray(R"({"format": "morvane-calculation", "version": 1, "calculator": "end-plate"})")
                                          << "文件保存的是「端板厚度计算」，不能在「摩擦型高强螺栓连接计算」窗口中打开";
    QTest::newRow("no file") << QByteArray() << "文件不存在：";
    // clang-format on
}

void TestCalculationFile::shouldRefuseAFileItCannotUse()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    CalculatorWindow *w = open("bolt-connection");
    typeInto(control(w, "Text2"), "75");
    const QStringList before = boxesOf(w);
    QString path = folder.filePath("missing.mvcalc");
    if (!content.isEmpty())
        path = write("refused.mvcalc", content);
    else
        refusal += QDir::toNativeSeparators(path);
    setNextFileName(path);
    QTest::keyClick(control(w, "Text2"), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(boxes->take(), QList<ShownBox>{warning("提示", refusal, "Form2")});
    QCOMPARE(boxesOf(w), before);
    QCOMPARE(w->windowTitle(), "摩擦型高强螺栓连接计算");
}

void TestCalculationFile::shouldLoadWhatItCan_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("changed");  // the boxes that differ from the defaults
    QTest::addColumn<QString>("told");         // the notice, if any
    QTest::addColumn<QString>("warned");       // the warning of "计算" afterwards, if any
    const QByteArray head = R"({"format": "morvane-calculation", "version": 1, "calculator": "bolt-connection", )";
    QTest::newRow("unknown keys passed by, missing keys at their defaults")
        << head + R"("colour": "red", "inputs": {"e2": "75", "colour": "red"}})" << QStringList{"Text2=75"} << "" << "";
    QTest::newRow("a value its check refuses, as typed") << head + R"("inputs": {"e1": "0"}})" << QStringList{"Text1=0"}
                                                         << "" << "e1不得小于等于0";
    QTest::newRow("an option by its name") << head + R"("inputs": {"surfaceTreatment": "Option4", "boltGrade": "8.8级"}})"
        << QStringList{"Option1=on", "Option2=off", "Option3=off", "Option4=on"} << "" << "";
    QTest::newRow("a layout with its locked boxes") << head + R"("inputs": {"rows": "四排", "e2": "80"}})"
        << QStringList{"Combo1=四排", "Text2= read-only", "Text3= read-only"} << "" << "";
    const QString editions = QString("文件按%1保存，本窗口按%2计算。文件中的数据已载入，请核对后再计算。")
                                 .arg(editionTitle(Edition::Current), editionTitle(Edition::Original));
    QTest::newRow("the other edition") << head + R"("edition": "current", "inputs": {"e2": "75"}})"
                                       << QStringList{"Text2=75"} << editions << "";
    QTest::newRow("the other edition, a list item this one lacks")
        << head + R"("edition": "current", "inputs": {"e2": "75", "rows": "十排", "boltGrade": "12.9级"}})"
        << QStringList{"Text2=75"}
        << editions + QString("\n以下输入在%1中没有，已取默认值：螺栓排数、螺栓级别").arg(editionTitle(Edition::Original))
        << "";
    // A calculator that is the same under both editions takes a file of either without a word.
    QTest::newRow("pile group, the other edition")
        << QByteArray(R"({"format": "morvane-calculation", "version": 1, "calculator": "pile-group", "edition": "current", "inputs": {"L": "3.5"}})")
        << QStringList{"Text1=3.5"} << "" << "";
    // clang-format on
}

void TestCalculationFile::shouldLoadWhatItCan()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, changed);
    QFETCH(QString, told);
    QFETCH(QString, warned);
    CalculatorWindow *w = open(QJsonDocument::fromJson(content)["calculator"].toString().toLatin1().constData());
    const QStringList defaults = boxesOf(w);
    const QString path = write("loaded.mvcalc", content);
    setNextFileName(path);
    QTest::keyClick(control(w, "Text1"), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(boxes->take(), told.isEmpty() ? QList<ShownBox>() : QList<ShownBox>{warning("提示", told, "Form2")});
    const QString caption = w->table().caption;
    QStringList differing;
    for (const QString &box : boxesOf(w))
        differing << (defaults.contains(box) ? QString() : box);
    differing.removeAll(QString());
    differing.sort();
    QCOMPARE(differing, changed);
    QCOMPARE(w->windowTitle(), "loaded.mvcalc[*] - " + caption);
    QVERIFY(!w->isWindowModified());
    if (!warned.isEmpty()) {
        click(control(w, "Command1"));
        QCOMPARE(boxes->take(), QList<ShownBox>{warning("数据检查", warned, "Form2")});
    }
}

void TestCalculationFile::shouldMarkAndAskWhenChanged_data()
{
    // clang-format off
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("kept");  // the text of the file's input afterwards
    QTest::newRow("保存") << int(MessageBoxCatcher::Answer::ClickSave) << true << "2500";
    QTest::newRow("不保存") << int(MessageBoxCatcher::Answer::ClickDiscard) << true << "1000";
    QTest::newRow("取消 by Escape") << int(MessageBoxCatcher::Answer::PressEscape) << false << "1000";
    // clang-format on
}

void TestCalculationFile::shouldMarkAndAskWhenChanged()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, kept);
    QPointer<CalculatorWindow> w = open("pile-group");
    typeInto(control(w, "Text1"), "1000");
    w->close();  // no file: nothing to lose, no question
    settle();
    QVERIFY(!w);
    w = open("pile-group");
    const QString path = folder.filePath(QString("piles%1").arg(answer));
    setNextFileName(path);
    QTest::keyClick(control(w, "Text1"), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w->windowTitle(), QString("piles%1.mvcalc[*] - 桩基承载力估算").arg(answer));
    QVERIFY(!w->isWindowModified());
    typeInto(control(w, "Text1"), "2500");
    QVERIFY(w->isWindowModified());
    typeInto(control(w, "Text1"), "1000");
    QVERIFY(!w->isWindowModified());  // as the file has it again
    typeInto(control(w, "Text1"), "2500");

    // A save that fails says so and keeps the window changed.
    QFile::remove(path + ".mvcalc");
    QVERIFY(QDir().mkdir(path + ".mvcalc"));  // a folder where the file would go
    QTest::keyClick(control(w, "Text1"), Qt::Key_S, Qt::ControlModifier);
    const QList<ShownBox> failed = boxes->take();
    QVERIFY2(failed.size() == 1 && failed[0].text.startsWith("无法保存文件："),
             qPrintable(failed.isEmpty() ? QString() : failed[0].text));
    QVERIFY(w->isWindowModified());
    QVERIFY(QDir().rmdir(path + ".mvcalc"));
    write(
        QFileInfo(path).fileName() + ".mvcalc",
        R"({"format": "morvane-calculation", "version": 1, "calculator": "pile-group", "inputs": {"pileCapacity": "1000"}})");

    boxes->setAnswer(MessageBoxCatcher::Answer(answer));
    w->close();
    settle();
    const QString question = QString("「piles%1.mvcalc」中的输入已修改。是否保存？").arg(answer);
    QCOMPARE(boxes->take(), QList<ShownBox>({{"提示", question, QMessageBox::Warning, "保存,取消,不保存", "Form5"}}));
    QCOMPARE(w.isNull(), closed);
    QPointer<CalculatorWindow> again = calculatorById(u"pile-group")->make(nullptr);
    again->keeper()->openFile(path + ".mvcalc");
    QCOMPARE(control<QLineEdit>(again, "Text1")->text(), kept);
    delete again;
}

void TestCalculationFile::shouldListTheLastTenCalculations()
{
    CalculatorWindow *w = open("stability");
    for (int i = 1; i <= 12; ++i) {
        typeInto(control(w, "Text1"), QString::number(i * 100));
        setNextFileName(folder.filePath(QString("s%1.mvcalc").arg(i)));
        QTest::keyClick(control(w, "Text1"), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    setNextFileName(folder.filePath("s5.mvcalc"));  // again: to the top
    QTest::keyClick(control(w, "Text1"), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    auto *recent = control<QMenu>(w, "recentCalculations");
    emit recent->aboutToShow();
    QStringList entries;
    for (QAction *entry : recent->actions())
        entries << entry->text();
    QCOMPARE(entries,
             QStringList({"&1 s5.mvcalc", "&2 s12.mvcalc", "&3 s11.mvcalc", "&4 s10.mvcalc", "&5 s9.mvcalc",
                          "&6 s8.mvcalc", "&7 s7.mvcalc", "&8 s6.mvcalc", "&9 s4.mvcalc", "&0 s3.mvcalc"}));
    QFile::remove(folder.filePath("s12.mvcalc"));
    recent->actions().at(1)->trigger();  // a file gone: told, and forgotten
    QCOMPARE(boxes->take(),
             QList<ShownBox>{
                 warning("提示", "文件不存在：" + QDir::toNativeSeparators(folder.filePath("s12.mvcalc")), "Form4")});
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().at(1)->text(), "&2 s11.mvcalc");
    recent->actions().at(3)->trigger();
    QCOMPARE(w->windowTitle(), "s9.mvcalc[*] - 轴心受压构件稳定系数查询");
    QCOMPARE(control<QLineEdit>(w, "Text1")->text(), "900");
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().at(1)->text(), "&2 s5.mvcalc");
    QCOMPARE(recent->actions().at(0)->text(), "&1 s9.mvcalc");
}

QTEST_MAIN(TestCalculationFile)
#include "test_calculationfile.moc"
