#include "desktop/platform/KeyChord.h"

#include <QStringList>

namespace ts {

QString describe(const KeyChord& chord) {
    QStringList parts;
    if (chord.modifiers & Modifier::super) {
        parts << QStringLiteral("Super");
    }
    if (chord.modifiers & Modifier::control) {
        parts << QStringLiteral("Ctrl");
    }
    if (chord.modifiers & Modifier::alt) {
        parts << QStringLiteral("Alt");
    }
    if (chord.modifiers & Modifier::shift) {
        parts << QStringLiteral("Shift");
    }
    parts << QStringLiteral("0x%1").arg(chord.keysym, 0, 16);
    return parts.join(QLatin1Char('+'));
}

}  // namespace ts
