// The calculation book of every calculator window: built at "计算" from the
// inputs as read then, copied, saved and printed from the window.

#include "boltconnectionwindow.h"
#include "endplatewindow.h"
#include "stabilitywindow.h"
#include "pilegroupwindow.h"
#include "columnwindow.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace morvane;
using namespace uitest;

class TestCalcBook : public WindowTest<>
{
    Q_OBJECT
private slots:
    void shouldHoldEveryInputAndResultAsShown_data();
    void shouldHoldEveryInputAndResultAsShown();
    void shouldStartTheBookWithTheProject();
    void shouldSaveByTheChosenFilter_data();
    void shouldSaveByTheChosenFilter();
    void shouldPrintThroughThePrintDialog();

private:
    QWidget *open(const QString &name);
    QStringList menuEntries(QWidget *frame);
    // Where a right-click on a box lands: a multi-line box's viewport.
    static QWidget *menuTarget(QWidget *box)
    {
        auto *text = qobject_cast<QPlainTextEdit *>(box);
        return text ? text->viewport() : box;
    }
    // Runs `answer` on the first modal dialog the next action opens.
    void answerNextDialog(const std::function<void(QWidget *)> &answer);
};

QWidget *TestCalcBook::open(const QString &name)
{
    if (name == "Form2")
        form = new BoltConnectionWindow;
    else if (name == "Form3")
        form = new EndPlateWindow;
    else if (name == "Form4")
        form = new StabilityWindow;
    else if (name == "Form5")
        form = new PileGroupWindow;
    else if (name == "Form6")
        form = new ColumnWindow;
    else
        qFatal("no window %s", qPrintable(name));
    if (!show(form))
        qFatal("%s did not show", qPrintable(name));
    return form;
}

QStringList TestCalcBook::menuEntries(QWidget *frame)
{
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions())
                entries << action->text() + (action->isEnabled() ? "" : " (disabled)");
            menu->close();
        }
    });
    const QPoint inside(frame->width() - 3, frame->height() - 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, frame->mapToGlobal(inside));
    QApplication::sendEvent(frame, &event);
    settle();  // a menu that popped up without a loop of its own
    if (!showActive(frame->window()))
        qFatal("the window did not come back to the front");
    return entries;
}

void TestCalcBook::answerNextDialog(const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [timer, answer] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || qobject_cast<QMessageBox *>(dialog))
            return;
        timer->deleteLater();
        timer->stop();
        QPointer<QWidget> guarded(dialog);
        answer(dialog);
        if (guarded && guarded->isVisible())  // a failed check must not leave the dialog waiting
            static_cast<QDialog *>(guarded.data())->reject();
    });
    timer->start(20);
}

void TestCalcBook::shouldHoldEveryInputAndResultAsShown_data()
{
    // clang-format off
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("entries");     // "Combo1=六排" picks, "Text3=50" types, "Option1" clicks
    QTest::addColumn<QStringList>("calculate");   // the buttons pressed, in order
    QTest::addColumn<QString>("frame");           // the results frame
    QTest::addColumn<QStringList>("inputs");      // controls whose text the book holds
    QTest::addColumn<QStringList>("results");     // result boxes whose text the book holds
    QTest::addColumn<QString>("note");            // a text the book holds besides
    QTest::addColumn<QString>("focus");           // where the focus is when the book is copied

    const QStringList boltResults{"Text10", "Text11", "Text12", "Text13", "Text14", "Text16", "Text15"};
    QTest::newRow("bolt, eight rows") << "Form2" << QStringList{} << QStringList{"Command1"} << "Frame6"
                                      << QStringList{"Combo1", "Text1", "Text2", "Text4", "Text5", "Text6", "Text7",
                                                     "Text8", "Text9", "Combo2", "Combo3", "Option2", "Option3"}
                                      << boltResults << "σ = 62000 / 50 / 6 = 206.7 N/mm² < f = 215 N/mm²" << "Combo2";
    QTest::newRow("bolt, six rows, 8.8") << "Form2" << QStringList{"Combo1=六排", "Option1", "Option6"}
                                         << QStringList{"Command1"} << "Frame6"
                                         << QStringList{"Combo1", "Text1", "Text2", "Text4", "Text5", "Text6", "Text7",
                                                        "Text8", "Text9", "Combo2", "Combo3", "Option1", "Option6"}
                                         << boltResults << "GB 50017-2003" << "Text7";
    QTest::newRow("bolt, four rows") << "Form2" << QStringList{"Combo1=四排"} << QStringList{"Command1"}
                                     << "Frame6"
                                     << QStringList{"Combo1", "Text1", "Text4", "Text5", "Text6", "Text7", "Text8",
                                                    "Text9", "Combo2", "Combo3", "Option2", "Option3"}
                                     << boltResults << "0.8P = 0.8 × 155 = 124 kN" << "Command1";
    QTest::newRow("bolt, beyond range") << "Form2" << QStringList{"Text7=1e300"} << QStringList{"Command1"}
                                        << "Frame6"
                                        << QStringList{"Combo1", "Text1", "Text2", "Text4", "Text5", "Text6", "Text8",
                                                       "Text9", "Combo2", "Combo3"}
                                        << QStringList{} << "输入数据超出计算范围，无法计算" << "Text1";
    QTest::newRow("end plate") << "Form3" << QStringList{"Check1", "Check3"} << QStringList{"Command1"} << "Frame5"
                               << QStringList{"Text1", "Text2", "Text3", "Text4", "Text5", "Combo1", "Combo2",
                                              "Option2", "Option3", "Check1"}
                               << QStringList{"Text7", "Text6"} << "CECS 102:2002" << "Combo1";
    QTest::newRow("stability") << "Form4" << QStringList{} << QStringList{"Command1", "Command2"} << "Frame2"
                               << QStringList{"Text1", "Text2", "Text3", "Combo1", "Combo2"}
                               << QStringList{"Text4", "Text5"} << "GB 50017-2003" << "Combo2";
    QTest::newRow("stability, typed slenderness")
        << "Form4" << QStringList{"Combo2=b类", "Text4=80"} << QStringList{"Command2"} << "Frame2"
        << QStringList{"Combo1", "Combo2", "Text4"} << QStringList{"Text5"} << "稳定系数 φ = 0.6878。" << "Text1";
    QTest::newRow("pile group") << "Form5" << QStringList{} << QStringList{"Command1"} << "Frame4"
                                << QStringList{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Combo1"}
                                << QStringList{"Text8"} << "扣除承台及覆土重后的桩基承载力 Rg = 2068.8 kN。" << "Text5";
    // The book writes a bar list's "直径25" as drawings do.
    QTest::newRow("column") << "Form6" << QStringList{"Combo2=直径25"} << QStringList{"Command1"} << "Frame3"
                            << QStringList{"Text1", "Text2", "Text4", "Text5"} << QStringList{"Text6"} << "Φ25"
                            << "Combo3";
    // clang-format on
}

void TestCalcBook::shouldHoldEveryInputAndResultAsShown()
{
    QFETCH(QString, form);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, calculate);
    QFETCH(QString, frame);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    QFETCH(QString, note);
    QFETCH(QString, focus);
    QWidget *w = open(form);
    auto *resultsFrame = control(w, frame);
    const QStringList disabled{"复制计算书 (disabled)", "导出计算书… (disabled)", "打印计算书… (disabled)",
                               "计算书信息…"};
    // The calculation's file first, then the book's.
    const QStringList files{"打开计算…", "保存计算", "计算另存为…", "最近的计算", ""};
    QCOMPARE(menuEntries(resultsFrame), files + disabled);
    // A result box's own menu, then the book's entries.
    for (const QString &name : results) {
        if (!resultsFrame->isAncestorOf(control(w, name)))
            continue;
        const QStringList entries = menuEntries(menuTarget(control(w, name)));
        QCOMPARE(entries.sliced(std::max<qsizetype>(0, entries.size() - 5)), QStringList{""} + disabled);
    }
    for (const QString &button : calculate)
        QVERIFY(toolTipRead(control(w, button)).contains("Ctrl+E / Ctrl+P / Ctrl+Shift+C"));

    for (const QString &entry : entries) {
        const QString name = entry.section('=', 0, 0), value = entry.section('=', 1);
        QWidget *c = control(w, name);
        if (qobject_cast<QComboBox *>(c))
            pickItem(c, value);
        else if (qobject_cast<QLineEdit *>(c))
            typeInto(c, value);
        else
            click(c);
    }
    QApplication::clipboard()->clear();
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QApplication::clipboard()->text().isEmpty());  // no book before "计算"

    for (const QString &button : calculate)
        click(control(w, button));
    boxes->take();
    const QStringList enabled{"复制计算书", "导出计算书…", "打印计算书…", "计算书信息…"};
    QCOMPARE(menuEntries(resultsFrame), files + enabled);
    for (const QString &name : results) {
        if (!resultsFrame->isAncestorOf(control(w, name)))
            continue;
        const QStringList entries = menuEntries(menuTarget(control(w, name)));
        QVERIFY2(entries.join(' ').contains("全选"), qPrintable(name + ": " + entries.join(", ")));
        QCOMPARE(entries.sliced(std::max<qsizetype>(0, entries.size() - 5)), QStringList{""} + enabled);
    }

    QStringList shown;
    for (const QString &name : inputs) {
        QWidget *c = control(w, name);
        if (auto *combo = qobject_cast<QComboBox *>(c))
            shown << combo->currentText();
        else if (auto *box = qobject_cast<QLineEdit *>(c))
            shown << box->text();
        else
            shown << qobject_cast<QAbstractButton *>(c)->text();
    }
    for (const QString &name : results) {
        if (auto *box = qobject_cast<QPlainTextEdit *>(control(w, name))) {
            shown << box->toPlainText().split('\n');
            QVERIFY2(box->toolTip().startsWith("公式："), qPrintable(name + ": " + box->toolTip()));
            QCOMPARE(toolTipLinesTooWide(box), QStringList());
            continue;
        }
        auto *box = control<QLineEdit>(w, name);
        shown << QRegularExpression("-?\\d[\\d.E+-]*").match(box->text()).captured();  // also from a sentence
        // The step behind the result, the result whole, in lines of a readable width.
        QVERIFY2(box->toolTip().startsWith("公式：") && toolTipRead(box).contains(shown.last()),
                 qPrintable(name + ": " + box->toolTip()));
        QCOMPARE(toolTipLinesTooWide(box), QStringList());
    }

    // An entry edited after "计算" is not in the book.
    typeInto(control(w, inputs.at(1)), "123.456");
    control(w, focus)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    const QString html = copied->html(), text = copied->text();
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    CalcBook named;
    named.calculator = w->windowTitle().toStdString();
    for (const QString &expected : shown + QStringList{note, QString::fromStdString(bookTitle(named))}) {
        QVERIFY2(text.contains(expected), qPrintable("plain text lacks " + expected + "\n" + text));
        QVERIFY2(html.contains(expected.toHtmlEscaped()), qPrintable("HTML lacks " + expected + "\n" + html));
    }
    QVERIFY(!text.contains("123.456"));
    QVERIFY(!html.contains("123.456"));
    QVERIFY2(boxes->unexpected().isEmpty(), qPrintable(boxes->unexpected()));
}

void TestCalcBook::shouldStartTheBookWithTheProject()
{
    QWidget *w = open("Form2");
    click(control(w, "Command1"));
    const QStringList names{"projectName", "projectNumber", "member", "designer", "checker", "approver"};
    const QStringList typed{"某厂房", "GC-01", "节点 A", "张工", "李工", "王工"};
    QString title;
    answerNextDialog([&](QWidget *dialog) {
        title = dialog->windowTitle();
        for (int i = 0; i < names.size(); ++i)
            typeInto(control(dialog, names[i]), typed[i]);
        for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
            if (button->text() == "确定")
                click(button);
        }
    });
    QAction *information = nullptr;
    for (QAction *action : control(w, "Frame6")->actions())
        information = action->text() == "计算书信息…" ? action : information;
    QVERIFY(information);
    information->trigger();
    QCOMPARE(title, "计算书信息");
    // The book made before the project was given starts with it too.
    QVERIFY(showActive(w));
    QTest::keyClick(control(w, "Text1"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    QVERIFY2(copied->html().contains(
                 "<tr><th>工程名称</th><td colspan=\"3\">某厂房</td><th>工程编号</th><td>GC-01</td></tr>"),
             qPrintable(copied->html()));
    QVERIFY2(copied->text().contains("构件/节点：节点 A\n设计：张工  校对：李工  审核：王工\n计算时间："),
             qPrintable(copied->text()));
}

void TestCalcBook::shouldSaveByTheChosenFilter_data()
{
    // clang-format off
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("existing");  // a file there before, or none
    QTest::addColumn<QString>("answer");    // to the question about it
    QTest::addColumn<QString>("written");   // the file that holds the book, or none
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("asked");         // the dialog's own question and the book's
    const QString pdf = "PDF 文件 (*.pdf)", html = "HTML 文件 (*.html)", odt = "ODT 文件 (*.odt)";
    QTest::newRow("PDF") << pdf << "book" << "" << "" << "book.pdf" << "PDF" << 0;
    QTest::newRow("ODT") << odt << "book" << "" << "" << "book.odt" << "ODT" << 0;
    QTest::newRow("PDF, .odt typed") << pdf << "book.odt" << "" << "" << "book.odt" << "ODT" << 0;
    // A suffix typed with the name wins over the filter's.
    QTest::newRow("HTML, the typed suffix wins") << html << "book.pdf" << "" << "" << "book.pdf" << "PDF" << 0;
    QTest::newRow("PDF, .html typed") << pdf << "book.html" << "" << "" << "book.html" << "HTML" << 0;
    QTest::newRow("PDF, .htm typed") << pdf << "book.htm" << "" << "" << "book.htm" << "HTML" << 0;
    // The suffix added makes the name of a file that is there: asked first.
    QTest::newRow("suffix added, exists, 否") << pdf << "precious" << "precious.pdf" << "否" << "" << "" << 1;
    QTest::newRow("suffix added, exists, Enter: 否 is the default") << pdf << "precious" << "precious.pdf" << "Enter"
                                                                << "" << "" << 1;
    QTest::newRow("suffix added, exists, 是") << pdf << "precious" << "precious.pdf" << "是" << "precious.pdf" << "PDF" << 1;
    QTest::newRow("another file of the name, not asked") << pdf << "precious" << "precious.html" << "否"
                                                         << "precious.pdf" << "PDF" << 0;
    // The name as typed is there: the dialog asks, and the book does not ask again.
    QTest::newRow("typed name exists") << pdf << "book.html" << "book.html" << "是" << "book.html" << "HTML" << 1;
    // clang-format on
}

void TestCalcBook::shouldSaveByTheChosenFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, existing);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(QString, format);
    QFETCH(int, asked);
    QWidget *w = open("Form2");
    click(control(w, "Command1"));
    QTemporaryDir folder;
    const QByteArray earlier("an earlier file");
    if (!existing.isEmpty()) {
        QFile file(folder.filePath(existing));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    }
    boxes->setAnswer(answer == "是"          ? MessageBoxCatcher::Answer::ClickYes
                         : answer == "Enter" ? MessageBoxCatcher::Answer::PressEnter
                                             : MessageBoxCatcher::Answer::ClickNo);
    QString suggested;
    answerNextDialog([&](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        QVERIFY(files);
        QCOMPARE(files->nameFilters(), QStringList({"PDF 文件 (*.pdf)", "HTML 文件 (*.html)", "ODT 文件 (*.odt)"}));
        suggested = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->selectNameFilter(filter);
        auto *name = control<QLineEdit>(files, "fileNameEdit");
        name->setText(folder.filePath(typed));  // typed whole, without the completer's pop-up
        static_cast<QDialog *>(files)->accept();
    });
    QTest::keyClick(control(w, "Text1"), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(suggested, "摩擦型高强螺栓连接计算书-" + QDate::currentDate().toString("yyyy-MM-dd") + ".pdf");
    const QList<ShownBox> shown = boxes->take();
    QCOMPARE(shown.size(), asked);
    const ShownBox question{"提示", "「" + (written.isEmpty() ? existing : written) + "」已存在。是否替换？",
                            QMessageBox::Warning, "是(&Y),否(&N)", "Form2"};
    QCOMPARE(shown.contains(question), asked == 1 && typed != existing);
    // Only the book's file is written; a file it did not replace is as it was.
    QStringList files{existing, written};
    files.removeAll(QString());
    files.removeDuplicates();
    files.sort();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), files);
    if (!existing.isEmpty() && written != existing) {
        QFile file(folder.filePath(existing));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == earlier);
    }

    // The next dialog opens in this folder, in another window too.
    delete form;
    QWidget *next = open("Form6");
    click(control(next, "Command1"));
    QString opened;
    answerNextDialog(
        [&](QWidget *dialog) { opened = qobject_cast<QFileDialog *>(dialog)->directory().canonicalPath(); });
    QTest::keyClick(control(next, "Text1"), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(opened, QDir(folder.path()).canonicalPath());

    if (written.isEmpty())
        return;
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (format == "HTML") {
        QVERIFY(QString::fromUtf8(file.readAll()).contains("<td>Nt1 = 74.5738636363636 kN</td>"));
        return;
    }
    if (format == "ODT") {
        // An OpenDocument text whose tables stay tables, with the project's header.
        QProcess unzip;
        unzip.start("unzip", {"-p", file.fileName(), "content.xml"});
        QVERIFY(unzip.waitForFinished());
        const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
        QCOMPARE(content.count("<table:table "), 3);
        QVERIFY2(content.contains("Nt1 = 74.5738636363636 kN") && content.contains("工程名称")
                     && content.contains("某厂房"),
                 qPrintable(content.left(2000)));
        return;
    }
    QVERIFY(file.read(5) == "%PDF-");
    // Every font embedded; the Chinese text searchable as written.
    QProcess fonts;
    fonts.start("pdffonts", {file.fileName()});
    QVERIFY(fonts.waitForFinished());
    const QStringList rows = QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!rows.isEmpty());
    for (const QString &row : rows)
        QVERIFY2(row.simplified().section(' ', -5, -5) == "yes", qPrintable(row));
    QProcess text;
    text.start("pdftotext", {file.fileName(), "-"});
    QVERIFY(text.waitForFinished());
    const QString extracted = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(extracted.contains("摩擦型高强螺栓连接计算书") && extracted.contains("74.5738636363636"),
             qPrintable(extracted));
    // Each page's foot: the project, the page of the pages, the program.
    QProcess laidOut;
    laidOut.start("pdftotext", {"-layout", file.fileName(), "-"});
    QVERIFY(laidOut.waitForFinished());
    const QString pages = QString::fromUtf8(laidOut.readAllStandardOutput());
    const QRegularExpression foot("某厂房 +第 ?(\\d) ?页 ?共 ?(\\d) ?页 +Morvane " MORVANE_VERSION "\n");
    QStringList feet;
    for (auto match = foot.globalMatch(pages); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        feet << found.captured(1) + "/" + found.captured(2);
    }
    QStringList expected;
    for (qsizetype page = 1; page <= std::max<qsizetype>(feet.size(), 1); ++page)
        expected << QString("%1/%2").arg(page).arg(feet.size());
    QCOMPARE(feet, expected);
}

void TestCalcBook::shouldPrintThroughThePrintDialog()
{
    QWidget *w = open("Form2");
    click(control(w, "Command1"));
    QString shown;
    answerNextDialog([&](QWidget *dialog) {
        shown = QString(dialog->metaObject()->className()) + " " + dialog->windowTitle();
        static_cast<QDialog *>(dialog)->reject();
    });
    QTest::keyClick(control(w, "Text7"), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(shown, "QPrintDialog 打印计算书");
}

QTEST_MAIN(TestCalcBook)
#include "test_calcbook.moc"
