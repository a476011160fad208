// The program's command line, typed as a person would: its own options in
// Chinese, Qt's own options still taken.

#include "commandline.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void shouldAnswerOrRefuse_data();
    void shouldAnswerOrRefuse();
    void shouldStartWithQtOptions_data();
    void shouldStartWithQtOptions();
    void shouldSeeTheChosenStyle_data();
    void shouldSeeTheChosenStyle();
    void shouldGiveTheFilesToOpen();

private:
    // The program started with these arguments and no display but the one
    // -platform names.
    void start(QProcess &process, const QStringList &arguments);
    QTemporaryDir runtimeDir;
};

void TestCommandLine::start(QProcess &process, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_STYLE_OVERRIDE"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", runtimeDir.path());
    process.setProcessEnvironment(environment);
    process.start(MORVANE_PROGRAM, arguments);
    QVERIFY(process.waitForStarted());
}

void TestCommandLine::shouldAnswerOrRefuse_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");

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
                             .arg(MORVANE_PROGRAM);
    const QString seeHelp = "\n运行“morvane --help”查看可用的选项。\n";
    const QStringList offscreen{"-platform", "offscreen"};
    // --help and --version answer without a display too.
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << "";
    QTest::newRow("-version, as Qt's options are written") << QStringList{"-version", "-platform", "offscreen"} << 0
                                                          << version << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << help << "";
    QTest::newRow("-h after a Qt option") << offscreen + QStringList{"-h"} << 0 << help << "";
    QTest::newRow("unknown long option") << offscreen + QStringList{"--bogus"} << 1 << ""
                                         << "morvane：未知选项“--bogus”。" + seeHelp;
    QTest::newRow("unknown option, one dash") << offscreen + QStringList{"-bogus=1"} << 1 << ""
                                              << "morvane：未知选项“-bogus”。" + seeHelp;
    // Without a graphical session the refusal is told too, and a plain start
    // says why no window shows instead of Qt's abort.
    QTest::newRow("unknown option, no display") << QStringList{"--bogus"} << 1 << ""
                                                << "morvane：未知选项“--bogus”。" + seeHelp;
    QTest::newRow("no display") << QStringList{"-style", "fusion"} << 1 << ""
                                << "morvane：没有图形界面可以显示窗口（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。\n"
                                   "请在桌面环境中启动本程序，或用“-platform”选择平台。\n";
    // clang-format on
}

void TestCommandLine::shouldAnswerOrRefuse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    QProcess process;
    start(process, arguments);
    // Answers at once; a main window would keep it running.
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), error);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), output);
    QCOMPARE(process.exitCode(), exitCode);
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
