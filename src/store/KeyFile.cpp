#include "store/KeyFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

#include "store/PrivateFile.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

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
    privateFile::ensureFolder(QFileInfo(m_path).absolutePath());  // where the lock goes
    FileLock lock(m_path);
    std::optional<QHash<QString, QString>> keys = keysToUpdate();
    if (keys) {
        keys->insert(account, value);
        writeAll(*keys);
    }
}

void KeyFile::remove(const QString& account) {
    FileLock lock(m_path);
    std::optional<QHash<QString, QString>> keys = keysToUpdate();
    if (keys && keys->remove(account) > 0) {
        writeAll(*keys);
    }
}

// A file that cannot be opened is left alone, and one that holds no key object is kept aside
// before it is replaced: the user's other keys are never written over.
std::optional<QHash<QString, QString>> KeyFile::keysToUpdate() const {
    if (!QFileInfo::exists(m_path)) {
        return QHash<QString, QString>();
    }
    const std::optional<QByteArray> bytes = privateFile::read(m_path);
    if (!bytes) {
        qCWarning(lcStore, "%s cannot be read; it is left as it is", qPrintable(m_path));
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (!bytes->isEmpty() && (error.error != QJsonParseError::NoError || !document.isObject())) {
        const QString aside = privateFile::keepAside(m_path, QStringLiteral(".unreadable"), *bytes);
        if (aside.isEmpty()) {
            return std::nullopt;
        }
        qCWarning(lcStore, "%s held no keys; its bytes are kept in %s", qPrintable(m_path),
                  qPrintable(aside));
        return QHash<QString, QString>();
    }
    return readAll();
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
    QJsonObject object;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        object.insert(it.key(), it.value());
    }
    return privateFile::write(m_path, QJsonDocument(object).toJson(QJsonDocument::Compact));
}

}  // namespace ts
