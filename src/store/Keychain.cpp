#include "store/Keychain.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutexLocker>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <chrono>

#include "store/SecretServiceClient.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using Status = SecretServiceClient::Status;

const QString secretsBusName = QStringLiteral("org.freedesktop.secrets");

// Long enough for the bus to start gnome-keyring on a busy machine, short enough that a service
// that never starts costs one noticeable pause per process, not 25 seconds.
constexpr auto probeDeadline = 2000ms;
constexpr auto callDeadline = 3000ms;
// How long a save queued when the program ends may still start.
constexpr auto closeBound = 2000ms;

// Whether the bus can reach a Secret Service at all; answers in milliseconds.
bool secretServiceOnBus(QString& reason) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        reason = QStringLiteral("no session bus");
        return false;
    }
    QDBusConnectionInterface* daemon = bus.interface();
    if (!daemon) {
        reason = QStringLiteral("no bus daemon");
        return false;
    }
    const QDBusReply<bool> owned = daemon->isServiceRegistered(secretsBusName);
    if (owned.isValid() && owned.value()) {
        return true;
    }
    const QDBusReply<QStringList> activatable = daemon->activatableServiceNames();
    if (activatable.isValid() && activatable.value().contains(secretsBusName)) {
        return true;
    }
    reason = QStringLiteral("%1 is neither running nor activatable").arg(secretsBusName);
    return false;
}

bool onApplicationThread(const QObject* context) {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread() &&
           (!context || context->thread() == app->thread());
}

}  // namespace

Keychain& Keychain::shared() {
    static Keychain instance(defaultFallbackPath());
    return instance;
}

QString Keychain::defaultFallbackPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tessarine/keys");
}

Keychain::Keychain(const QString& fallbackPath) : m_file(fallbackPath), m_worker(closeBound) {}

QString Keychain::apiKeyAccount(ProviderKind kind) {
    return ts::apiKeyAccount(kind);
}

QString Keychain::itemLabel(const QString& account) {
    for (ProviderKind kind : EnumCases<ProviderKind>::all) {
        if (ts::apiKeyAccount(kind) == account) {
            return QStringLiteral("Tessarine API key (") + rawValue(kind) + QLatin1Char(')');
        }
    }
    return QStringLiteral("Tessarine API key (") + account + QLatin1Char(')');
}

Keychain::Backend Keychain::backend() const {
    QMutexLocker lock(&m_mutex);
    return resolveBackend();
}

Keychain::Backend Keychain::resolveBackend() const {
    if (m_backend) {
        return *m_backend;
    }
    QString reason;
    if (secretServiceOnBus(reason)) {
        // The name may be activatable by a service that never starts, or owned by one that
        // never answers: only a real call, with a deadline, tells.
        const auto probe =
            SecretServiceClient::lookup(QStringLiteral("io.tessarine.probe"), probeDeadline);
        if (probe.status != Status::unreachable) {
            m_backend = Backend::secretService;
            return *m_backend;
        }
        reason = QStringLiteral("the Secret Service did not answer");
    }
    qCInfo(lcKeyring, "keys are kept in %s (%s)", qPrintable(m_file.path()), qPrintable(reason));
    m_backend = Backend::file;
    return *m_backend;
}

bool Keychain::serviceUsable() const {
    return !m_serviceLost;
}

void Keychain::noteServiceLost() const {
    if (!m_serviceLost) {
        qCWarning(lcKeyring, "the Secret Service stopped answering; keys are unavailable");
    }
    m_serviceLost = true;
}

QString Keychain::readAPIKey(const QString& account) {
    QMutexLocker lock(&m_mutex);
    if (resolveBackend() == Backend::file) {
        return m_file.read(account);
    }
    if (!serviceUsable()) {
        return {};
    }
    const auto answer = SecretServiceClient::lookup(account, callDeadline);
    if (answer.status == Status::unreachable) {
        noteServiceLost();
    }
    return answer.status == Status::ok ? answer.value : QString();
}

void Keychain::saveAPIKey(const QString& value, const QString& account) {
    QMutexLocker lock(&m_mutex);
    if (resolveBackend() == Backend::file) {
        m_file.save(value, account);
        return;
    }
    if (!serviceUsable()) {
        return;
    }
    if (SecretServiceClient::replace(account, itemLabel(account), value, callDeadline) ==
        Status::unreachable) {
        noteServiceLost();
    }
}

void Keychain::deleteAPIKey(const QString& account) {
    QMutexLocker lock(&m_mutex);
    if (resolveBackend() == Backend::file) {
        m_file.remove(account);
        return;
    }
    if (!serviceUsable()) {
        return;
    }
    if (SecretServiceClient::clear(account, callDeadline) == Status::unreachable) {
        noteServiceLost();
    }
}

QString Keychain::locationDescription() const {
    return backend() == Backend::file ? m_file.path() : QStringLiteral("system keyring");
}

void Keychain::readAPIKeyLater(const QString& account, QObject* context, KeyCallback done) {
    if (!context || !onApplicationThread(context)) {
        KeyStore::readAPIKeyLater(account, context, std::move(done));
        return;
    }
    // The guard is read on the context's thread only, where the context can go away.
    const QPointer<QObject> guard(context);
    m_worker.post([this, account, guard, done = std::move(done)](bool closing) {
        if (closing) {
            return SerialWorker::Delivery();
        }
        const QString key = readAPIKey(account);
        return SerialWorker::Delivery([guard, done, key] {
            if (guard) {
                done(key);
            }
        });
    });
}

void Keychain::saveAPIKeyLater(const QString& value, const QString& account) {
    if (!onApplicationThread(nullptr)) {
        saveAPIKey(value, account);
        return;
    }
    m_worker.post([this, value, account](bool) {
        saveAPIKey(value, account);
        return SerialWorker::Delivery();
    });
}

}  // namespace ts
