#include <termios.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTextStream>
#include <csignal>
#include <cstdio>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "cli/ConfigCommand.h"
#include "cli/DesktopCommands.h"
#include "cli/DiffCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/KeyCommand.h"
#include "cli/ModelsCommand.h"
#include "cli/OpenCommand.h"
#include "cli/PromptsCommand.h"
#include "cli/ReviewCommand.h"
#include "cli/StyleCommand.h"
#include "core/Logging.h"
#include "core/ShutdownSignals.h"
#include "core/Translations.h"
#include "store/HistoryStore.h"
#include "store/Keychain.h"
#include "store/LegacyDocuments.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::cli;

namespace {

QByteArray readAllStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return {};
    }
    return in.readAll();
}

termios savedTerminal{};

// A signal at the key prompt must not leave the user's terminal without echo.
extern "C" void restoreEchoAndDie(int signalNumber) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

QByteArray readLineWithoutEcho() {
    const bool terminal = ::tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    if (terminal) {
        for (int signalNumber : endingSignals) {
            std::signal(signalNumber, restoreEchoAndDie);
        }
        termios quiet = savedTerminal;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QByteArray line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        line.append(static_cast<char>(c));
    }
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        for (int signalNumber : endingSignals) {
            std::signal(signalNumber, SIG_DFL);
        }
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    installLogHandler();
    // Diagnostics stay out of the way of the text on standard output.
    QLoggingCategory::setFilterRules(QStringLiteral("*.info=false\n*.debug=false"));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessarine"));
    installTranslations();

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const ParseResult parsed = parseCommandLine(app.arguments().mid(1));
    if (!parsed.invocation) {
        err << "tessarine-cli: " << parsed.error << Qt::endl
            << QCoreApplication::translate("tessarine-cli", "Run tessarine-cli --help for usage.")
            << Qt::endl;
        return exitUsage;
    }
    const Invocation& invocation = *parsed.invocation;

    CliEnvironment env{out,
                       err,
                       ::isatty(STDOUT_FILENO) == 1,
                       ::isatty(STDERR_FILENO) == 1,
                       ::isatty(STDIN_FILENO) == 1,
                       readAllStandardInput,
                       readLineWithoutEcho,
                       []() -> SettingsStore& { return SettingsStore::shared(); },
                       []() -> KeyStore& { return Keychain::shared(); },
                       []() -> HistoryStore& { return HistoryStore::shared(); },
                       []() -> PromptStore& { return PromptStore::shared(); }};

    if (invocation.command != Command::help && invocation.command != Command::modeHelp &&
        invocation.command != Command::diff && invocation.command != Command::open &&
        invocation.command != Command::version && invocation.command != Command::configChoices) {
        migrateLegacyDocuments(SettingsStore::shared(), HistoryStore::defaultFilePath(),
                               PromptStore::defaultFilePath());
    }

    switch (invocation.command) {
        case Command::help:
            out << usageText();
            return exitSuccess;
        case Command::modeHelp:
            out << modeUsageText(invocation.mode);
            return exitSuccess;
        case Command::version:
            out << versionText();
            return exitSuccess;
        case Command::diff:
            return runDiff(env, invocation);
        case Command::history:
            return runHistory(env, invocation);
        case Command::keySet:
            return runKeySet(env, invocation);
        case Command::keyClear:
            return runKeyClear(env, invocation);
        case Command::keyStatus:
            return runKeyStatus(env);
        case Command::promptsList:
        case Command::promptsSave:
        case Command::promptsRename:
        case Command::promptsDelete:
        case Command::promptsExport:
        case Command::promptsImport:
            return runPrompts(env, invocation);
        case Command::configList:
        case Command::configGet:
        case Command::configSet:
        case Command::configChoices:
            return runConfig(env, invocation);
        case Command::open:
            return runOpen(env, invocation);
        case Command::shortcutsStatus:
        case Command::shortcutsInstall:
        case Command::shortcutsRemove:
            return runShortcuts(env, invocation);
        case Command::doctor:
        case Command::review:
        case Command::models:
        case Command::styleShow:
        case Command::styleRefresh:
        case Command::styleClear:
            break;
    }

    // Ctrl+C reaches the event loop as a signal, so the request is aborted in order.
    ShutdownSignals interrupts;
    if (!interrupts.isActive()) {
        err << "tessarine-cli: "
            << QCoreApplication::translate("tessarine-cli", "cannot set up the interrupt handler")
            << Qt::endl;
        return exitFailure;
    }

    int status = exitSuccess;
    const auto finish = [&status](int code) {
        status = code;
        QCoreApplication::exit(code);
    };
    bool done = false;
    const auto run = [&](auto& command) {
        QObject::connect(command.get(), &std::remove_reference_t<decltype(*command)>::finished,
                         finish);
        QObject::connect(command.get(), &std::remove_reference_t<decltype(*command)>::finished,
                         [&done] { done = true; });
        QObject::connect(&interrupts, &ShutdownSignals::shutdownRequested, command.get(),
                         &std::remove_reference_t<decltype(*command)>::interrupt);
        command->start();
    };
    std::unique_ptr<ReviewCommand> review;
    std::unique_ptr<ModelsCommand> models;
    std::unique_ptr<StyleCommand> style;
    std::unique_ptr<DoctorCommand> doctor;
    if (invocation.command == Command::doctor) {
        doctor = std::make_unique<DoctorCommand>(env, invocation.json);
        run(doctor);
    } else if (invocation.command == Command::review) {
        review = std::make_unique<ReviewCommand>(env, invocation);
        run(review);
    } else if (invocation.command == Command::models) {
        models = std::make_unique<ModelsCommand>(env, invocation.json);
        run(models);
    } else {
        style = std::make_unique<StyleCommand>(env, invocation.command);
        run(style);
    }
    if (done) {
        return status;
    }
    app.exec();
    return status;
}
