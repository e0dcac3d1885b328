#include "cli/KeyCommand.h"

#include <QCoreApplication>

#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts::cli {

int runKeySet(CliEnvironment& env, const Invocation& invocation) {
    const ProviderKind kind = invocation.keyKind;
    if (!requiresAPIKey(kind)) {
        env.err << rawValue(kind) << ", the local runtime, needs no key; nothing stored."
                << Qt::endl;
        return exitSuccess;
    }
    QByteArray bytes;
    if (env.inIsTerminal) {
        env.err << QCoreApplication::translate("ts::cli::KeyCommand", "API key for %1: ")
                       .arg(rawValue(kind))
                << Qt::flush;
        bytes = env.readSecretLine();
        env.err << Qt::endl;
    } else {
        bytes = env.readStandardInput();
    }
    // A pasted key often carries a space or a line break; the service would reject it with a
    // baffling 401.
    const QString key = QString::fromUtf8(bytes).trimmed();
    if (key.contains(QLatin1Char('\n')) || key.contains(QLatin1Char('\r'))) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate("ts::cli::KeyCommand",
                                               "the key must be a single line")
                << Qt::endl;
        return exitUsage;
    }
    if (key.isEmpty()) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate(
                       "ts::cli::KeyCommand",
                       "the key is empty (to remove a key: tessarine-cli key clear %1)")
                       .arg(rawValue(kind).toLower())
                << Qt::endl;
        return exitUsage;
    }
    KeyStore& keys = env.keys();
    keys.saveAPIKey(key, apiKeyAccount(kind));
    // Read back: a keyring that refused or a key file that could not be written says nothing.
    if (keys.readAPIKey(apiKeyAccount(kind)) != key) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate("ts::cli::KeyCommand",
                                               "the key could not be stored in %1")
                       .arg(keys.locationDescription())
                << Qt::endl;
        return exitFailure;
    }
    env.err << QCoreApplication::translate("ts::cli::KeyCommand", "Stored the key for %1 in %2.")
                   .arg(rawValue(kind), keys.locationDescription())
            << Qt::endl;
    return exitSuccess;
}

int runKeyClear(CliEnvironment& env, const Invocation& invocation) {
    KeyStore& keys = env.keys();
    keys.deleteAPIKey(apiKeyAccount(invocation.keyKind));
    if (!keys.readAPIKey(apiKeyAccount(invocation.keyKind)).isEmpty()) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate("ts::cli::KeyCommand",
                                               "the key could not be removed from %1")
                       .arg(keys.locationDescription())
                << Qt::endl;
        return exitFailure;
    }
    env.err << QCoreApplication::translate("ts::cli::KeyCommand", "Cleared the key for %1.")
                   .arg(rawValue(invocation.keyKind))
            << Qt::endl;
    return exitSuccess;
}

int runKeyStatus(CliEnvironment& env) {
    KeyStore& keys = env.keys();
    const ProviderKind current = env.settings().provider();
    for (ProviderKind kind : EnumCases<ProviderKind>::all) {
        const QString marker = kind == current ? QStringLiteral("* ") : QStringLiteral("  ");
        QString status;
        if (!requiresAPIKey(kind)) {
            status = QCoreApplication::translate("ts::cli::KeyCommand", "no key needed");
        } else {
            status =
                keys.readAPIKey(apiKeyAccount(kind)).isEmpty()
                    ? QCoreApplication::translate("ts::cli::KeyCommand", "not set")
                    : QCoreApplication::translate("ts::cli::KeyCommand", "set", "a key is stored");
        }
        env.out << marker << rawValue(kind).leftJustified(10) << status << "\n";
    }
    env.out << QCoreApplication::translate("ts::cli::KeyCommand", "Keys are kept in %1.")
                   .arg(keys.locationDescription())
            << Qt::endl;
    return exitSuccess;
}

}  // namespace ts::cli
