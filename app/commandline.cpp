#include "commandline.h"

#include "version.h"

#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace morvane {

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// An unknown option as the user wrote it, with one dash or two.
QString asTyped(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        if (option == QLatin1Char('-') + name || option == QLatin1String("--") + name)
            return option;
    }
    return name;
}

// Why the command line is refused.
QString refusal(const QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("未知选项“%1”。").arg(asTyped(arguments, parser.unknownOptionNames().constFirst()));
    return parser.errorText();
}

}  // namespace

QString chosenStyle(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--")))
            argument.remove(0, 1);
        if (argument == QLatin1String("-style") && i + 1 < argc)
            return QString::fromLocal8Bit(argv[i + 1]);
        if (argument.startsWith(QLatin1String("-style=")))
            return argument.mid(7);
    }
    return qEnvironmentVariable("QT_STYLE_OVERRIDE");
}

bool answerWithoutDisplay(int argc, const char *const argv[])
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return false;
    static const QStringList printingOptions{"-h", "-help", "--help", "-v", "-version", "--version"};
    bool printsOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform")
            || argument.startsWith(QLatin1String("-platform=")) || argument.startsWith(QLatin1String("--platform=")))
            return false;  // the user chose where the window goes
        printsOnly = printsOnly || printingOptions.contains(argument);
    }
    bool noSession = false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    noSession = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
    if (printsOnly || noSession)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return noSession;
}


std::optional<int> handleCommandLine(const QStringList &arguments, bool noDisplay, QStringList *files)
{
    QCommandLineParser parser;
    // Like Qt's own options: -version reads as --version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(MORVANE_DISPLAY_NAME
                                                    "：按中国规范计算摩擦型高强螺栓连接、端板厚度、"
                                                    "轴心受压构件稳定系数、桩基承载力和柱配筋率。\n"
                                                    "另可使用 Qt 的通用选项，如 -platform、-style。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助后退出。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号后退出。"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("文件"), QStringLiteral("计算文件（.mvcalc），各在其计算窗口中打开。"),
                                 QStringLiteral("[文件…]"));

    if (!parser.parse(arguments)) {
        print(stderr,
              QStringLiteral("morvane：%1\n运行“morvane --help”查看可用的选项。\n").arg(refusal(parser, arguments)));
        return EXIT_FAILURE;
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText() + QLatin1Char('\n') + calculationCommandsHelp());
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral(MORVANE_DISPLAY_NAME " " MORVANE_VERSION "\n"));
        return EXIT_SUCCESS;
    }
    if (noDisplay) {
        print(stderr,
              QStringLiteral("morvane：没有图形界面可以显示窗口（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。\n"
                             "请在桌面环境中启动本程序，或用“-platform”选择平台。\n"));
        return EXIT_FAILURE;
    }
    if (files)
        *files = parser.positionalArguments();
    return std::nullopt;
}

QString calculationCommandsHelp()
{
    return QStringLiteral(
        "命令（不打开窗口，无需图形界面）：\n"
        "  morvane book 计算文件 -o 输出文件 [--edition original|current]\n"
        "      按计算文件（.mvcalc）如同按“计算”一样计算，写出计算书：按输出文件的后缀\n"
        "      写成 .pdf、.html、.odt 或 .txt；“-o -”把纯文本计算书写到标准输出。\n"
        "      设计规范取文件中的，--edition 另行指定。\n"
        "      例：morvane book 节点1.mvcalc -o 节点1.pdf\n"
        "  morvane batch 计算类型 输入.csv -o 输出.csv [--book-dir 目录] [--edition original|current]\n"
        "      逐行计算表格中的各组数据。计算类型：bolt-connection、end-plate、stability、\n"
        "      pile-group、column。表格为 UTF-8（可带 BOM），逗号或分号分隔；表头为各输入的\n"
        "      名称，缺少的列取窗口的默认值，name 列为各行命名。输出依次为各输入、各结果\n"
        "      （与窗口所示相同）、验算结论（verdict.…）和 message（拒绝计算的原因或警告），\n"
        "      UTF-8 带 BOM。--book-dir 为每个算出的行另写一份 PDF 计算书，以 name 或行号\n"
        "      命名。“-”为标准输入或标准输出。设计规范缺省为原规范，--edition current\n"
        "      按现行规范计算。\n"
        "      stability：slenderness（长细比）为空的行先由 length、inertia、sectionArea\n"
        "      算出长细比，再算稳定系数；给出长细比的行直接由它算稳定系数。\n"
        "      例：morvane batch bolt-connection 节点.csv -o 节点结果.csv\n"
        "  morvane batch 计算类型 --template [-o 输出.csv]\n"
        "      写出表头和一行窗口的默认值，作为输入表格的样板。\n"
        "      例：morvane batch column --template -o 柱.csv\n"
        "\n"
        "退出状态：0 全部算出；1 有数据行被拒绝计算（其余各行照常计算）；\n"
        "2 文件无法读取、输入被拒绝或命令有误。\n");
}

}  // namespace morvane
