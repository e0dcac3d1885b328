#pragma once

#include <QString>

namespace ts {

class SettingsStore;

// Moves the history and the saved prompts that earlier versions kept in the settings file (and
// the copies of unreadable ones kept beside them) to their own files, once. Each file is written
// before its entry leaves the settings; a file that already holds other bytes is left alone and
// the old ones are kept beside it as "<file>.from-settings". Costs four lookups in the settings
// when there is nothing to move.
void migrateLegacyDocuments(SettingsStore& settings, const QString& historyPath,
                            const QString& promptsPath);

}  // namespace ts
