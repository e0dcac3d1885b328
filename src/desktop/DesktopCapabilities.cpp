#include "desktop/DesktopCapabilities.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "desktop/hotkeys/GnomeShortcuts.h"
#include "desktop/platform/wayland/WaylandProtocols.h"
#include "desktop/platform/x11/X11Probe.h"

namespace ts {

namespace {

// The one place the report asks the Wayland platform about the compositor's protocols.
bool compositorOffersKeyboardAndClipboard() {
    return waylandOffersKeyboardAndClipboard();
}

bool accessibilityBusRegistered() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value();
}

bool hotkeysWork(HotkeyMechanism mechanism, const DesktopSession& session, bool x11) {
    switch (mechanism) {
        case HotkeyMechanism::x11Grab:
            return x11;
        case HotkeyMechanism::gnomeCustom:
            return GnomeShortcuts::installed(GnomeShortcuts::Entry::window).has_value();
        case HotkeyMechanism::kglobalaccel:
        case HotkeyMechanism::portal:
            return true;
        case HotkeyMechanism::compositorConfig:
            return compositorConfigMentions(session.compositor, QLatin1String(kToggleOption)) ||
                   compositorConfigMentions(session.compositor, QLatin1String(kInPlaceOption));
        case HotkeyMechanism::none:
            break;
    }
    return false;
}

}  // namespace

DesktopCapabilities probeCapabilities() {
    DesktopCapabilities out = probeTextAccess();
    out.hotkeys = chooseMechanism(out.session, probeDoors(out.session));
    out.hotkeysOk = hotkeysWork(out.hotkeys, out.session, out.read == QLatin1String("x11-copy"));
    return out;
}

DesktopCapabilities probeTextAccess() {
    DesktopCapabilities out;
    out.session = detectSession();
    const bool x11 = out.session.type == SessionType::x11 && x11::displayOffersXTest();
    if (x11) {
        out.read = QStringLiteral("x11-copy");
        out.write = QStringLiteral("x11-paste");
        out.clipboard = QStringLiteral("x11-selections");
        out.strip = true;
    } else if (out.session.type == SessionType::wayland) {
        const bool protocols = compositorOffersKeyboardAndClipboard();
        if (accessibilityBusRegistered()) {
            out.read = out.write = QStringLiteral("atspi");
        } else if (protocols) {
            out.read = out.write = QStringLiteral("virtual-keyboard");
        }
        if (protocols) {
            out.clipboard = QStringLiteral("data-control");
        }
    }
    return out;
}

}  // namespace ts
