#pragma once

#include <QMutex>
#include <QString>
#include <optional>

#include "core/Enums.h"
#include "store/KeyFile.h"
#include "store/KeyStore.h"
#include "store/SerialWorker.h"

namespace ts {

// API keys in the desktop's Secret Service, one item per provider kind, or in an owner-only file
// when no Secret Service is reachable. Where keys go is decided once per process, on first use,
// within about two seconds even when the service hangs. The "later" calls made on the
// application's thread run on one thread of the keychain's own, in order; elsewhere they fall
// back to the blocking ones.
class Keychain final : public KeyStore {
public:
    enum class Backend { secretService, file };

    static Keychain& shared();
    // $XDG_CONFIG_HOME/tessarine/keys
    static QString defaultFallbackPath();

    explicit Keychain(const QString& fallbackPath);

    static QString apiKeyAccount(ProviderKind kind);
    // "Tessarine API key (OpenAI)"; the account itself for names of no provider kind.
    static QString itemLabel(const QString& account);

    QString readAPIKey(const QString& account) override;
    void saveAPIKey(const QString& value, const QString& account) override;
    void deleteAPIKey(const QString& account) override;
    // "system keyring", or the fallback file's path.
    QString locationDescription() const override;
    void readAPIKeyLater(const QString& account, QObject* context, KeyCallback done) override;
    void saveAPIKeyLater(const QString& value, const QString& account) override;

    Backend backend() const;
    QString fallbackFilePath() const { return m_file.path(); }

private:
    Backend resolveBackend() const;
    // False once a call to the service ran out of time: later calls fail at once.
    bool serviceUsable() const;
    void noteServiceLost() const;

    mutable QMutex m_mutex;
    mutable std::optional<Backend> m_backend;
    mutable bool m_serviceLost = false;
    KeyFile m_file;
    // Last, so that it is closed before the members its jobs use go away.
    SerialWorker m_worker;
};

}  // namespace ts
