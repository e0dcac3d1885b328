#pragma once

#include <QString>
#include <functional>

class QObject;

namespace ts {

// Where API keys live, one per account name. Every failure is silent: a key that cannot be read
// is the empty key.
class KeyStore {
public:
    using KeyCallback = std::function<void(const QString& key)>;

    virtual ~KeyStore();

    virtual QString readAPIKey(const QString& account) = 0;
    virtual void saveAPIKey(const QString& value, const QString& account) = 0;
    virtual void deleteAPIKey(const QString& account) = 0;

    // For the one line that tells the user where keys are kept: "system keyring" or a file path.
    virtual QString locationDescription() const = 0;

    // The key without blocking the caller's thread: `done` runs on `context`'s thread after
    // control returns to its event loop, and not at all once `context` is gone. Stores that may
    // block (the Secret Service) read on a thread of their own.
    virtual void readAPIKeyLater(const QString& account, QObject* context, KeyCallback done);
    // Saves without blocking the caller's thread where the store may block; a later
    // readAPIKeyLater sees the value. Here: saves at once.
    virtual void saveAPIKeyLater(const QString& value, const QString& account);
};

}  // namespace ts
