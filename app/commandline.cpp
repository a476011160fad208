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
        print(stdout, parser.helpText());
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

}  // namespace morvane
