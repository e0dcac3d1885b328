#include "desktop/hotkeys/PortalShortcuts.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>

#include "desktop/DesktopLogging.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/ShortcutSyntax.h"

namespace ts {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& out) {
    in.beginStructure();
    in >> out.id >> out.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& in) {
    out.beginStructure();
    out << in.id << in.properties;
    out.endStructure();
    return out;
}

QString shortcutId(quint32 id) {
    return id == kWindowHotKeyId ? QStringLiteral("toggle-window")
                                 : QStringLiteral("rewrite-in-place");
}

}  // namespace

}  // namespace ts

Q_DECLARE_METATYPE(ts::PortalShortcut)

namespace ts {

PortalShortcuts::PortalShortcuts(QObject* parent) : QObject(parent) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    if (!QDBusConnection::sessionBus().connect(
            kPortal, kPortalPath, kInterface, QStringLiteral("Activated"), this,
            SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)))) {
        qCWarning(lcHotkeys, "portal: cannot listen for activated shortcuts");
    }
}

PortalShortcuts::~PortalShortcuts() {
    closeSession();
}

void PortalShortcuts::bind(const QMap<quint32, Shortcut>& shortcuts) {
    wanted_ = shortcuts;
    // A session keeps what it bound first: changed keys get a new one.
    closeSession();
    if (wanted_.isEmpty()) {
        return;
    }
    const QString token = QStringLiteral("tessarine%1").arg(++serial_);
    QVariantMap options{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), token}};
    step_ = Step::creating;
    if (!request(QStringLiteral("CreateSession"), {options}, token)) {
        step_ = Step::idle;
    }
}

bool PortalShortcuts::request(const QString& method, const QVariantList& arguments,
                              const QString& token) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!requestPath_.isEmpty()) {
        bus.disconnect(kPortal, requestPath_, QStringLiteral("org.freedesktop.portal.Request"),
                       QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
    }
    // The request's path is known before the call, so its answer cannot slip past us.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    requestPath_ =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    if (!bus.connect(kPortal, requestPath_, QStringLiteral("org.freedesktop.portal.Request"),
                     QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)))) {
        emit refused(QStringLiteral("%1: cannot listen for the answer").arg(method));
        return false;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(kPortal, kPortalPath, kInterface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus.call(message, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        emit refused(QStringLiteral("%1: %2").arg(method, reply.errorMessage()));
        return false;
    }
    return true;
}

void PortalShortcuts::sendBind() {
    QList<PortalShortcut> shortcuts;
    for (auto it = wanted_.constBegin(); it != wanted_.constEnd(); ++it) {
        shortcuts.append(PortalShortcut{
            shortcutId(it.key()),
            {{QStringLiteral("description"), it.key() == kWindowHotKeyId
                                                 ? QStringLiteral("Open Tessarine")
                                                 : QStringLiteral("Rewrite in place")},
             {QStringLiteral("preferred_trigger"), portalTrigger(it.value())}}});
    }
    const QString token = QStringLiteral("tessarine%1").arg(++serial_);
    step_ = Step::binding;
    if (!request(QStringLiteral("BindShortcuts"),
                 {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts),
                  QString(), QVariantMap{{QStringLiteral("handle_token"), token}}},
                 token)) {
        step_ = Step::idle;
    }
}

void PortalShortcuts::onResponse(uint code, const QVariantMap& results) {
    const Step step = step_;
    step_ = Step::idle;
    if (code != 0) {
        emit refused(QStringLiteral("the portal answered %1").arg(code));
        return;
    }
    if (step == Step::creating) {
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        session_ = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                        : handle.toString();
        sendBind();
        return;
    }
    if (step != Step::binding) {
        return;
    }
    QList<PortalShortcut> given;
    const QVariant list = results.value(QStringLiteral("shortcuts"));
    if (list.canConvert<QDBusArgument>()) {
        list.value<QDBusArgument>() >> given;
    }
    if (given.isEmpty()) {
        emit refused(QStringLiteral("BindShortcuts bound no shortcut"));
        return;
    }
    for (const PortalShortcut& shortcut : std::as_const(given)) {
        qCInfo(lcHotkeys, "portal shortcut %s: %s", qUtf8Printable(shortcut.id),
               qUtf8Printable(
                   shortcut.properties.value(QStringLiteral("trigger_description")).toString()));
    }
    emit bound();
}

void PortalShortcuts::onActivated(const QDBusObjectPath& session, const QString& shortcut,
                                  qulonglong, const QVariantMap&) {
    if (session.path() != session_) {
        return;
    }
    for (quint32 id : {kWindowHotKeyId, kInPlaceHotKeyId}) {
        if (shortcut == shortcutId(id)) {
            emit pressed(id);
        }
    }
}

void PortalShortcuts::closeSession() {
    if (session_.isEmpty()) {
        return;
    }
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(kPortal, session_,
                                       QStringLiteral("org.freedesktop.portal.Session"),
                                       QStringLiteral("Close")),
        QDBus::NoBlock);
    session_.clear();
}

}  // namespace ts
