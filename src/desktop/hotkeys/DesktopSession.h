#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

enum class SessionType { x11, wayland, none };
enum class Compositor { gnome, kde, sway, hyprland, other };

// Through which door the global hotkeys reach us. On Wayland no program may grab keys: each
// desktop has its own way, tried in this order.
enum class HotkeyMechanism { x11Grab, portal, kglobalaccel, gnomeCustom, compositorConfig, none };

// The door a running Tessarine uses, as its windows show it.
struct HotkeyDoor {
    HotkeyMechanism mechanism = HotkeyMechanism::none;
    QStringList configLines = {};  // compositorConfig: what the user adds
};

// "x11", "wayland", "none" and "x11-grab", "portal", ...: the names the command line prints.
QString sessionTypeName(SessionType type);
QString mechanismName(HotkeyMechanism mechanism);

struct DesktopSession {
    SessionType type = SessionType::none;
    QString desktop;  // XDG_CURRENT_DESKTOP as set, "" when unset
    Compositor compositor = Compositor::other;
};

// A Wayland session also when this program talks to XWayland (DISPLAY set as well): its X grabs
// would only fire while one of its own windows has the focus.
DesktopSession detectSession(
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// What the session bus and the installed schemas offer, asked once.
struct DoorProbe {
    bool portalShortcuts = false;  // org.freedesktop.portal.GlobalShortcuts is offered
    bool kglobalaccel = false;     // org.kde.kglobalaccel is on the bus
    bool gnomeSchema = false;      // GNOME's custom-keybinding schema is installed
};
// Asks nothing outside a Wayland session, where the answer makes no difference.
DoorProbe probeDoors(const DesktopSession& session);

// The first door that can take our shortcuts. `afterPortal`: the portal answered with nothing.
// Plasma's portal binds nothing for a program without an application id, which a packaged
// program started from a menu is: there KDE's own service comes first.
HotkeyMechanism chooseMechanism(const DesktopSession& session, const DoorProbe& probe,
                                bool afterPortal = false);

// The lines to add to the compositor's configuration for the two shortcuts (the in-place one
// left out when it is off). Empty for a desktop that registers shortcuts itself.
QStringList compositorConfigLines(Compositor compositor, const Shortcut& window,
                                  const std::optional<Shortcut>& inPlace, const QString& program);
// The configuration file those lines go in ("~/.config/sway/config"), empty when unknown.
QString compositorConfigFile(Compositor compositor);
// Whether that file already runs `program --toggle` / `--in-place` (ours, any keys).
bool compositorConfigMentions(Compositor compositor, const QString& option);

// The trigger command's arguments.
inline constexpr const char* kToggleOption = "--toggle";
inline constexpr const char* kInPlaceOption = "--in-place";

}  // namespace ts
