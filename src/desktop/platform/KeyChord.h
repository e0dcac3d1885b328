#pragma once

#include <QFlags>
#include <QString>
#include <QtGlobal>

namespace ts {

// Modifiers as the X server names them (Control, Shift, Mod1 = Alt, Mod4 = Super).
enum class Modifier : quint8 {
    shift = 0x1,
    control = 0x2,
    alt = 0x4,
    super = 0x8,
};
Q_DECLARE_FLAGS(Modifiers, Modifier)
Q_DECLARE_OPERATORS_FOR_FLAGS(Modifiers)

// A key with its modifiers, the key given as an X keysym (layout-independent: "c" is 0x63
// whatever the active layout, the platform finds a key that produces it).
struct KeyChord {
    quint32 keysym = 0;
    Modifiers modifiers;

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// "Ctrl+Shift+0x63" style text for logs and test failure messages.
QString describe(const KeyChord& chord);

}  // namespace ts
