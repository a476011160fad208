// The program's command line, typed as a person would: its own options in
// Chinese, Qt's own options still taken, and the calculations it runs
// without a window: `book` and `batch`, computed as the windows compute.

#include "calculators.h"
#include "calculatorwindow.h"
#include "cases.h"
#include "commandline.h"
#include "csv.h"
#include "editionchoice.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>


using Files = QMap<QString, QByteArray>;  // name → content; a null content: the file must not be there
using Texts = QMap<QString, QString>;     // input → text

// UTF-8 bytes as text, a byte order mark kept as U+FEFF.
static QString utf8(const QByteArray &bytes)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom).decode(bytes);
}

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { uitest::prepareLikeTheProgram(); }
    void shouldAnswerOrRefuse_data();
    void shouldAnswerOrRefuse();
    void shouldStartWithQtOptions_data();
    void shouldStartWithQtOptions();
    void shouldSeeTheChosenStyle_data();
    void shouldSeeTheChosenStyle();
    void shouldGiveTheFilesToOpen();
    void shouldComputeAsTheWindow_data();
    void shouldComputeAsTheWindow();
    void shouldShowProgressOnlyOnATerminal();
    void shouldKeepTheRowsInTheirOrder();
    void shouldHoldTheTableNotEveryRowsCells_data();
    void shouldHoldTheTableNotEveryRowsCells();
    void shouldWriteAFieldAsItIsReadBack_data();
    void shouldWriteAFieldAsItIsReadBack();
    void shouldWriteEveryLengthAndPlaceOfASpecialCharacter();

private:
    // The program started with these arguments and no display but the one
    // -platform names.
    void start(QProcess &process, const QStringList &arguments, const QString &program = MORVANE_PROGRAM);
    QTemporaryDir runtimeDir, configDir;
};

void TestCommandLine::start(QProcess &process, const QStringList &arguments, const QString &program)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_STYLE_OVERRIDE"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", runtimeDir.path());
    environment.insert("XDG_CONFIG_HOME", configDir.path());  // never the user's settings
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    QVERIFY(process.waitForStarted());
}

void TestCommandLine::shouldAnswerOrRefuse_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");
    QTest::addColumn<Files>("files");    // in the folder it runs in; "-" is its standard input
    QTest::addColumn<Files>("written");  // there afterwards; a content ending in "*" is its beginning

    const QString version = "Morvane 结构设计计算 " MORVANE_VERSION "\n";
    const QString help = QString("用法：%1 [选项] [文件…]\n"
                                 "Morvane 结构设计计算：按中国规范计算摩擦型高强螺栓连接、端板厚度、"
                                 "轴心受压构件稳定系数、桩基承载力和柱配筋率。\n"
                                 "另可使用 Qt 的通用选项，如 -platform、-style。\n"
                                 "\n"
                                 "选项：\n"
                                 "  -h, --help     显示本帮助后退出。\n"
                                 "  -v, --version  显示版本号后退出。\n"
                                 "\n"
                                 "参数：\n"
                                 "  文件             计算文件（.mvcalc），各在其计算窗口中打开。\n")
                             .arg(MORVANE_PROGRAM)
        + "\n" + morvane::calculationCommandsHelp();
    const QString seeHelp = "\n运行“morvane --help”查看可用的选项。\n";
    const QStringList offscreen{"-platform", "offscreen"};
    // --help and --version answer without a display too.
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "" << Files{} << Files{};
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << "" << Files{} << Files{};
    QTest::newRow("-version, as Qt's options are written") << QStringList{"-version", "-platform", "offscreen"} << 0
                                                          << version << "" << Files{} << Files{};
    QTest::newRow("--help") << QStringList{"--help"} << 0 << help << "" << Files{} << Files{};
    QTest::newRow("-h after a Qt option") << offscreen + QStringList{"-h"} << 0 << help << "" << Files{} << Files{};
    QTest::newRow("unknown long option") << offscreen + QStringList{"--bogus"} << 1 << ""
                                         << "morvane：未知选项“--bogus”。" + seeHelp << Files{} << Files{};
    QTest::newRow("unknown option, one dash") << offscreen + QStringList{"-bogus=1"} << 1 << ""
                                              << "morvane：未知选项“-bogus”。" + seeHelp << Files{} << Files{};
    // Without a graphical session the refusal is told too, and a plain start
    // says why no window shows instead of Qt's abort.
    QTest::newRow("unknown option, no display") << QStringList{"--bogus"} << 1 << ""
                                                << "morvane：未知选项“--bogus”。" + seeHelp << Files{} << Files{};
    QTest::newRow("no display") << QStringList{"-style", "fusion"} << 1 << ""
                                << "morvane：没有图形界面可以显示窗口（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。\n"
                                   "请在桌面环境中启动本程序，或用“-platform”选择平台。\n" << Files{} << Files{};

    // The calculations, with no display: a calculation file's book.
    const QByteArray pileFile = R"({"format": "morvane-calculation", "version": 1, "calculator": "pile-group",
                                    "inputs": {"pileCountText": "四桩", "Text1": "5"}})";
    const QString pileBook = "桩基承载力估算计算书\n计算时间：…\n\n一、输入数据\n"
                             "  L   承台长度            1000 mm\n  B   承台宽度            1000 mm\n"
                             "  H   承台高度            600 mm\n  d   承台埋深            1500 mm\n"
                             "  R   单桩桩承载力设计值  350 kN\n  γc  混凝土重度          25 kN/m³\n"
                             "  γs  土的重度            18 kN/m³\n      桩数                四桩\n\n二、计算过程\n"
                             "1. n 桩数\n   公式：n 按所选桩数\n   代入：四桩\n   结果：n = 4\n"
                             "2. qc 承台单位面积自重\n   公式：qc = γc·H / 1000\n   代入：qc = 25 × 600 / 1000\n"
                             "   结果：qc = 15 kN/m²\n3. qs 承台上覆土单位面积重\n   公式：qs = γs·(d − H) / 1000\n"
                             "   代入：qs = 18 × (1500 − 600) / 1000\n   结果：qs = 16.2 kN/m²\n4. G 承台及覆土重\n"
                             "   公式：G = L·B·(qc + qs) / 1000000\n   代入：G = 1000 × 1000 × (15 + 16.2) / 1000000\n"
                             "   结果：G = 31.2 kN\n5. Rg 扣除承台及覆土重后的桩基承载力\n   公式：Rg = n·R − G\n"
                             "   代入：Rg = 4 × 350 − 31.2\n   结果：Rg = 1368.8 kN\n\n三、结论\n"
                             "扣除承台及覆土重后的桩基承载力 Rg = 1368.8 kN。\n\n本计算书由 Morvane " MORVANE_VERSION " 生成。\n";
    auto boltFile = [](const QByteArray &inputs, const QByteArray &edition = "original") {
        return R"({"format": "morvane-calculation", "version": 1, "calculator": "bolt-connection", "edition": ")"
               + edition + R"(", "inputs": {)" + inputs + "}}";
    };
    const QString seeUsage = "\n运行“morvane --help”查看用法。\n";
    QTest::newRow("book: its text on standard output") << QStringList{"book", "p.mvcalc", "-o", "-"} << 0 << pileBook
        << "" << Files{{"p.mvcalc", pileFile}} << Files{};
    QTest::newRow("book: text, HTML and PDF by the suffix") << QStringList{"book", "p.mvcalc", "-o", "p.txt"} << 0 << ""
        << "" << Files{{"p.mvcalc", pileFile}} << Files{{"p.txt", pileBook.toUtf8()}};
    QTest::newRow("book: PDF") << QStringList{"book", "p.mvcalc", "--output", "p.pdf"} << 0 << "" << ""
        << Files{{"p.mvcalc", pileFile}} << Files{{"p.pdf", "%PDF-*"}};
    QTest::newRow("book: a field check refuses") << QStringList{"book", "b.mvcalc", "-o", "b.pdf"} << 2 << ""
        << "morvane：b.mvcalc：e1: e1不得小于等于0\n" << Files{{"b.mvcalc", boltFile(R"("e1": "0")")}}
        << Files{{"b.pdf", {}}};
    QTest::newRow("book: not one number") << QStringList{"book", "b.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：b.mvcalc：tw: 「8O」不是一个数，请改正\n" << Files{{"b.mvcalc", boltFile(R"("tw": "8O")")}} << Files{};
    QTest::newRow("book: a text no list shows") << QStringList{"book", "b.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：b.mvcalc：rows: 「五排」不是可选的值，应为四排、六排或八排\n"
        << Files{{"b.mvcalc", boltFile(R"("rows": "五排")")}} << Files{};
    const QString wireBrushedQ420 = "morvane：b.mvcalc：surfaceTreatment: Q420钢材的摩擦面不应采用钢丝刷清除浮锈或未经处理的干净轧制面\n";
    const QByteArray q420 = R"("steelGrade": "Q420", "surfaceTreatment": "Option6")";
    QTest::newRow("book: the file's current edition") << QStringList{"book", "b.mvcalc", "-o", "-"} << 2 << ""
        << wireBrushedQ420 << Files{{"b.mvcalc", boltFile(q420, "current")}} << Files{};
    QTest::newRow("book: --edition over the file's") << QStringList{"book", "b.mvcalc", "-o", "b.txt", "--edition", "current"}
        << 2 << "" << wireBrushedQ420 << Files{{"b.mvcalc", boltFile(q420)}} << Files{{"b.txt", {}}};
    QTest::newRow("book: --edition original over the file's") << QStringList{"book", "b.mvcalc", "-o", "b.txt", "--edition",
        "original"} << 0 << "" << "" << Files{{"b.mvcalc", boltFile(q420, "current")}} << Files{{"b.txt", "摩擦型高强螺栓连接计算书*"}};
    QTest::newRow("book: no such file") << QStringList{"book", "none.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：none.mvcalc：文件不存在\n" << Files{} << Files{};
    QTest::newRow("book: too large") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件大于1 MiB，不是本程序的计算文件\n" << Files{{"x.mvcalc", QByteArray((1 << 20) + 1, ' ')}}
        << Files{};
    QTest::newRow("book: not JSON") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件不是JSON格式，不是本程序的计算文件\n" << Files{{"x.mvcalc", "e1=40"}} << Files{};
    QTest::newRow("book: another format") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件不是本程序的计算文件\n" << Files{{"x.mvcalc", R"({"format": "other"})"}} << Files{};
    QTest::newRow("book: a newer version") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件由较新版本的程序保存（格式版本2），请升级本程序后再打开\n"
        << Files{{"x.mvcalc", R"({"format": "morvane-calculation", "version": 2})"}} << Files{};
    QTest::newRow("book: an unknown calculator") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件中的计算类型「truss」无法识别\n"
        << Files{{"x.mvcalc", R"({"format": "morvane-calculation", "version": 1, "calculator": "truss"})"}} << Files{};
    QTest::newRow("book: an unknown edition") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件中的设计规范「2030」无法识别\n" << Files{{"x.mvcalc", boltFile("", "2030")}} << Files{};
    QTest::newRow("book: a value of the wrong type") << QStringList{"book", "x.mvcalc", "-o", "-"} << 2 << ""
        << "morvane：x.mvcalc：文件中「e1」的值类型不正确\n" << Files{{"x.mvcalc", boltFile(R"("e1": 40)")}} << Files{};
    QTest::newRow("book: no output named") << QStringList{"book", "p.mvcalc"} << 2 << ""
        << "morvane：book 需要一个计算文件和“-o 输出文件”。" + seeUsage << Files{{"p.mvcalc", pileFile}} << Files{};
    QTest::newRow("book: an unknown suffix") << QStringList{"book", "p.mvcalc", "-o", "p.doc"} << 2 << ""
        << "morvane：输出文件“p.doc”的后缀应为 .pdf、.html、.odt 或 .txt。" + seeUsage << Files{{"p.mvcalc", pileFile}}
        << Files{};
    QTest::newRow("batch: an unknown option") << QStringList{"batch", "column", "c.csv", "-o", "o.csv", "--books"} << 2
        << "" << "morvane：未知选项“--books”。" + seeUsage << Files{} << Files{};
    QTest::newRow("book --help") << QStringList{"book", "--help"} << 0 << morvane::calculationCommandsHelp() << ""
        << Files{} << Files{};

    // A spreadsheet: written with a byte order mark and CR LF, the missing columns at the windows' defaults.
    const QByteArray bom = "\xEF\xBB\xBF";
    QTest::newRow("batch --template") << QStringList{"batch", "column", "--template"} << 0
        << utf8(bom + "width,height,cornerDiameter,bCount,bDiameter,hCount,hDiameter\r\n400,400,直径20,2,直径20,2,直径20\r\n")
        << "" << Files{} << Files{};
    QTest::newRow("batch: a refused row among computed ones") << QStringList{"batch", "pile-group", "r.csv", "-o", "o.csv"}
        << 1 << "" << "" << Files{{"r.csv", "L,pileCountText\n1000,四桩\n0,四桩\n\n1000,五根\n"}}
        << Files{{"o.csv", bom + "L,B,H,capDepth,pileCapacity,concreteWeight,soilWeight,pileCountText,capacity,message\r\n"
                             "1000,1000,600,1500,350,25,18,四桩,1368.8,\r\n"
                             "0,1000,600,1500,350,25,18,四桩,,L: 承台长度不得小于等于0\r\n"
                             "1000,1000,600,1500,350,25,18,五根,,pileCountText: 桩数应从列表中选择\r\n"}};
    QTest::newRow("batch: quoted commas and line breaks") << QStringList{"batch", "column", "c.csv", "-o", "o.csv"} << 0
        << "" << "" << Files{{"c.csv", "name,width,hDiameter\r\n\"C1, 角柱\",400,直径20\r\n\"C2\n中\"\"柱\",300,\"直径25\"\r\n"}}
        << Files{{"o.csv", bom + "name,width,height,cornerDiameter,bCount,bDiameter,hCount,hDiameter,report,verdict.ratio,"
                                 "message\r\n\"C1, 角柱\",400,400,直径20,2,直径20,2,直径20,\"一.计算得该柱配筋率为：2.36%\n"
                                 "二.采用普通箍即可\",满足,\r\n\"C2\n中\"\"柱\",300,400,直径20,2,直径20,2,直径25,"
                                 "\"一.计算得该柱配筋率为：3.73%\n二.柱配筋率大于3%，需采用焊接封闭箍\",不满足,\r\n"}};
    QTest::newRow("batch: semicolons") << QStringList{"batch", "end-plate", "e.csv", "-o", "o.csv"} << 0 << "" << ""
        << Files{{"e.csv", "b;cantilever;plateEnd\n200;是;Option4\n300;否;端板外伸\n"}}
        << Files{{"o.csv", bom + "b;bs;a;ef;ew;steelGrade;boltSize;boltGrade;cantilever;noStiffener;twoSide;threeSide;"
                                 "plateEnd;Ntb;thickness;message\r\n200;100;80;40;50;Q235;M20;10.9级;是;否;否;否;Option4;"
                                 "124;此端板的最小厚度为26.94167mm;\r\n300;100;80;40;50;Q235;M20;10.9级;否;否;否;否;端板外伸;"
                                 "124;此端板的最小厚度为16mm;\r\n"}};
    QTest::newRow("batch: a byte order mark; a slenderness computed or given") << QStringList{"batch", "stability",
        "s.csv", "-o", "o.csv"} << 0 << "" << "" << Files{{"s.csv", bom + "length,slenderness,sectionClass\n6000,,b类\n0,,a类\n,80,c类"}}
        << Files{{"o.csv", bom + "length,inertia,sectionArea,slenderness,steelGrade,sectionClass,coefficient,message\r\n"
                                 "6000,20000,10000,42.4264068711929,Q235,b类,.8889,\r\n"
                                 "0,20000,10000,0,Q235,a类,1,length: 构件的计算长度不得<=0\r\n"
                                 ",20000,10000,80,Q235,c类,.5781,\r\n"}};
    // Under the current edition: its treatments by name, its combined check, its refusals.
    const QByteArray boltHeader = "rows,e1,e2,e3,ef,ew,tw,steelGrade,boltSize,boltGrade,M,V,amplification,surfaceTreatment";
    QTest::newRow("batch: --template, current edition") << QStringList{"batch", "bolt-connection", "--template",
        "--edition", "current"} << 0 << utf8(bom + boltHeader + "\r\n八排,40,80,,40,50,6,Q235,M20,10.9级,105,720,1,Option3\r\n")
        << "" << Files{} << Files{};
    QTest::newRow("batch: current edition") << QStringList{"batch", "bolt-connection", "-", "-o", "-", "--edition", "current"}
        << 1 << utf8(bom + boltHeader + ",mu,Nt1,Nv1,Nbv1,P,nt2,verdict,verdict.tension,verdict.shear,verdict.web,message\r\n"
                 "八排,40,80,,40,50,6,Q345,M20,10.9级,105,300,1,Option4,0.4,74.5738636363636,18.75,55.8,155,44.7443181818182,"
                 "\"一.螺栓的抗拉及抗剪承载力均满足要求（Nv/Nvb+Nt/Ntb=0.94≤1.0）.\n二.腹板强度满足\",满足,满足,满足,\r\n"
                 "八排,40,80,,40,50,6,Q420,M20,10.9级,105,300,1,Option6,,,,,,,,,,,surfaceTreatment: Q420钢材的摩擦面不应采用"
                 "钢丝刷清除浮锈或未经处理的干净轧制面\r\n"
                 "八排,40,80,,40,50,6,Q235,M20,10.9级,105,300,1,Option5,,,,,,,,,,,surfaceTreatment: 「Option5」不是可选的值，"
                 "应为Option3、Option4或Option6\r\n")
        << "" << Files{{"-", "steelGrade,surfaceTreatment,V\nQ345,Option4,300\nQ420,Option6,300\nQ235,Option5,300\n"}}
        << Files{};
    QTest::newRow("batch: standard input and output") << QStringList{"batch", "bolt-connection", "-", "-o", "-"} << 0
        << utf8(bom + "rows,e1,e2,e3,ef,ew,tw,steelGrade,boltSize,boltGrade,M,V,amplification,surfaceTreatment,mu,Nt1,Nv1,Nbv1,"
                 "P,nt2,verdict,verdict.tension,verdict.shear,verdict.web,message\r\n四排,40,,,40,50,6,Q235,M20,Option1,105,"
                 "720,1,Option3,0.45,196.875,90,-49.042967450805,125,0,\"一.Nt1>=0.8P，螺栓的抗拉承载力不满足，请重新布置螺栓"
                 "或选择螺栓.\n二.腹板强度满足\",不满足,,满足,\r\n")
        << "" << Files{{"-", "rows,e2,boltGrade,boltSize,M\n四排,-5,Option1,M20,105\n"}} << Files{};
    QTest::newRow("batch: books by name or row") << QStringList{"batch", "pile-group", "n.csv", "-o", "o.csv",
        "--book-dir", "books"} << 1 << "" << "" << Files{{"n.csv", "name,L\nP/1,1000\n,1000\nP3,0\nCON,1000\nnul.x,1000\n"}}
        << Files{{"books/P_1.pdf", "%PDF-*"}, {"books/2.pdf", "%PDF-*"}, {"books/P3.pdf", {}},
                 {"books/CON_.pdf", "%PDF-*"}, {"books/nul_.x.pdf", "%PDF-*"}};
    QTest::newRow("batch: an unknown column") << QStringList{"batch", "pile-group", "u.csv", "-o", "o.csv"} << 2 << ""
        << "morvane：u.csv：表头中的“l”不是 pile-group 的输入（输入为 L、B、H、capDepth、pileCapacity、concreteWeight、"
           "soilWeight、pileCountText）\n" << Files{{"u.csv", "l\n1000\n"}} << Files{{"o.csv", {}}};
    QTest::newRow("batch: not UTF-8") << QStringList{"batch", "pile-group", "g.csv", "-o", "o.csv"} << 2 << ""
        << "morvane：g.csv：第2行不是 UTF-8 编码（也许是 GBK），请存为“CSV UTF-8（逗号分隔）”。\n"
        << Files{{"g.csv", "pileCountText\n\xCB\xC4\xD7\xAE\n"}} << Files{{"o.csv", {}}};
    QTest::newRow("batch: a quote left open") << QStringList{"batch", "pile-group", "q.csv", "-o", "o.csv"} << 2 << ""
        << "morvane：q.csv：第3行的引号没有闭合\n" << Files{{"q.csv", "L\n1000\n\"1000\n"}} << Files{{"o.csv", {}}};
    // Found after rows already computed: none of them is written.
    const QByteArray openLate = "L\n" + QByteArray("1000\n").repeated(1200) + "\"1000\n";
    QTest::newRow("batch: a quote left open after 1200 rows") << QStringList{"batch", "pile-group", "q.csv", "-o", "o.csv"}
        << 2 << "" << "morvane：q.csv：第1202行的引号没有闭合\n" << Files{{"q.csv", openLate}} << Files{{"o.csv", {}}};
    QTest::newRow("batch: an output that cannot be written") << QStringList{"batch", "pile-group", "q.csv", "-o",
        "none/o.csv"} << 2 << "" << "morvane：none/o.csv：无法写入文件\n" << Files{{"q.csv", "L\n1000\n"}} << Files{};
    // Refused in the last of several blocks, whichever thread computes it.
    QTest::newRow("batch: a refused row after 2999") << QStringList{"batch", "pile-group", "r.csv", "-o", "o.csv"} << 1
        << "" << "" << Files{{"r.csv", "L\n" + QByteArray("1000\n").repeated(2999) + "0\n"}} << Files{};
    QTest::newRow("batch: a quote left open, standard output") << QStringList{"batch", "pile-group", "-", "-o", "-"} << 2
        << "" << "morvane：-：第1202行的引号没有闭合\n" << Files{{"-", openLate}} << Files{};
    QTest::newRow("batch: an unknown calculator") << QStringList{"batch", "truss", "q.csv", "-o", "o.csv"} << 2 << ""
        << "morvane：未知的计算类型“truss”：应为 bolt-connection、end-plate、stability、pile-group、column。" + seeUsage
        << Files{} << Files{};
    // clang-format on
}

void TestCommandLine::shouldAnswerOrRefuse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFETCH(Files, files);
    QFETCH(Files, written);

    QTemporaryDir folder;
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        QFile made(folder.filePath(file.key()));
        QVERIFY(file.key() == "-" || (made.open(QIODevice::WriteOnly) && made.write(file.value()) == file->size()));
    }
    QProcess process;
    process.setWorkingDirectory(folder.path());
    start(process, arguments);
    process.write(files.value("-"));
    process.closeWriteChannel();
    // Answers at once; a main window would keep it running.
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    // A book is dated when it is made.
    const QRegularExpression madeAt("计算时间：\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d");
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), error);
    QCOMPARE(utf8(process.readAllStandardOutput()).replace(madeAt, "计算时间：…"), output);
    QCOMPARE(process.exitCode(), exitCode);
    for (auto file = written.cbegin(); file != written.cend(); ++file) {
        QFile made(folder.filePath(file.key()));
        QVERIFY2(made.exists() == !file->isNull(), qPrintable(file.key()));
        if (file->isNull())
            continue;
        QVERIFY(made.open(QIODevice::ReadOnly));
        const QString text = utf8(made.readAll()).replace(madeAt, "计算时间：…");
        if (file->endsWith('*'))
            QVERIFY2(text.startsWith(utf8(file->chopped(1))), qPrintable(file.key()));
        else
            QCOMPARE(text, utf8(file.value()));
    }
}

void TestCommandLine::shouldStartWithQtOptions_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("-platform") << QStringList{"-platform", "offscreen"};
    QTest::newRow("-style fusion") << QStringList{"-platform", "offscreen", "-style", "fusion"};
    QTest::newRow("-style=windows") << QStringList{"-style=windows", "-platform", "offscreen"};
    QTest::newRow("-qwindowtitle") << QStringList{"-platform", "offscreen", "-qwindowtitle", "Morvane"};
    // A file to open: the main window shows, and the box about the file.
    QTest::newRow("a file to open") << QStringList{"-platform", "offscreen", "report.mvcalc"};
    // clang-format on
}

void TestCommandLine::shouldStartWithQtOptions()
{
    QFETCH(QStringList, arguments);

    QProcess process;
    start(process, arguments);
    // Still running with its main window after a while.
    QVERIFY2(!process.waitForFinished(1000), qPrintable(process.readAllStandardError()));
    process.kill();
    QVERIFY(process.waitForFinished());
}

void TestCommandLine::shouldSeeTheChosenStyle_data()
{
    // clang-format off
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QString>("style");
    QTest::newRow("-style NAME") << QByteArrayList{"morvane", "-style", "windows"} << "windows";
    QTest::newRow("-style=NAME") << QByteArrayList{"morvane", "-platform", "offscreen", "-style=windows"}
                                 << "windows";
    QTest::newRow("--style NAME") << QByteArrayList{"morvane", "--style", "fusion", "-v"} << "fusion";
    QTest::newRow("none") << QByteArrayList{"morvane", "-platform", "offscreen"} << "";
    QTest::newRow("-style without a name") << QByteArrayList{"morvane", "-style"} << "";
    QTest::newRow("-stylesheet is another option") << QByteArrayList{"morvane", "-stylesheet", "a.qss"} << "";
    // Set before the program name, as a shell takes it: the environment.
    QTest::newRow("QT_STYLE_OVERRIDE") << QByteArrayList{"QT_STYLE_OVERRIDE=windows", "morvane"} << "windows";
    QTest::newRow("-style wins over QT_STYLE_OVERRIDE")
        << QByteArrayList{"QT_STYLE_OVERRIDE=windows", "morvane", "-style", "fusion"} << "fusion";
    // clang-format on
}

void TestCommandLine::shouldSeeTheChosenStyle()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(QString, style);

    qunsetenv("QT_STYLE_OVERRIDE");
    std::vector<const char *> argv;
    for (const QByteArray &argument : arguments) {
        if (argv.empty() && argument.contains('='))
            qputenv(argument.left(argument.indexOf('=')), argument.mid(argument.indexOf('=') + 1));
        else
            argv.push_back(argument.constData());
    }
    QCOMPARE(morvane::chosenStyle(int(argv.size()), argv.data()), style);
    qunsetenv("QT_STYLE_OVERRIDE");
}

void TestCommandLine::shouldGiveTheFilesToOpen()
{
    QStringList files;
    QCOMPARE(morvane::handleCommandLine({"morvane", "a.mvcalc", "计算/b.mvcalc"}, false, &files), std::nullopt);
    QCOMPARE(files, QStringList({"a.mvcalc", "计算/b.mvcalc"}));
}

void TestCommandLine::shouldComputeAsTheWindow_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<Texts>("texts");  // the others at the window's defaults
    QTest::addColumn<int>("edition");  // Edition: original unless told
    for (const char *id : {"bolt-connection", "end-plate", "stability", "pile-group", "column"}) {
        QTest::addRow("%s as it opens", id) << id << Texts{} << 0;
        QTest::addRow("%s as it opens, current", id) << id << Texts{} << 1;
    }
    // clang-format off
    QTest::newRow("bolt: refused e1") << "bolt-connection" << Texts{{"e1", "0"}} << 0;
    QTest::newRow("bolt: not one number") << "bolt-connection" << Texts{{"M", "8O"}, {"e1", "1,5"}} << 0;
    QTest::newRow("bolt: four rows empty e2") << "bolt-connection" << Texts{{"rows", "四排"}, {"e2", "-5"}, {"e3", "-5"}} << 0;
    QTest::newRow("bolt: six rows, 8.8级, wire-brushed Q420") << "bolt-connection" << Texts{{"rows", "六排"}, {"e3", "-5"},
        {"boltGrade", "8.8级"}, {"steelGrade", "Q420"}, {"surfaceTreatment", "Option6"}, {"amplification", "2"}} << 0;
    QTest::newRow("end plate: classes ticked, flush") << "end-plate" << Texts{{"cantilever", "是"}, {"twoSide", "是"},
        {"threeSide", "是"}, {"plateEnd", "端板平齐"}, {"boltGrade", "Option1"}, {"bs", "300"}} << 0;
    QTest::newRow("end plate: unlisted bolt") << "end-plate" << Texts{{"boltSize", "M18"}} << 0;
    QTest::newRow("end plate: unlisted steel") << "end-plate" << Texts{{"steelGrade", "Q460"}, {"noStiffener", "是"}} << 0;
    QTest::newRow("stability: slenderness given") << "stability" << Texts{{"slenderness", "80"}, {"sectionClass", "c类"},
        {"length", "x"}} << 0;
    QTest::newRow("stability: I raised") << "stability" << Texts{{"inertia", "0"}, {"steelGrade", "Q390"}} << 0;
    QTest::newRow("stability: unlisted steel") << "stability" << Texts{{"steelGrade", "Q420"}} << 0;
    QTest::newRow("pile group: depth above the cap") << "pile-group" << Texts{{"capDepth", "500"}} << 0;
    QTest::newRow("pile group: typed count") << "pile-group" << Texts{{"pileCountText", "6"}} << 0;
    QTest::newRow("pile group: depth at its bound") << "pile-group" << Texts{{"capDepth", "50"}, {"H", "10"}} << 0;
    QTest::newRow("column: half a bar") << "column" << Texts{{"bCount", "1.5"}} << 0;
    QTest::newRow("column: welded hoops") << "column" << Texts{{"height", "313.9"}, {"hDiameter", "直径25"}} << 0;
    QTest::newRow("current: bolt, the defaults' combined check") << "bolt-connection" << Texts{{"V", "300"}} << 1;
    QTest::newRow("current: bolt, wire-brushed Q420 refused") << "bolt-connection"
        << Texts{{"steelGrade", "Q420"}, {"surfaceTreatment", "Option6"}} << 1;
    QTest::newRow("current: bolt, shot-blasted by caption") << "bolt-connection"
        << Texts{{"surfaceTreatment", "抛丸（喷砂）"}, {"steelGrade", "Q345"}} << 1;
    QTest::newRow("current: end plate under an M30") << "end-plate" << Texts{{"boltSize", "M30"}} << 1;
    QTest::newRow("current: stability, Q460 class d") << "stability"
        << Texts{{"steelGrade", "Q460"}, {"sectionClass", "d类"}} << 1;
    // clang-format on
}

// The same texts in the window and in a case: the same results in the
// window's boxes, the same refusal in its warning box.
void TestCommandLine::shouldComputeAsTheWindow()
{
    QFETCH(QString, calculator);
    QFETCH(Texts, texts);
    QFETCH(int, edition);
    const auto chosen = morvane::Edition(edition);
    morvane::chooseEdition(chosen);

    const morvane::CaseCalculator &calculation = *morvane::CaseCalculator::byId(calculator.toStdString());
    std::unique_ptr<morvane::CalculatorWindow> window(morvane::calculatorById(calculator)->make(nullptr));
    const QMap<QString, QString> opened = window->inputTexts();
    morvane::InputTextMap caseTexts;
    for (std::size_t i = 0; i < calculation.inputs().size(); ++i) {
        const QString name = QString::fromUtf8(calculation.inputs()[i]);
        QCOMPARE(QString::fromStdString(calculation.defaults(chosen)[i]), opened.value(name));
        const std::string text = texts.value(name, opened.value(name)).toStdString();
        std::string_view shown = text;
        QCOMPARE(calculation.refusalOfText(i, shown, chosen), std::string());
        caseTexts.texts[name.toStdString()] = shown;
    }
    QCOMPARE(opened.size(), qsizetype(calculation.inputs().size()));
    const morvane::CaseOutcome outcome = calculation.compute(caseTexts, chosen, false);

    QVERIFY(uitest::showActive(window.get()));
    QCOMPARE(window->setInputTexts(texts), QStringList());
    uitest::MessageBoxCatcher boxes;
    // Each "计算" in turn; the stability window's first only for a slenderness not given.
    bool firstButton = true;
    for (const morvane::ControlRow &row : window->table().controls) {
        if (row.duty != morvane::Duty::Calculate)
            continue;
        if (!std::exchange(firstButton, false) || calculator != "stability" || texts.value("slenderness").isEmpty()) {
            uitest::click(window->findChild<QWidget *>(row.name));
            uitest::settle();
        }
    }
    QStringList told;
    for (const uitest::ShownBox &box : boxes.take())
        told << box.text;
    const QString refusal = QString::fromStdString(outcome.refusal).section(": ", -1);
    const QString warning = QString::fromStdString(outcome.warning).section(": ", -1);
    QCOMPARE(told, (QStringList{warning, refusal}.filter(QRegularExpression(".+"))));
    for (std::size_t i = 0; i < calculation.results().size() && outcome.refusal.empty(); ++i) {
        QWidget *box = nullptr;
        for (const morvane::ControlRow &row : window->table().controls) {
            if (row.shows && calculation.results()[i] == row.shows)
                box = window->findChild<QWidget *>(row.name);
        }
        const auto *line = qobject_cast<QLineEdit *>(box);
        QCOMPARE(line ? line->text() : qobject_cast<QPlainTextEdit *>(box)->toPlainText(),
                 QString::fromStdString(outcome.results[i]));
    }
}

void TestCommandLine::shouldShowProgressOnlyOnATerminal()
{
    // Long enough for the line to show: a book a row.
    QTemporaryDir folder;
    QFile sheet(folder.filePath("n.csv"));
    QVERIFY(sheet.open(QIODevice::WriteOnly) && sheet.write("L\n" + QByteArray("1000\n").repeated(30)) > 0);
    sheet.close();
    const QStringList arguments{"batch", "pile-group", "n.csv", "-o", "o.csv", "--book-dir", "books"};
    QProcess piped;
    piped.setWorkingDirectory(folder.path());
    start(piped, arguments);
    QVERIFY(piped.waitForFinished(120000));
    QCOMPARE(piped.readAllStandardError(), QByteArray());
    QCOMPARE(piped.exitCode(), 0);

    // `script` (util-linux) runs it on a terminal of its own.
    if (QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("script is missing: apt-get install util-linux");
    QProcess terminal;
    terminal.setWorkingDirectory(folder.path());
    start(terminal, {"-qec", QString("'%1' %2").arg(MORVANE_PROGRAM, arguments.join(' ')), "/dev/null"}, "script");
    QVERIFY(terminal.waitForFinished(120000));
    const QString shown = QString::fromUtf8(terminal.readAllStandardOutput());
    QVERIFY2(shown.contains("\r已计算 ") && shown.contains("已计算 30 / 30 行\r\n"), qPrintable(shown));
}

// Enough rows to be computed in parts side by side: written in their order, each computed.
void TestCommandLine::shouldKeepTheRowsInTheirOrder()
{
    QTemporaryDir folder;
    QFile sheet(folder.filePath("n.csv"));
    QByteArray rows = "L\n";
    for (int i = 0; i < 9000; ++i)
        rows += QByteArray::number(1000 + i) + '\n';
    QVERIFY(sheet.open(QIODevice::WriteOnly) && sheet.write(rows) == rows.size());
    sheet.close();
    QProcess process;
    process.setWorkingDirectory(folder.path());
    start(process, {"batch", "pile-group", "n.csv", "-o", "o.csv"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QFile written(folder.filePath("o.csv"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    QCOMPARE(lines.size(), 9000 + 2);  // the header, the rows, nothing after the last line end
    for (int i = 0; i < 9000; ++i) {
        const QList<QByteArray> cells = lines[i + 1].split(',');
        QCOMPARE(cells.first(), QByteArray::number(1000 + i));
        QCOMPARE(cells.at(8), QByteArray::number(2100 - (1000 + i) * 0.0312, 'g', 15));
    }
}

// A long table is read ahead of the computing only so far: the batch's peak
// memory is the program's own, the table's bytes and a few blocks of rows,
// not an index of every row's cells (some four times the table). Measured
// by the program's own peak resident set size, on Linux; not in the
// sanitizer build, whose allocator holds freed memory back.
void TestCommandLine::shouldHoldTheTableNotEveryRowsCells_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("a file") << "o.csv";
    // Not held whole either: the table is read through once before.
    QTest::newRow("standard output") << "-";
}

void TestCommandLine::shouldHoldTheTableNotEveryRowsCells()
{
#if !defined(MORVANE_PEAK_MEMORY) || defined(MORVANE_ADDRESS_SANITIZER)
    QSKIP("measured by the resident set size of a Linux Release build");
#else
    QTemporaryDir folder;
    QByteArray header = "e1,e2,ef,ew,tw,M,V\n", row = ",80,40,50,6,105,720\n";
    constexpr int kRows = 300000;
    const auto write = [&](const QString &name, int rows) {
        QByteArray table = header;
        table.reserve(rows * (row.size() + 4));
        for (int i = 0; i < rows; ++i)
            table += QByteArray::number(40 + i % 997) + row;
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(table) == table.size() ? qint64(table.size()) : -1;
    };
    // The program's peak in KiB, run as `start` runs it, and its exit code.
    QFETCH(QString, output);
    const QByteArray records = folder.filePath("o.csv").toLocal8Bit();
    const auto peak = [&](const QString &in) {
        QProcess process;
        start(process,
              {output == "-" ? QString(records) : QString(), MORVANE_PROGRAM, "batch", "bolt-connection",
               folder.filePath(in), "-o", output == "-" ? output : QString(records)},
              MORVANE_PEAK_MEMORY);
        const QList<QByteArray> measured = process.waitForFinished(60000) && process.exitCode() == 0
            ? process.readAllStandardOutput().trimmed().split(' ')
            : QList<QByteArray>{"-1", "-1"};
        return std::pair<long, int>(measured.value(0).toLong(), measured.value(1).toInt());
    };
    QVERIFY(write("one.csv", 1) > 0);
    const qint64 tableBytes = write("long.csv", kRows);
    QVERIFY(tableBytes > 0);
    const auto [alone, aloneExit] = peak("one.csv");
    const auto [withTable, exitCode] = peak("long.csv");
    QCOMPARE(aloneExit, 0);
    QCOMPARE(exitCode, 0);
    // The rows' cells held at once would add 16 bytes a cell, 7 cells a
    // row: some 32 MiB here, against the table's 7 MiB.
    const long allowedKiB = alone + long(tableBytes / 1024) + 12 * 1024;
    QVERIFY2(withTable <= allowedKiB,
             qPrintable(QString("peak %1 KiB, at most %2 KiB").arg(withTable).arg(allowedKiB)));
    // Written whole and in order, the rows computed while reading too.
    QFile written(records);
    QVERIFY(written.open(QIODevice::ReadOnly));
    morvane::CsvReader reader(written.readAll().toStdString());
    std::vector<std::string_view> fields;
    QVERIFY(reader.next(fields));  // the header
    int count = 0;
    while (reader.next(fields) && fields.at(1) == std::to_string(40 + count % 997) && fields.back().empty())
        ++count;
    QCOMPARE(count, kRows);  // none out of its place or refused
#endif
}

// A written record, byte for byte: a field is quoted only when it holds a
// separator, a quote or a line break, wherever it holds it.
void TestCommandLine::shouldWriteAFieldAsItIsReadBack_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("a number") << "74.5738636363636" << "74.5738636363636";
    QTest::newRow("a comma in the second eight") << "12345678,9" << "\"12345678,9\"";
    QTest::newRow("a semicolon last of sixteen") << "123456789012345;" << "\"123456789012345;\"";
    QTest::newRow("a quote first") << "\"ab" << "\"\"\"ab\"";
    QTest::newRow("quotes first and last of 33") << "\"" + QString(31, 'x') + "\""
        << "\"\"\"" + QString(31, 'x') + "\"\"\"";
    QTest::newRow("a carriage return alone") << "a\rb" << "\"a\rb\"";
    QTest::newRow("Chinese without a separator") << "一.螺栓的抗拉承载力满足要求" << "一.螺栓的抗拉承载力满足要求";
    QTest::newRow("Chinese with a line break") << "一.满足\n二.腹板强度满足" << "\"一.满足\n二.腹板强度满足\"";
    // clang-format on
}

void TestCommandLine::shouldWriteAFieldAsItIsReadBack()
{
    QFETCH(QString, field);
    QFETCH(QString, written);
    const std::string bytes = field.toStdString();
    std::string record = "before";
    morvane::appendCsvRecord(record, {"x", bytes}, ',');
    QCOMPARE(QString::fromStdString(record), "beforex," + written + "\r\n");
    morvane::CsvReader reader(record.substr(6));
    std::vector<std::string_view> fields;
    QVERIFY(reader.next(fields));
    QCOMPARE(fields.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(std::string(fields[1])), field);
}

// Fields of every length up to 70, plain or with one special character at
// every place: each is read back as it was, quoted exactly when it must be.
void TestCommandLine::shouldWriteEveryLengthAndPlaceOfASpecialCharacter()
{
    for (std::size_t length = 0; length <= 70; ++length) {
        for (std::size_t place = 0; place <= length; ++place) {
            for (const char special : {',', ';', '"', '\r', '\n'}) {
                std::string field;
                for (std::size_t i = 0; i < length; ++i)
                    field += char('a' + i % 26);
                if (place < length)
                    field[place] = special;
                std::string record;
                morvane::appendCsvRecord(record, {field, "end"}, ';');
                morvane::CsvReader reader(record, ';');
                std::vector<std::string_view> fields;
                const QByteArray where = QByteArray::number(qulonglong(length)) + " bytes, special at "
                    + QByteArray::number(qulonglong(place));
                QVERIFY2(reader.next(fields) && fields.size() == 2 && fields[0] == field && fields[1] == "end",
                         where.constData());
                QVERIFY2((record.front() == '"') == (place < length), where.constData());
                if (place == length)
                    break;  // the plain field once
            }
        }
    }
}

QTEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
