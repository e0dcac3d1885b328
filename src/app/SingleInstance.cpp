#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <algorithm>

namespace ts {

namespace {

// A first instance that is still starting answers once its event loop runs.
constexpr int kCallTimeoutMs = 10000;

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (registered_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(QLatin1String(kServiceName));
        unregisterObjects();
    }
}

void SingleInstance::exportObject(const QString& path, QDBusVirtualObject* object) {
    objects_.append({path, object});
}

void SingleInstance::unregisterObjects() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QLatin1String(kObjectPath));
    for (const auto& [path, object] : std::as_const(objects_)) {
        bus.unregisterObject(path);
    }
}

SingleInstance::Claim SingleInstance::claim(const Request& request, QString* error) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *error = bus.lastError().message();
        return Claim::noBus;
    }
    // The object first, so a caller that sees the name finds it.
    bus.registerObject(QLatin1String(kObjectPath), this, QDBusConnection::ExportScriptableSlots);
    for (const auto& [path, object] : std::as_const(objects_)) {
        bus.registerVirtualObject(path, object);
    }
    if (bus.registerService(QLatin1String(kServiceName))) {
        registered_ = true;
        return Claim::first;
    }
    unregisterObjects();

    const QString method = !request.action.isEmpty() ? QLatin1String(kTriggerMethod)
                           : request.urls.isEmpty()  ? QStringLiteral("Reopen")
                                                     : QStringLiteral("OpenURLs");
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kServiceName), QLatin1String(kObjectPath), QLatin1String(kInterface), method);
    if (!request.action.isEmpty()) {
        call << request.action;
    } else if (!request.urls.isEmpty()) {
        call << request.urls;
    }
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *error = reply.errorMessage();
        return Claim::failed;
    }
    return Claim::forwarded;
}

void SingleInstance::Reopen() {
    emit reopenRequested();
}

void SingleInstance::OpenURLs(const QStringList& urls) {
    emit openURLsRequested(urls);
}

void SingleInstance::Trigger(const QString& action) {
    const QLatin1String known[] = {QLatin1String(kToggleAction), QLatin1String(kRewriteAction),
                                   QLatin1String(kProofreadAction)};
    if (std::find(std::begin(known), std::end(known), action) == std::end(known)) {
        if (calledFromDBus()) {
            sendErrorReply(
                QDBusError::InvalidArgs,
                QStringLiteral("unknown action \"%1\" (toggle, rewrite, proofread)").arg(action));
        }
        return;
    }
    // The caller is answered first: the action may take a while (a rewrite waits for a model).
    QMetaObject::invokeMethod(
        this, [this, action] { emit triggerRequested(action); }, Qt::QueuedConnection);
}

}  // namespace ts
