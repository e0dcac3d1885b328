#include "store/KeyStore.h"

#include <QTimer>

namespace ts {

KeyStore::~KeyStore() = default;

void KeyStore::readAPIKeyLater(const QString& account, QObject* context, KeyCallback done) {
    QTimer::singleShot(0, context,
                       [this, account, done = std::move(done)] { done(readAPIKey(account)); });
}

void KeyStore::saveAPIKeyLater(const QString& value, const QString& account) {
    saveAPIKey(value, account);
}

}  // namespace ts
