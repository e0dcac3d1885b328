#pragma once

#include <QString>
#include <optional>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

// A stored shortcut as each desktop writes it. Every function answers empty (or 0) for a key
// outside the key table.

// The X keysym's name: "e", "5", "equal", "Return", "F1".
QString keysymName(quint32 keysym);
// GNOME's accelerator syntax: "<Super><Control><Alt>e".
QString gnomeAccelerator(const Shortcut& shortcut);
// An accelerator reduced to what decides a clash: the modifiers and the lower-case key name.
struct Accelerator {
    Modifiers modifiers;
    QString key;

    friend bool operator==(const Accelerator&, const Accelerator&) = default;
};
// Any spelling GNOME accepts (<Primary>, <Ctrl>, <Control>, <Mod4>, <Super>, ...).
std::optional<Accelerator> parseGnomeAccelerator(const QString& text);
std::optional<Accelerator> acceleratorOf(const Shortcut& shortcut);
// Qt's key combination as one integer, what KDE's global shortcut service stores.
int qtKeyCombination(const Shortcut& shortcut);
// The GlobalShortcuts portal's preferred trigger: "LOGO+CTRL+ALT+e".
QString portalTrigger(const Shortcut& shortcut);
// sway's bindsym keys: "Mod4+Ctrl+Alt+e".
QString swayKeys(const Shortcut& shortcut);
// Hyprland's "MODS, key" pair: "SUPER CTRL ALT, e".
QString hyprlandKeys(const Shortcut& shortcut);

}  // namespace ts
