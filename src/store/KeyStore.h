#pragma once

#include <QString>

namespace ts {

// Where API keys live, one per account name. Every failure is silent: a key that cannot be read
// is the empty key.
class KeyStore {
public:
    virtual ~KeyStore();

    virtual QString readAPIKey(const QString& account) = 0;
    virtual void saveAPIKey(const QString& value, const QString& account) = 0;
    virtual void deleteAPIKey(const QString& account) = 0;

    // For the one line that tells the user where keys are kept: "system keyring" or a file path.
    virtual QString locationDescription() const = 0;
};

}  // namespace ts
