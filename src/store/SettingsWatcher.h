#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVariant>

namespace ts {

class SettingsStore;

// Reports the settings another process changed (tessarine-cli config set, a second instance),
// one key at a time here and through the store's own change signals, so a running program can
// act on them as on its own changes.
class SettingsWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SettingsWatcher(SettingsStore& store, QObject* parent = nullptr);

signals:
    // Not emitted for this process's own writes through the store, which say valueChanged.
    void changedElsewhere(const QString& key);

private:
    void watch();
    void compare();

    SettingsStore& store_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QHash<QString, QVariant> known_;
};

}  // namespace ts
