#include "store/MemoryKeyStore.h"

#include <QMutexLocker>

namespace ts {

QString MemoryKeyStore::readAPIKey(const QString& account) {
    QMutexLocker lock(&m_mutex);
    return m_keys.value(account);
}

void MemoryKeyStore::saveAPIKey(const QString& value, const QString& account) {
    QMutexLocker lock(&m_mutex);
    m_keys.insert(account, value);
}

void MemoryKeyStore::deleteAPIKey(const QString& account) {
    QMutexLocker lock(&m_mutex);
    m_keys.remove(account);
}

QString MemoryKeyStore::locationDescription() const {
    return QStringLiteral("memory (not saved)");
}

bool MemoryKeyStore::contains(const QString& account) const {
    QMutexLocker lock(&m_mutex);
    return m_keys.contains(account);
}

}  // namespace ts
