#include "cli/CliMessages.h"

#include <QCoreApplication>

namespace ts::cli {

namespace {

// A phrase of the windows' sentences and its command-line wording; %1 and %2 are commands.
struct Rewording {
    const char* windows = nullptr;
    const char* commandLine = nullptr;
    QString first;
    QString second;
};

QString translated(const char* text) {
    return QCoreApplication::translate("ts::cli::CliMessages", text);
}

}  // namespace

QString forCommandLine(const QString& sentence, ProviderKind kind) {
    const QString keySet = QStringLiteral("tessarine-cli key set ") + rawValue(kind).toLower();
    // Longest first: a later, shorter phrase must not cut into an earlier one. Each phrase's
    // translation must be word for word the one inside the translated sentences.
    const Rewording rewordings[] = {
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages",
                           "Open Settings → Provider and re-check the key."),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages", "Check it and store it again with: %1"),
         keySet,
         {}},
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages", "Open Settings and add one."),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages", "Store one with: %1"),
         keySet,
         {}},
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages",
                           "Open Settings → Provider and pick one that's available for this "
                           "provider."),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages",
                           "List the available ones with: %1, then choose one with: %2"),
         QStringLiteral("tessarine-cli models"),
         QStringLiteral("tessarine-cli config set model NAME")},
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages", "or switch provider in Settings."),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages", "or switch provider with: %1"),
         QStringLiteral("tessarine-cli config set provider NAME"),
         {}},
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages", "Check Settings → Provider."),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages", "Check the settings with: %1"),
         QStringLiteral("tessarine-cli config list"),
         {}},
        {QT_TRANSLATE_NOOP("ts::cli::CliMessages", "The base URL in Settings isn't"),
         QT_TRANSLATE_NOOP("ts::cli::CliMessages", "The base URL setting (see %1) isn't"),
         QStringLiteral("tessarine-cli config list"),
         {}},
    };
    QString text = sentence;
    for (const Rewording& r : rewordings) {
        const QString format = translated(r.commandLine);
        text.replace(translated(r.windows),
                     r.second.isEmpty() ? format.arg(r.first) : format.arg(r.first, r.second));
    }
    return text;
}

}  // namespace ts::cli
