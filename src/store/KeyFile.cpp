#include "store/KeyFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>

#include "store/StoreLogging.h"

namespace ts {
namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The CLI and the application may change keys at the same time.
class FileLock final {
public:
    explicit FileLock(const QString& path) : m_lock(path + QStringLiteral(".lock")) {
        // A lock left by a process that died is cleared instead of waited out.
        m_lock.setStaleLockTime(250);
        m_locked = m_lock.tryLock(1000);
    }
    ~FileLock() {
        if (m_locked) {
            m_lock.unlock();
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    QLockFile m_lock;
    bool m_locked = false;
};

}  // namespace

KeyFile::KeyFile(QString path) : m_path(std::move(path)) {}

QString KeyFile::read(const QString& account) const {
    return readAll().value(account);
}

void KeyFile::save(const QString& value, const QString& account) {
    FileLock lock(m_path);
    QHash<QString, QString> keys = readAll();
    keys.insert(account, value);
    writeAll(keys);
}

void KeyFile::remove(const QString& account) {
    FileLock lock(m_path);
    QHash<QString, QString> keys = readAll();
    if (keys.remove(account) > 0) {
        writeAll(keys);
    }
}

QHash<QString, QString> KeyFile::readAll() const {
    QHash<QString, QString> keys;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return keys;
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString()) {
            keys.insert(it.key(), it.value().toString());
        }
    }
    return keys;
}

bool KeyFile::writeAll(const QHash<QString, QString>& keys) const {
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, ownerOnly | QFileDevice::ExeOwner);
    }
    QJsonObject object;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        object.insert(it.key(), it.value());
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcKeyring, "could not write the key file %s", qPrintable(m_path));
        return false;
    }
    // Restrict the temporary file before any key is written to it.
    file.setPermissions(ownerOnly);
    file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
    if (!file.commit()) {
        qCWarning(lcKeyring, "could not write the key file %s", qPrintable(m_path));
        return false;
    }
    return true;
}

}  // namespace ts
