#include "desktop/platform/ClipboardChords.h"

#include <QSet>

namespace ts {

namespace {

// Lower-case WM_CLASS classes (and instance names some terminals put there instead).
const QSet<QString>& shiftedTerminals() {
    static const QSet<QString> names = {
        QStringLiteral("gnome-terminal"),
        QStringLiteral("gnome-terminal-server"),
        QStringLiteral("org.gnome.terminal"),
        QStringLiteral("org.gnome.console"),
        QStringLiteral("kgx"),
        QStringLiteral("org.gnome.ptyxis"),
        QStringLiteral("konsole"),
        QStringLiteral("org.kde.konsole"),
        QStringLiteral("xfce4-terminal"),
        QStringLiteral("tilix"),
        QStringLiteral("com.gexperts.tilix"),
        QStringLiteral("terminator"),
        QStringLiteral("alacritty"),
        QStringLiteral("kitty"),
        QStringLiteral("wezterm"),
        QStringLiteral("org.wezfurlong.wezterm"),
        QStringLiteral("foot"),
        QStringLiteral("footclient"),
        QStringLiteral("st"),
        QStringLiteral("st-256color"),
        QStringLiteral("lxterminal"),
        QStringLiteral("qterminal"),
        QStringLiteral("mate-terminal"),
        QStringLiteral("terminology"),
        QStringLiteral("sakura"),
        QStringLiteral("guake"),
        QStringLiteral("tilda"),
        QStringLiteral("yakuake"),
        QStringLiteral("cool-retro-term"),
        QStringLiteral("ghostty"),
        QStringLiteral("com.mitchellh.ghostty"),
        QStringLiteral("deepin-terminal"),
        QStringLiteral("io.elementary.terminal"),
        QStringLiteral("blackbox"),
        QStringLiteral("com.raggesilver.blackbox"),
    };
    return names;
}

const QSet<QString>& interruptingTerminals() {
    static const QSet<QString> names = {
        QStringLiteral("xterm"), QStringLiteral("uxterm"),       QStringLiteral("urxvt"),
        QStringLiteral("rxvt"),  QStringLiteral("rxvt-unicode"), QStringLiteral("aterm"),
        QStringLiteral("eterm"),
    };
    return names;
}

}  // namespace

std::optional<KeyChord> clipboardChord(ClipboardCommand command, const QString& windowClass) {
    const QString name = windowClass.trimmed().toLower();
    const quint32 keysym = command == ClipboardCommand::copy ? kKeysymC : kKeysymV;
    if (interruptingTerminals().contains(name)) {
        // Their Ctrl+Shift+V is no paste either, so a synthetic paste would type into the shell.
        return std::nullopt;
    }
    if (shiftedTerminals().contains(name)) {
        return KeyChord{keysym, Modifier::control | Modifier::shift};
    }
    return KeyChord{keysym, Modifier::control};
}

bool isTerminal(const QString& windowClass) {
    const QString name = windowClass.trimmed().toLower();
    return interruptingTerminals().contains(name) || shiftedTerminals().contains(name);
}

}  // namespace ts
