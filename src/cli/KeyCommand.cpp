#include "cli/KeyCommand.h"

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
        env.err << "API key for " << rawValue(kind) << ": " << Qt::flush;
        bytes = env.readSecretLine();
        env.err << Qt::endl;
    } else {
        bytes = env.readStandardInput();
    }
    // A pasted key often carries a space or a line break; the service would reject it with a
    // baffling 401.
    const QString key = QString::fromUtf8(bytes).trimmed();
    if (key.contains(QLatin1Char('\n')) || key.contains(QLatin1Char('\r'))) {
        env.err << "tessarine-cli: the key must be a single line" << Qt::endl;
        return exitUsage;
    }
    if (key.isEmpty()) {
        env.err << "tessarine-cli: the key is empty (to remove a key: tessarine-cli key clear "
                << rawValue(kind).toLower() << ")" << Qt::endl;
        return exitUsage;
    }
    KeyStore& keys = env.keys();
    keys.saveAPIKey(key, apiKeyAccount(kind));
    // Read back: a keyring that refused or a key file that could not be written says nothing.
    if (keys.readAPIKey(apiKeyAccount(kind)) != key) {
        env.err << "tessarine-cli: the key could not be stored in " << keys.locationDescription()
                << Qt::endl;
        return exitFailure;
    }
    env.err << "Stored the key for " << rawValue(kind) << " in " << keys.locationDescription()
            << "." << Qt::endl;
    return exitSuccess;
}

int runKeyClear(CliEnvironment& env, const Invocation& invocation) {
    KeyStore& keys = env.keys();
    keys.deleteAPIKey(apiKeyAccount(invocation.keyKind));
    if (!keys.readAPIKey(apiKeyAccount(invocation.keyKind)).isEmpty()) {
        env.err << "tessarine-cli: the key could not be removed from " << keys.locationDescription()
                << Qt::endl;
        return exitFailure;
    }
    env.err << "Cleared the key for " << rawValue(invocation.keyKind) << "." << Qt::endl;
    return exitSuccess;
}

int runKeyStatus(CliEnvironment& env) {
    KeyStore& keys = env.keys();
    const ProviderKind current = env.settings().provider();
    for (ProviderKind kind : EnumCases<ProviderKind>::all) {
        const QString marker = kind == current ? QStringLiteral("* ") : QStringLiteral("  ");
        QString status;
        if (!requiresAPIKey(kind)) {
            status = QStringLiteral("no key needed");
        } else {
            status = keys.readAPIKey(apiKeyAccount(kind)).isEmpty() ? QStringLiteral("not set")
                                                                    : QStringLiteral("set");
        }
        env.out << marker << rawValue(kind).leftJustified(10) << status << "\n";
    }
    env.out << "Keys are kept in " << keys.locationDescription() << "." << Qt::endl;
    return exitSuccess;
}

}  // namespace ts::cli
