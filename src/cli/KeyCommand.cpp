#include "cli/KeyCommand.h"

#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts::cli {

int runKeySet(CliEnvironment& env, const Invocation& invocation) {
    QByteArray bytes;
    if (env.inIsTerminal) {
        env.err << "API key for " << rawValue(invocation.keyKind) << ": " << Qt::flush;
        bytes = env.readSecretLine();
        env.err << Qt::endl;
    } else {
        bytes = env.readStandardInput();
    }
    // The line break that ends the input is not part of the key; everything else is kept.
    if (bytes.endsWith("\r\n")) {
        bytes.chop(2);
    } else if (bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    if (bytes.contains('\n')) {
        env.err << "tessarine-cli: the key must be a single line" << Qt::endl;
        return exitUsage;
    }
    KeyStore& keys = env.keys();
    keys.saveAPIKey(QString::fromUtf8(bytes), apiKeyAccount(invocation.keyKind));
    env.err << (bytes.isEmpty() ? "Cleared the key for " : "Stored the key for ")
            << rawValue(invocation.keyKind) << " in " << keys.locationDescription() << "."
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
