#include <unistd.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "cli/DiffCommand.h"
#include "core/Translations.h"

using namespace ts::cli;

namespace {

// Next to this program in the build tree, in the libexec folder once installed.
QByteArray fullProgram() {
    const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString folder = QFileInfo(here).absolutePath();
    for (const QString& candidate :
         {folder + QStringLiteral("/tessarine-cli-full"),
          folder + QStringLiteral("/" TESSARINE_FULL_RELATIVE "/tessarine-cli-full")}) {
        if (QFileInfo(candidate).isExecutable()) {
            return QFile::encodeName(candidate);
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    ParseResult parsed = parseCommandLine(arguments);
    const Command command = parsed.invocation ? parsed.invocation->command : Command::help;
    const bool answeredHere = !parsed.invocation || command == Command::help ||
                              command == Command::modeHelp || command == Command::diff ||
                              command == Command::version;
    if (!answeredHere) {
        const QByteArray program = fullProgram();
        if (!program.isEmpty()) {
            ::execv(program.constData(), argv);
        }
        const int error = program.isEmpty() ? ENOENT : errno;
        std::fprintf(stderr, "tessarine-cli: cannot start tessarine-cli-full: %s\n",
                     std::strerror(error));
        return exitFailure;
    }

    // Only now, past the exec: the messages printed here come in the user's language.
    QCoreApplication app(argc, argv);
    if (ts::installTranslations() && !parsed.invocation) {
        parsed = parseCommandLine(arguments);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    if (!parsed.invocation) {
        err << "tessarine-cli: " << parsed.error << Qt::endl
            << QCoreApplication::translate("tessarine-cli", "Run tessarine-cli --help for usage.")
            << Qt::endl;
        return exitUsage;
    }
    if (command == Command::help) {
        out << usageText();
        return exitSuccess;
    }
    if (command == Command::modeHelp) {
        out << modeUsageText(parsed.invocation->mode);
        return exitSuccess;
    }
    if (command == Command::version) {
        out << versionText();
        return exitSuccess;
    }
    CliEnvironment env{out,
                       err,
                       ::isatty(STDOUT_FILENO) == 1,
                       ::isatty(STDERR_FILENO) == 1,
                       ::isatty(STDIN_FILENO) == 1,
                       {},
                       {},
                       {},
                       {},
                       {},
                       {}};
    return runDiff(env, *parsed.invocation);
}
