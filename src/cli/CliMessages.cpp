#include "cli/CliMessages.h"

#include <utility>

namespace ts::cli {

QString forCommandLine(const QString& sentence, ProviderKind kind) {
    const QString keySet = QStringLiteral("tessarine-cli key set ") + rawValue(kind).toLower();
    // Longest first: a later, shorter phrase must not cut into an earlier one.
    const std::pair<QString, QString> replacements[] = {
        {QStringLiteral("Open Settings → Provider and re-check the key."),
         QStringLiteral("Check it and store it again with: ") + keySet},
        {QStringLiteral("Open Settings and add one."), QStringLiteral("Store one with: ") + keySet},
        {QStringLiteral("Open Settings → Provider and pick one that's available for this "
                        "provider."),
         QStringLiteral("List the available ones with: tessarine-cli models, then choose one "
                        "with: tessarine-cli config set model NAME")},
        {QStringLiteral("or switch provider in Settings."),
         QStringLiteral("or switch provider with: tessarine-cli config set provider NAME")},
        {QStringLiteral("Check Settings → Provider."),
         QStringLiteral("Check the settings with: tessarine-cli config list")},
        {QStringLiteral("The base URL in Settings isn't"),
         QStringLiteral("The base URL setting (see tessarine-cli config list) isn't")},
    };
    QString text = sentence;
    for (const auto& [windows, commandLine] : replacements) {
        text.replace(windows, commandLine);
    }
    return text;
}

}  // namespace ts::cli
