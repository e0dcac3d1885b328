#include <termios.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "cli/ConfigCommand.h"
#include "cli/DiffCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/KeyCommand.h"
#include "cli/ModelsCommand.h"
#include "cli/ReviewCommand.h"
#include "core/Logging.h"
#include "core/ShutdownSignals.h"
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

QByteArray readLineWithoutEcho() {
    termios saved{};
    const bool terminal = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QByteArray line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        line.append(static_cast<char>(c));
    }
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
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

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const ParseResult parsed = parseCommandLine(app.arguments().mid(1));
    if (!parsed.invocation) {
        err << "tessarine-cli: " << parsed.error << Qt::endl
            << "Run tessarine-cli --help for usage." << Qt::endl;
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

    if (invocation.command != Command::help && invocation.command != Command::diff) {
        migrateLegacyDocuments(SettingsStore::shared(), HistoryStore::defaultFilePath(),
                               PromptStore::defaultFilePath());
    }

    switch (invocation.command) {
        case Command::help:
            out << usageText();
            return exitSuccess;
        case Command::diff:
            return runDiff(env, invocation);
        case Command::history:
            return runHistory(env, invocation);
        case Command::keySet:
            return runKeySet(env, invocation);
        case Command::keyStatus:
            return runKeyStatus(env);
        case Command::configList:
        case Command::configGet:
        case Command::configSet:
            return runConfig(env, invocation);
        case Command::review:
        case Command::models:
            break;
    }

    // Ctrl+C reaches the event loop as a signal, so the request is aborted in order.
    ShutdownSignals interrupts;
    if (!interrupts.isActive()) {
        err << "tessarine-cli: cannot set up the interrupt handler" << Qt::endl;
        return exitFailure;
    }

    int status = exitSuccess;
    const auto finish = [&status](int code) {
        status = code;
        QCoreApplication::exit(code);
    };
    bool done = false;
    std::unique_ptr<ReviewCommand> review;
    std::unique_ptr<ModelsCommand> models;
    if (invocation.command == Command::review) {
        review = std::make_unique<ReviewCommand>(env, invocation);
        QObject::connect(review.get(), &ReviewCommand::finished, finish);
        QObject::connect(&interrupts, &ShutdownSignals::shutdownRequested, review.get(),
                         &ReviewCommand::interrupt);
        QObject::connect(review.get(), &ReviewCommand::finished, [&done] { done = true; });
        review->start();
        if (done) {
            return status;
        }
    } else {
        models = std::make_unique<ModelsCommand>(env);
        QObject::connect(models.get(), &ModelsCommand::finished, finish);
        QObject::connect(models.get(), &ModelsCommand::finished, [&done] { done = true; });
        QObject::connect(&interrupts, &ShutdownSignals::shutdownRequested, models.get(),
                         &ModelsCommand::interrupt);
        models->start();
        if (done) {
            return status;
        }
    }
    app.exec();
    return status;
}
