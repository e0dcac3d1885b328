#pragma once

#include <QString>
#include <Qt>
#include <optional>

#include "desktop/platform/KeyChord.h"

namespace ts {

// Carbon modifier bits, the encoding of stored shortcuts.
inline constexpr quint32 kCarbonCommand = 0x100;
inline constexpr quint32 kCarbonShift = 0x200;
inline constexpr quint32 kCarbonOption = 0x800;
inline constexpr quint32 kCarbonControl = 0x1000;

// A stored shortcut: mac virtual key code and Carbon modifier mask.
struct Shortcut {
    quint32 keyCode = 0;
    quint32 modifiers = 0;

    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

inline constexpr Shortcut kDefaultWindowShortcut{14, kCarbonCommand | kCarbonOption};
inline constexpr Shortcut kDefaultInPlaceShortcut{14,
                                                  kCarbonCommand | kCarbonOption | kCarbonControl};

// Command is Ctrl, Option is Alt, Control is Super, Shift is Shift; other bits are dropped.
Modifiers modifiersFromCarbon(quint32 mask);
// Qt's Ctrl is Command, Alt is Option, Meta is Control; keypad and other flags are dropped.
quint32 carbonFromQt(Qt::KeyboardModifiers modifiers);
// The modifier bits of an X key event's state (Shift, Control, Mod1 = Alt, Mod4 = Super): what
// the server says was held, which Qt's own tracking of synthetic keys sometimes is not.
quint32 carbonFromX11State(quint32 state);
// The X chord of a stored shortcut; nothing for a key outside the key table.
std::optional<KeyChord> keyChord(const Shortcut& shortcut);

// "⌃⌥⇧⌘" glyphs and the key name, "Key105" for unknown codes, "Not set" for 0/0.
QString displayString(const Shortcut& shortcut);
// The same for a Linux desktop: "Super+Ctrl+Alt+E".
QString linuxDisplayString(const Shortcut& shortcut);

}  // namespace ts
