#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include "store/KeyStore.h"

namespace ts {

// Keys kept in memory only, for tests and for runs that must not touch the user's keyring.
class MemoryKeyStore final : public KeyStore {
public:
    QString readAPIKey(const QString& account) override;
    void saveAPIKey(const QString& value, const QString& account) override;
    void deleteAPIKey(const QString& account) override;
    QString locationDescription() const override;

    bool contains(const QString& account) const;

private:
    mutable QMutex m_mutex;
    QHash<QString, QString> m_keys;
};

}  // namespace ts
