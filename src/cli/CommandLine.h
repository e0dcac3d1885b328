#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/Enums.h"

namespace ts::cli {

enum class Command {
    review,
    diff,
    models,
    history,
    keySet,
    keyClear,
    keyStatus,
    configList,
    configGet,
    configSet,
    configChoices,  // hidden: the keys and their listed values, for the shell completions
    promptsList,
    promptsSave,
    promptsRename,
    promptsDelete,
    promptsExport,
    promptsImport,
    styleShow,
    styleRefresh,
    styleClear,
    open,
    shortcutsStatus,
    shortcutsInstall,
    shortcutsRemove,
    doctor,
    help,
    modeHelp,
    version,
};

struct Invocation {
    Command command = Command::help;

    // review
    Mode mode = Mode::rewrite;
    std::optional<QString> text;  // absent: read standard input
    std::optional<Tone> tone;
    std::optional<AppContext> context;
    QString intent;
    std::optional<QString> instruction;
    std::optional<QString> promptName;
    std::optional<Adjustment> adjustment;
    std::optional<ProviderKind> provider;
    QString model;
    bool noStyle = false;
    bool why = false;
    bool dryRun = false;
    bool interactive = false;  // keep or drop each change before printing

    // review, diff, history, models, shortcuts, doctor
    bool json = false;

    // diff
    QString oldFile;
    QString newFile;

    // key set / clear
    ProviderKind keyKind = ProviderKind::openai;

    // config get / set
    QString configKey;
    QString configValue;

    // prompts: the saved prompt's name (rename, delete; --name of save), the new name or the
    // instruction (rename, save), the file (export, import)
    QString promptsName;
    QString promptsValue;

    // open: a tessarine:// URL
    QString url;
};

struct ParseResult {
    std::optional<Invocation> invocation;
    QString error;  // a usage error: what is wrong and the valid values
};

// Parses the arguments after the program name.
ParseResult parseCommandLine(const QStringList& arguments);

QString usageText();
// "tessarine VERSION" and a newline.
QString versionText();
// The options of one mode, for `MODE --help`.
QString modeUsageText(Mode mode);

// Case-insensitive raw value or CLI name ("tone" for the tone check, "ask" for Custom).
std::optional<Mode> modeFromName(const QString& name);
std::optional<ProviderKind> providerFromName(const QString& name);

}  // namespace ts::cli
