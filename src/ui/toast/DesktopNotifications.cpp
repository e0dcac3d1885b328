#include "ui/toast/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QVariantMap>

namespace ts {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

bool DesktopNotifications::serverAvailable() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() != nullptr &&
           bus.interface()->isServiceRegistered(kService).value();
}

void DesktopNotifications::show(const QString& text, ToastKind kind,
                                std::optional<std::chrono::milliseconds> duration) {
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("io.tessarine.Tessarine")},
        {QStringLiteral("urgency"), QVariant::fromValue<uchar>(kind == ToastKind::error ? 1 : 0)},
        // Progress and outcomes are news of the moment, not for the notification history.
        {QStringLiteral("transient"), true}};
    // Servers may read the body as markup.
    notify << QStringLiteral("Tessarine") << lastId_ << QStringLiteral("io.tessarine.Tessarine")
           << QStringLiteral("Tessarine") << text.toHtmlEscaped() << QStringList() << hints
           << int(duration ? duration->count() : 0);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isValid()) {
                    lastId_ = reply.value();
                }
                call->deleteLater();
            });
}

}  // namespace ts
