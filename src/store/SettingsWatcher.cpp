#include "store/SettingsWatcher.h"

#include <QFileInfo>

#include "store/PrivateFile.h"
#include "store/SettingsStore.h"

namespace ts {

SettingsWatcher::SettingsWatcher(SettingsStore& store, QObject* parent)
    : QObject(parent), store_(store) {
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        known_.insert(field.key, store_.value(field.key));
    }
    connect(&store_, &SettingsStore::valueChanged, this,
            [this](const QString& key) { known_.insert(key, store_.value(key)); });
    // A write is a rename of a new file over the old one (and a lock file beside it): several
    // events for one change, read once they are over.
    settle_.setSingleShot(true);
    settle_.setInterval(50);
    connect(&settle_, &QTimer::timeout, this, &SettingsWatcher::compare);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    watch();
}

void SettingsWatcher::watch() {
    const QFileInfo file(store_.filePath());
    // The folder sees the file appear and be replaced; the file itself, edits in place.
    privateFile::ensureFolder(file.absolutePath());
    if (!watcher_.directories().contains(file.absolutePath())) {
        watcher_.addPath(file.absolutePath());
    }
    if (file.exists() && !watcher_.files().contains(file.absoluteFilePath())) {
        watcher_.addPath(file.absoluteFilePath());
    }
}

void SettingsWatcher::compare() {
    watch();  // a renamed-over file is a new file, no longer watched
    QStringList changed;
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        QVariant now = store_.value(field.key);
        QVariant& before = known_[field.key];
        if (now != before) {
            before = std::move(now);
            changed.append(field.key);
            emit changedElsewhere(field.key);
        }
    }
    if (!changed.isEmpty()) {
        store_.noteChangedElsewhere(changed);
    }
}

}  // namespace ts
