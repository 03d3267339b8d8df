// Starts the program: the main window, and the event loop until the last window has closed.
//
// The command line is read before anything of the window toolkit starts, so that --help,
// --version and a wrong option are answered without a display.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <optional>

#include "schnackomat/ui/application.h"
#include "schnackomat/ui/form1.h"

namespace {

// The options the toolkit itself takes (-platform NAME, -style NAME, -reverse, ...): they stay
// allowed, are handled by the toolkit and are not listed in the help.
constexpr const char* ToolkitOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger",
};
constexpr const char* ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Answers --help, --version and wrong arguments; returns the exit status then, or nothing when
// the window is to open.
std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Rewrites German text live into chat slang, leetspeak and the Matrix code, and back.\n"
        "Type into the upper box; the lower box and the clipboard hold the converted text."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : ToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : ToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = QStringLiteral("schnackomat");
    if (!parser.parse(arguments)) {
        Write(stderr, program + QStringLiteral(": ") + parser.errorText() +
                          QStringLiteral(" Try 'schnackomat --help'.\n"));
        return 1;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Write(stderr, program + QStringLiteral(": Unexpected argument '") +
                          parser.positionalArguments().constFirst() +
                          QStringLiteral("'. Try 'schnackomat --help'.\n"));
        return 1;
    }
    if (parser.isSet(help)) {
        // Without an application object the toolkit names no program in the usage line.
        Write(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), program));
        return 0;
    }
    if (parser.isSet(version)) {
        Write(stdout, QStringLiteral("Schnackomat " SCHNACKOMAT_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = AnswerCommandLine(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    schnackomat::ui::PrepareApplication(application);
    schnackomat::ui::Form1 form;
    form.show();
    // Asks for the keyboard at once, so that typing starts in the input box.
    form.activateWindow();
    return QApplication::exec();
}
