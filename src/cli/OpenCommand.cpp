#include "cli/OpenCommand.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace ts::cli {

namespace {

const QString kService = QStringLiteral("io.tessarine.Tessarine");
// A program started by the bus answers once its window is built.
constexpr int kCallTimeoutMs = 25000;

}  // namespace

// The full CLI lies in LIBEXECDIR/tessarine.
QString tessarineProgram() {
    const QString beside = QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" TESSARINE_APP_RELATIVE "/tessarine");
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
    return QStandardPaths::findExecutable(QStringLiteral("tessarine"));
}

int runOpen(CliEnvironment& env, const Invocation& invocation) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    const bool reachable =
        daemon != nullptr && (daemon->isServiceRegistered(kService).value() ||
                              daemon->activatableServiceNames().value().contains(kService));
    if (!reachable) {
        const QString program = tessarineProgram();
        if (program.isEmpty()) {
            env.err << "tessarine-cli: "
                    << QCoreApplication::translate(
                           "ts::cli::OpenCommand",
                           "Tessarine is not running and the tessarine program was not found")
                    << Qt::endl;
            return exitFailure;
        }
        // The new program handles the URL itself once it has started. It outlives this command,
        // so it must not write its log into a pipe whose reader goes with us.
        QProcess process;
        process.setProgram(program);
        process.setArguments({invocation.url});
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        if (!process.startDetached()) {
            env.err << "tessarine-cli: "
                    << QCoreApplication::translate("ts::cli::OpenCommand", "could not start %1")
                           .arg(program)
                    << Qt::endl;
            return exitFailure;
        }
        return exitSuccess;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/io/tessarine/Tessarine"),
        QStringLiteral("io.tessarine.Application"), QStringLiteral("OpenURLs"));
    call << QStringList{invocation.url};
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate("ts::cli::OpenCommand",
                                               "Tessarine did not take the URL: %1")
                       .arg(reply.errorMessage())
                << Qt::endl;
        return exitFailure;
    }
    return exitSuccess;
}

}  // namespace ts::cli
