#include "desktop/hotkeys/ShortcutSyntax.h"

#include <QStringList>
#include <utility>

#include "desktop/hotkeys/MacKeyTable.h"

namespace ts {

namespace {

// clang-format off
constexpr std::pair<quint32, const char*> kNamedKeysyms[] = {
    {0x20, "space"}, {0x27, "apostrophe"}, {0x2c, "comma"}, {0x2d, "minus"}, {0x2e, "period"},
    {0x2f, "slash"}, {0x3b, "semicolon"}, {0x3d, "equal"}, {0x5b, "bracketleft"},
    {0x5c, "backslash"}, {0x5d, "bracketright"}, {0x60, "grave"},
    {0xff08, "BackSpace"}, {0xff09, "Tab"}, {0xff0d, "Return"}, {0xff1b, "Escape"},
    {0xff51, "Left"}, {0xff52, "Up"}, {0xff53, "Right"}, {0xff54, "Down"},
};
constexpr std::pair<quint32, int> kQtKeys[] = {
    {0x20, Qt::Key_Space}, {0xff08, Qt::Key_Backspace}, {0xff09, Qt::Key_Tab},
    {0xff0d, Qt::Key_Return}, {0xff1b, Qt::Key_Escape}, {0xff51, Qt::Key_Left},
    {0xff52, Qt::Key_Up}, {0xff53, Qt::Key_Right}, {0xff54, Qt::Key_Down},
};
// clang-format on

constexpr quint32 kF1 = 0xffbe;
constexpr quint32 kF12 = 0xffc9;

std::optional<KeyChord> chordOf(const Shortcut& shortcut) {
    return keyChord(shortcut);
}

// Joins the held modifiers' names in the order Super, Ctrl, Alt, Shift.
QStringList modifierNames(Modifiers modifiers, const char* super, const char* control,
                          const char* alt, const char* shift) {
    QStringList out;
    const std::pair<Modifier, const char*> order[] = {{Modifier::super, super},
                                                      {Modifier::control, control},
                                                      {Modifier::alt, alt},
                                                      {Modifier::shift, shift}};
    for (const auto& [modifier, name] : order) {
        if (modifiers.testFlag(modifier)) {
            out << QString::fromLatin1(name);
        }
    }
    return out;
}

}  // namespace

QString keysymName(quint32 keysym) {
    for (const auto& [sym, name] : kNamedKeysyms) {
        if (sym == keysym) {
            return QString::fromLatin1(name);
        }
    }
    if (keysym >= kF1 && keysym <= kF12) {
        return QStringLiteral("F%1").arg(keysym - kF1 + 1);
    }
    if (keysym > 0x20 && keysym < 0x7f) {
        return QString(QChar(keysym));
    }
    return {};
}

QString gnomeAccelerator(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return {};
    }
    QString out;
    for (const QString& name :
         modifierNames(chord->modifiers, "Super", "Control", "Alt", "Shift")) {
        out += QLatin1Char('<') + name + QLatin1Char('>');
    }
    return out + keysymName(chord->keysym);
}

std::optional<Accelerator> parseGnomeAccelerator(const QString& text) {
    static const std::pair<const char*, Modifier> names[] = {
        {"primary", Modifier::control}, {"control", Modifier::control}, {"ctrl", Modifier::control},
        {"ctl", Modifier::control},     {"alt", Modifier::alt},         {"mod1", Modifier::alt},
        {"super", Modifier::super},     {"mod4", Modifier::super},      {"meta", Modifier::super},
        {"shift", Modifier::shift},
    };
    Accelerator out;
    QString rest = text.trimmed();
    while (rest.startsWith(QLatin1Char('<'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('>'));
        if (close < 0) {
            return std::nullopt;
        }
        const QString name = rest.mid(1, close - 1).toLower();
        bool known = false;
        for (const auto& [spelling, modifier] : names) {
            if (name == QLatin1String(spelling)) {
                out.modifiers |= modifier;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
        rest = rest.mid(close + 1);
    }
    if (rest.isEmpty()) {
        return std::nullopt;
    }
    out.key = rest.toLower();
    return out;
}

std::optional<Accelerator> acceleratorOf(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return std::nullopt;
    }
    return Accelerator{chord->modifiers, keysymName(chord->keysym).toLower()};
}

int qtKeyCombination(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return 0;
    }
    int key = 0;
    for (const auto& [sym, qtKey] : kQtKeys) {
        if (sym == chord->keysym) {
            key = qtKey;
        }
    }
    if (chord->keysym >= kF1 && chord->keysym <= kF12) {
        key = Qt::Key_F1 + static_cast<int>(chord->keysym - kF1);
    } else if (key == 0) {
        key = QChar(chord->keysym).toUpper().unicode();
    }
    const Modifiers held = chord->modifiers;
    int modifiers = 0;
    modifiers |= held.testFlag(Modifier::control) ? int(Qt::ControlModifier) : 0;
    modifiers |= held.testFlag(Modifier::alt) ? int(Qt::AltModifier) : 0;
    modifiers |= held.testFlag(Modifier::super) ? int(Qt::MetaModifier) : 0;
    modifiers |= held.testFlag(Modifier::shift) ? int(Qt::ShiftModifier) : 0;
    return key | modifiers;
}

QString portalTrigger(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return {};
    }
    return (modifierNames(chord->modifiers, "LOGO", "CTRL", "ALT", "SHIFT")
            << keysymName(chord->keysym))
        .join(QLatin1Char('+'));
}

QString swayKeys(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return {};
    }
    return (modifierNames(chord->modifiers, "Mod4", "Ctrl", "Alt", "Shift")
            << keysymName(chord->keysym))
        .join(QLatin1Char('+'));
}

QString hyprlandKeys(const Shortcut& shortcut) {
    const std::optional<KeyChord> chord = chordOf(shortcut);
    if (!chord) {
        return {};
    }
    return modifierNames(chord->modifiers, "SUPER", "CTRL", "ALT", "SHIFT").join(QLatin1Char(' ')) +
           QStringLiteral(", ") + keysymName(chord->keysym);
}

}  // namespace ts
