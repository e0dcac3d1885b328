#include "desktop/hotkeys/DesktopSession.h"

// Qt's `signals` keyword is a member name in GIO's headers.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>

#include "desktop/hotkeys/ShortcutSyntax.h"

namespace ts {

namespace {

bool mentions(const QStringList& names, const char* name) {
    return names.contains(QLatin1String(name), Qt::CaseInsensitive);
}

QString configHome() {
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    return set.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : set;
}

}  // namespace

QString sessionTypeName(SessionType type) {
    switch (type) {
        case SessionType::x11:
            return QStringLiteral("x11");
        case SessionType::wayland:
            return QStringLiteral("wayland");
        case SessionType::none:
            break;
    }
    return QStringLiteral("none");
}

QString mechanismName(HotkeyMechanism mechanism) {
    switch (mechanism) {
        case HotkeyMechanism::x11Grab:
            return QStringLiteral("x11-grab");
        case HotkeyMechanism::portal:
            return QStringLiteral("portal");
        case HotkeyMechanism::kglobalaccel:
            return QStringLiteral("kglobalaccel");
        case HotkeyMechanism::gnomeCustom:
            return QStringLiteral("gnome-custom");
        case HotkeyMechanism::compositorConfig:
            return QStringLiteral("compositor-config");
        case HotkeyMechanism::none:
            break;
    }
    return QStringLiteral("none");
}

DesktopSession detectSession(const QProcessEnvironment& env) {
    DesktopSession session;
    session.desktop = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    const bool wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
                         env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    if (wayland) {
        session.type = SessionType::wayland;
    } else if (!env.value(QStringLiteral("DISPLAY")).isEmpty()) {
        session.type = SessionType::x11;
    }
    const QStringList names = session.desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (mentions(names, "GNOME")) {
        session.compositor = Compositor::gnome;
    } else if (mentions(names, "KDE")) {
        session.compositor = Compositor::kde;
    } else if (mentions(names, "sway") || env.contains(QStringLiteral("SWAYSOCK"))) {
        session.compositor = Compositor::sway;
    } else if (mentions(names, "Hyprland") ||
               env.contains(QStringLiteral("HYPRLAND_INSTANCE_SIGNATURE"))) {
        session.compositor = Compositor::hyprland;
    }
    return session;
}

DoorProbe probeDoors(const DesktopSession& session) {
    DoorProbe probe;
    if (session.type != SessionType::wayland) {
        return probe;
    }
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source != nullptr) {
        GSettingsSchema* schema = g_settings_schema_source_lookup(
            source, "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding", TRUE);
        probe.gnomeSchema = schema != nullptr;
        if (schema != nullptr) {
            g_settings_schema_unref(schema);
        }
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return probe;
    }
    probe.kglobalaccel =
        bus.interface()->isServiceRegistered(QStringLiteral("org.kde.kglobalaccel")).value();
    // Asking the portal's version also starts it when the bus can activate it.
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 3000);
    probe.portalShortcuts = reply.type() == QDBusMessage::ReplyMessage;
    return probe;
}

HotkeyMechanism chooseMechanism(const DesktopSession& session, const DoorProbe& probe,
                                bool afterPortal) {
    switch (session.type) {
        case SessionType::none:
            return HotkeyMechanism::none;
        case SessionType::x11:
            return HotkeyMechanism::x11Grab;
        case SessionType::wayland:
            break;
    }
    const bool kde = session.compositor == Compositor::kde;
    if (kde && probe.kglobalaccel) {
        return HotkeyMechanism::kglobalaccel;
    }
    if (probe.portalShortcuts && !afterPortal) {
        return HotkeyMechanism::portal;
    }
    if (session.compositor == Compositor::gnome && probe.gnomeSchema) {
        return HotkeyMechanism::gnomeCustom;
    }
    if (probe.kglobalaccel) {
        return HotkeyMechanism::kglobalaccel;
    }
    return HotkeyMechanism::compositorConfig;
}

QStringList compositorConfigLines(Compositor compositor, const Shortcut& window,
                                  const std::optional<Shortcut>& inPlace, const QString& program) {
    QList<std::pair<Shortcut, QString>> bindings{
        {window, program + QLatin1Char(' ') + QLatin1String(kToggleOption)}};
    if (inPlace) {
        bindings.append({*inPlace, program + QLatin1Char(' ') + QLatin1String(kInPlaceOption)});
    }
    QStringList lines;
    for (const auto& [shortcut, command] : std::as_const(bindings)) {
        switch (compositor) {
            case Compositor::gnome:
            case Compositor::kde:
                return {};
            case Compositor::sway:
                lines << QStringLiteral("bindsym %1 exec %2").arg(swayKeys(shortcut), command);
                break;
            case Compositor::hyprland:
                lines << QStringLiteral("bind = %1, exec, %2").arg(hyprlandKeys(shortcut), command);
                break;
            case Compositor::other:
                lines << QStringLiteral("%1  %2").arg(swayKeys(shortcut), command);
                break;
        }
    }
    return lines;
}

QString compositorConfigFile(Compositor compositor) {
    switch (compositor) {
        case Compositor::sway:
            return configHome() + QStringLiteral("/sway/config");
        case Compositor::hyprland:
            return configHome() + QStringLiteral("/hypr/hyprland.conf");
        case Compositor::gnome:
        case Compositor::kde:
        case Compositor::other:
            break;
    }
    return {};
}

bool compositorConfigMentions(Compositor compositor, const QString& option) {
    QFile file(compositorConfigFile(compositor));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.startsWith(QLatin1Char('#')) && text.contains(QLatin1String("tessarine")) &&
            text.contains(option)) {
            return true;
        }
    }
    return false;
}

}  // namespace ts
