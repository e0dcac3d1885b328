#include "desktop/hotkeys/Shortcut.h"

#include "desktop/PlatformTexts.h"
#include "desktop/hotkeys/MacKeyTable.h"

namespace ts {

namespace {

QString modifierGlyphs(quint32 mask) {
    QString out;
    if (mask & kCarbonControl) {
        out += QChar(0x2303);
    }
    if (mask & kCarbonOption) {
        out += QChar(0x2325);
    }
    if (mask & kCarbonShift) {
        out += QChar(0x21e7);
    }
    if (mask & kCarbonCommand) {
        out += QChar(0x2318);
    }
    return out;
}

}  // namespace

Modifiers modifiersFromCarbon(quint32 mask) {
    Modifiers out;
    out.setFlag(Modifier::control, (mask & kCarbonCommand) != 0);
    out.setFlag(Modifier::alt, (mask & kCarbonOption) != 0);
    out.setFlag(Modifier::super, (mask & kCarbonControl) != 0);
    out.setFlag(Modifier::shift, (mask & kCarbonShift) != 0);
    return out;
}

quint32 carbonFromQt(Qt::KeyboardModifiers modifiers) {
    quint32 mask = 0;
    if (modifiers & Qt::ControlModifier) {
        mask |= kCarbonCommand;
    }
    if (modifiers & Qt::ShiftModifier) {
        mask |= kCarbonShift;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= kCarbonOption;
    }
    if (modifiers & Qt::MetaModifier) {
        mask |= kCarbonControl;
    }
    return mask;
}

quint32 carbonFromX11State(quint32 state) {
    constexpr quint32 shiftMask = 1U << 0;
    constexpr quint32 controlMask = 1U << 2;
    constexpr quint32 mod1Mask = 1U << 3;
    constexpr quint32 mod4Mask = 1U << 6;
    quint32 mask = 0;
    if (state & controlMask) {
        mask |= kCarbonCommand;
    }
    if (state & shiftMask) {
        mask |= kCarbonShift;
    }
    if (state & mod1Mask) {
        mask |= kCarbonOption;
    }
    if (state & mod4Mask) {
        mask |= kCarbonControl;
    }
    return mask;
}

std::optional<KeyChord> keyChord(const Shortcut& shortcut) {
    const std::optional<MacKey> key = macKey(shortcut.keyCode);
    if (!key) {
        return std::nullopt;
    }
    return KeyChord{key->keysym, modifiersFromCarbon(shortcut.modifiers)};
}

QString displayString(const Shortcut& shortcut) {
    if (shortcut.keyCode == 0 && shortcut.modifiers == 0) {
        return QStringLiteral("Not set");
    }
    const std::optional<MacKey> key = macKey(shortcut.keyCode);
    return modifierGlyphs(shortcut.modifiers) +
           (key ? QString::fromUtf8(key->name) : QStringLiteral("Key%1").arg(shortcut.keyCode));
}

QString linuxDisplayString(const Shortcut& shortcut) {
    // The arrows and editing keys are named as Linux keyboards label them.
    static const std::pair<quint32, const char*> named[] = {
        {36, "Enter"},  {48, "Tab"},   {51, "Backspace"}, {123, "Left"},
        {124, "Right"}, {125, "Down"}, {126, "Up"},
    };
    for (const auto& [code, name] : named) {
        if (shortcut.keyCode == code) {
            return linuxText(modifierGlyphs(shortcut.modifiers) + QLatin1String(name));
        }
    }
    return linuxText(displayString(shortcut));
}

}  // namespace ts
