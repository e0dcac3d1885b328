#include "desktop/hotkeys/KdeGlobalAccel.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "desktop/DesktopLogging.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/ShortcutSyntax.h"

namespace ts {

namespace {

const QString kService = QStringLiteral("org.kde.kglobalaccel");
const QString kPath = QStringLiteral("/kglobalaccel");
const QString kInterface = QStringLiteral("org.kde.KGlobalAccel");

// KGlobalAccel's setter flags: the shortcut is present (its owner runs), and the keys given
// win over what KDE loaded from its own configuration.
constexpr uint kIsDefault = 1;
constexpr uint kSetPresent = 2;
constexpr uint kNoAutoloading = 4;

QStringList actionId(quint32 id) {
    const bool window = id == kWindowHotKeyId;
    return {QLatin1String(KdeGlobalAccel::kComponent),
            QLatin1String(window ? KdeGlobalAccel::kWindowAction : KdeGlobalAccel::kInPlaceAction),
            QStringLiteral("Tessarine"),
            window ? QStringLiteral("Open window") : QStringLiteral("Rewrite in place")};
}

QDBusMessage call(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qCWarning(lcHotkeys, "kglobalaccel %s: %s", qUtf8Printable(method),
                  qUtf8Printable(reply.errorMessage()));
    }
    return reply;
}

QList<int> keysOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    QList<int> keys;
    const QVariant first = reply.arguments().constFirst();
    if (first.canConvert<QDBusArgument>()) {
        first.value<QDBusArgument>() >> keys;
    } else {
        keys = first.value<QList<int>>();
    }
    keys.removeAll(0);
    return keys;
}

}  // namespace

KdeGlobalAccel::KdeGlobalAccel(QObject* parent) : QObject(parent) {}

bool KdeGlobalAccel::available() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

bool KdeGlobalAccel::bind(quint32 id, const Shortcut& shortcut) {
    const int key = qtKeyCombination(shortcut);
    if (key == 0) {
        return false;
    }
    const QStringList action = actionId(id);
    call(QStringLiteral("doRegister"), {action});
    const QVariant keys = QVariant::fromValue(QList<int>{key});
    call(QStringLiteral("setShortcut"), {action, keys, kNoAutoloading | kIsDefault});
    const QList<int> given =
        keysOf(call(QStringLiteral("setShortcut"), {action, keys, kNoAutoloading | kSetPresent}));
    if (!listening_) {
        const QDBusMessage reply =
            call(QStringLiteral("getComponent"), {QLatin1String(kComponent)});
        const QString path = reply.arguments().isEmpty()
                                 ? QString()
                                 : reply.arguments().constFirst().value<QDBusObjectPath>().path();
        listening_ =
            !path.isEmpty() && QDBusConnection::sessionBus().connect(
                                   kService, path, QStringLiteral("org.kde.kglobalaccel.Component"),
                                   QStringLiteral("globalShortcutPressed"), this,
                                   SLOT(onPressed(QString, QString, qlonglong)));
        if (!listening_) {
            qCWarning(lcHotkeys, "kglobalaccel: cannot listen for presses of %s",
                      qUtf8Printable(path));
        }
    }
    return given.contains(key);
}

void KdeGlobalAccel::unbind(quint32 id) {
    call(QStringLiteral("unregister"), {QLatin1String(kComponent), actionId(id).at(1)});
}

void KdeGlobalAccel::deactivate(quint32 id) {
    call(QStringLiteral("setInactive"), {actionId(id)});
}

QList<int> KdeGlobalAccel::boundKeys(quint32 id) {
    if (!available()) {
        return {};
    }
    return keysOf(call(QStringLiteral("shortcut"), {actionId(id)}));
}

void KdeGlobalAccel::onPressed(const QString& component, const QString& action, qlonglong) {
    if (component != QLatin1String(kComponent)) {
        return;
    }
    if (action == QLatin1String(kWindowAction)) {
        emit pressed(kWindowHotKeyId);
    } else if (action == QLatin1String(kInPlaceAction)) {
        emit pressed(kInPlaceHotKeyId);
    }
}

}  // namespace ts
