#include "store/LegacyDocuments.h"

#include <QFileInfo>
#include <QStringList>

#include "store/DocumentFile.h"
#include "store/HistoryStore.h"
#include "store/PrivateFile.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

// True once the bytes are safe on disk, in the document's place or beside it.
bool placeDocument(const QString& path, const QByteArray& bytes) {
    if (!QFileInfo::exists(path)) {
        return privateFile::write(path, bytes);
    }
    if (privateFile::read(path) == bytes) {
        return true;  // moved by an earlier start that stopped before the entry was removed
    }
    return !privateFile::keepAside(path, QStringLiteral(".from-settings"), bytes).isEmpty();
}

}  // namespace

void migrateLegacyDocuments(SettingsStore& settings, const QString& historyPath,
                            const QString& promptsPath) {
    const QString unreadable = DocumentFile::unreadableSuffix();
    const struct {
        QString key;
        QString path;
        bool keptAside;
    } moves[] = {
        {HistoryStore::defaultsKey, historyPath, false},
        {HistoryStore::defaultsKey + unreadable, historyPath, true},
        {PromptStore::defaultsKey, promptsPath, false},
        {PromptStore::defaultsKey + unreadable, promptsPath, true},
    };
    QStringList moved;
    for (const auto& move : moves) {
        const std::optional<QByteArray> bytes = settings.legacyData(move.key);
        if (!bytes) {
            continue;
        }
        // An empty value stood for no document.
        const bool placed =
            bytes->isEmpty() ||
            (move.keptAside ? !privateFile::keepAside(move.path, unreadable, *bytes).isEmpty()
                            : placeDocument(move.path, *bytes));
        if (!placed) {
            qCWarning(lcStore, "%s stays in the settings: %s could not be written",
                      qPrintable(move.key), qPrintable(move.path));
            continue;
        }
        qCInfo(lcStore, "moved %s (%lld bytes) from the settings to %s", qPrintable(move.key),
               static_cast<long long>(bytes->size()), qPrintable(QFileInfo(move.path).path()));
        moved.append(move.key);
    }
    if (!moved.isEmpty()) {
        settings.removeLegacyData(moved);
    }
}

}  // namespace ts
