#include "ui/toast/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace ts {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// The server answers at once; one that does not costs no more than this.
constexpr int kCallTimeoutMs = 500;

QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, kCallTimeoutMs);
}

// Servers that do not read markup show it as it stands.
QString escapedForMarkup(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

}  // namespace

// Servers such as mako and dunst are started by the bus on first use.
bool DesktopNotifications::serverAvailable() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    return bus.interface()->isServiceRegistered(kService).value() ||
           bus.interface()->activatableServiceNames().value().contains(kService);
}

void DesktopNotifications::show(const QString& text, ToastKind kind,
                                std::optional<std::chrono::milliseconds> duration) {
    if (!markup_) {
        const QDBusReply<QStringList> capabilities = call(QStringLiteral("GetCapabilities"));
        markup_ =
            capabilities.isValid() && capabilities.value().contains(QStringLiteral("body-markup"));
    }
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("io.tessarine.Tessarine")},
        {QStringLiteral("urgency"), QVariant::fromValue<uchar>(kind == ToastKind::error ? 1 : 0)},
        // Progress and outcomes are news of the moment, not for the notification history.
        {QStringLiteral("transient"), true}};
    // Waited for, so the next message replaces this one instead of standing beside it. A
    // progress message stays until its outcome replaces it.
    const QDBusReply<uint> id =
        call(QStringLiteral("Notify"),
             {QStringLiteral("Tessarine"), lastId_, QStringLiteral("io.tessarine.Tessarine"),
              QStringLiteral("Tessarine"), *markup_ ? escapedForMarkup(text) : text, QStringList(),
              hints, int(duration ? duration->count() : 0)});
    lastId_ = id.isValid() ? id.value() : 0;
}

}  // namespace ts
