#include "cli/PromptsCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include "store/PromptStore.h"

namespace ts::cli {
namespace {

// Names are matched whole, ignoring case: a prefix could rename or delete the wrong prompt.
std::optional<CustomPrompt> named(const PromptStore& store, const QString& name) {
    for (const CustomPrompt& prompt : store.items()) {
        if (prompt.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            return prompt;
        }
    }
    return std::nullopt;
}

int fail(CliEnvironment& env, const QString& message, int status = exitUsage) {
    env.err << "tessarine-cli: " << message << Qt::endl;
    return status;
}

int list(CliEnvironment& env, const PromptStore& store) {
    const QList<CustomPrompt> prompts = store.items();
    if (prompts.isEmpty()) {
        env.out << QCoreApplication::translate("ts::cli::PromptsCommand", "No saved prompts.")
                << Qt::endl;
        return exitSuccess;
    }
    for (const CustomPrompt& prompt : prompts) {
        env.out << prompt.name << "\n    " << prompt.instruction << "\n";
    }
    env.out.flush();
    return exitSuccess;
}

int save(CliEnvironment& env, PromptStore& store, const Invocation& invocation) {
    const QString instruction = invocation.promptsValue.trimmed();
    if (instruction.isEmpty()) {
        return fail(env, QCoreApplication::translate("ts::cli::PromptsCommand",
                                                     "the instruction is empty"));
    }
    const QString name = invocation.promptsName.trimmed();
    if (!store.isSaved(instruction) && !name.isEmpty() && named(store, name)) {
        return fail(env, QCoreApplication::translate("ts::cli::PromptsCommand",
                                                     "a prompt named \"%1\" exists already")
                             .arg(name));
    }
    const bool full = !store.isSaved(instruction) && store.items().size() >= PromptStore::maxItems;
    const std::optional<CustomPrompt> saved =
        store.save(instruction, name.isEmpty() ? std::nullopt : std::optional<QString>(name));
    // The store never writes over a file it could not read; that must not read as saved.
    if (!PromptStore(store.filePath()).isSaved(instruction)) {
        return fail(
            env,
            QCoreApplication::translate("ts::cli::PromptsCommand", "%1 could not be written")
                .arg(store.filePath()),
            exitFailure);
    }
    env.out
        << QCoreApplication::translate("ts::cli::PromptsCommand", "Saved \"%1\".").arg(saved->name)
        << Qt::endl;
    if (full) {
        env.err << QCoreApplication::translate("ts::cli::PromptsCommand",
                                               "At most %n prompts are kept; the oldest was "
                                               "removed.",
                                               nullptr, PromptStore::maxItems)
                << Qt::endl;
    }
    return exitSuccess;
}

int rename(CliEnvironment& env, PromptStore& store, const Invocation& invocation) {
    const std::optional<CustomPrompt> prompt = named(store, invocation.promptsName);
    const QString newName = invocation.promptsValue.trimmed();
    if (!prompt) {
        return fail(env, QCoreApplication::translate("ts::cli::PromptsCommand",
                                                     "no saved prompt named \"%1\"")
                             .arg(invocation.promptsName));
    }
    if (newName.isEmpty()) {
        return fail(
            env, QCoreApplication::translate("ts::cli::PromptsCommand", "the new name is empty"));
    }
    const std::optional<CustomPrompt> other = named(store, newName);
    if (other && other->id != prompt->id) {
        return fail(env, QCoreApplication::translate("ts::cli::PromptsCommand",
                                                     "a prompt named \"%1\" exists already")
                             .arg(newName));
    }
    store.rename(prompt->id, newName);
    return exitSuccess;
}

int exportTo(CliEnvironment& env, const PromptStore& store, const QString& path) {
    const std::optional<QByteArray> bytes = store.exportData();
    QSaveFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() ||
        !file.commit()) {
        return fail(env,
                    QCoreApplication::translate("ts::cli::PromptsCommand", "cannot write %1: %2")
                        .arg(path, file.errorString()),
                    exitFailure);
    }
    env.out << PromptStore::exportedText(static_cast<int>(store.items().size())) << Qt::endl;
    return exitSuccess;
}

int importFrom(CliEnvironment& env, PromptStore& store, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(env,
                    QCoreApplication::translate("ts::cli::PromptsCommand", "cannot read %1: %2")
                        .arg(path, file.errorString()),
                    exitFailure);
    }
    try {
        env.out << PromptStore::importedText(store.importData(file.readAll())) << Qt::endl;
    } catch (const PromptStore::ImportError& error) {
        env.err << error.description() << Qt::endl;
        return exitFailure;
    }
    return exitSuccess;
}

}  // namespace

int runPrompts(CliEnvironment& env, const Invocation& invocation) {
    PromptStore& store = env.prompts();
    switch (invocation.command) {
        case Command::promptsSave:
            return save(env, store, invocation);
        case Command::promptsRename:
            return rename(env, store, invocation);
        case Command::promptsDelete:
            if (const std::optional<CustomPrompt> prompt = named(store, invocation.promptsName)) {
                store.remove(prompt->id);
                return exitSuccess;
            }
            return fail(env, QCoreApplication::translate("ts::cli::PromptsCommand",
                                                         "no saved prompt named \"%1\"")
                                 .arg(invocation.promptsName));
        case Command::promptsExport:
            return exportTo(env, store, invocation.promptsValue);
        case Command::promptsImport:
            return importFrom(env, store, invocation.promptsValue);
        default:
            return list(env, store);
    }
}

}  // namespace ts::cli
