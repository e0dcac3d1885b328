#include <gtest/gtest.h>

#include <QSet>

#include "desktop/hotkeys/DesktopSession.h"
#include "desktop/hotkeys/MacKeyTable.h"
#include "desktop/hotkeys/Shortcut.h"
#include "desktop/hotkeys/ShortcutSyntax.h"

using namespace ts;

TEST(Shortcut, DisplayStrings) {
    const struct {
        Shortcut shortcut;
        const char* glyphs;
        const char* linux;
    } rows[] = {
        {kDefaultWindowShortcut, "⌥⌘E", "Ctrl+Alt+E"},
        {kDefaultInPlaceShortcut, "⌃⌥⌘E", "Super+Ctrl+Alt+E"},
        {{105, kCarbonCommand}, "⌘Key105", "Ctrl+Key105"},
        {{0, 0}, "Not set", "Not set"},
        {{0, kCarbonCommand}, "⌘A", "Ctrl+A"},
        {{40, kCarbonShift | kCarbonCommand | kCarbonOption | kCarbonControl},
         "⌃⌥⇧⌘K",
         "Super+Ctrl+Alt+Shift+K"},
        {{36, kCarbonCommand}, "⌘↩", "Ctrl+Enter"},
        {{123, kCarbonControl}, "⌃←", "Super+Left"},
        {{122, 0}, "F1", "F1"},
        {{42, kCarbonCommand}, "⌘\\", "Ctrl+\\"},
        // Bits outside the four modifiers (Caps Lock 0x400) are not shown.
        {{14, kCarbonCommand | 0x400}, "⌘E", "Ctrl+E"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(displayString(row.shortcut), QString::fromUtf8(row.glyphs));
        EXPECT_EQ(linuxDisplayString(row.shortcut), QString::fromUtf8(row.linux));
    }
}

TEST(MacKeyTable, EachKeyCodeAndNameOnce) {
    QSet<quint32> codes;
    QSet<QString> names;
    for (const MacKey& key : macKeys()) {
        codes.insert(key.code);
        names.insert(QString::fromUtf8(key.name));
    }
    EXPECT_EQ(codes.size(), qsizetype(macKeys().size()));
    EXPECT_EQ(names.size(), qsizetype(macKeys().size()));
}

TEST(MacKeyTable, QtKeysMapBackToTheirKeyCodes) {
    for (const MacKey& key : macKeys()) {
        if (key.keysym >= 0x21 && key.keysym < 0x7f) {
            const int qtKey = QChar(key.keysym).toUpper().unicode();
            EXPECT_EQ(macKeyCodeForQtKey(qtKey), key.code) << key.name;
        }
    }
    const std::pair<int, quint32> rows[] = {
        {Qt::Key_Exclam, 18},  {Qt::Key_Plus, 24},  {Qt::Key_Underscore, 27}, {Qt::Key_Bar, 42},
        {Qt::Key_Backtab, 48}, {Qt::Key_Enter, 36}, {Qt::Key_Space, 49},      {Qt::Key_Escape, 53},
        {Qt::Key_F12, 111},    {Qt::Key_Up, 126},   {Qt::Key_AsciiTilde, 50},
    };
    for (const auto& [qtKey, code] : rows) {
        EXPECT_EQ(macKeyCodeForQtKey(qtKey), code) << qtKey;
    }
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_F13), std::nullopt);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Home), std::nullopt);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Control), std::nullopt);
}

TEST(Shortcut, ModifiersFromQtThroughTheCarbonMaskToX) {
    const struct {
        Qt::KeyboardModifiers qt;
        quint32 carbon;
        Modifiers x;
    } rows[] = {
        {Qt::ControlModifier | Qt::AltModifier, 0x900, Modifier::control | Modifier::alt},
        {Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier, 0x1900,
         Modifier::control | Modifier::alt | Modifier::super},
        {Qt::ShiftModifier, 0x200, Modifier::shift},
        {Qt::KeypadModifier | Qt::GroupSwitchModifier, 0, Modifiers()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(carbonFromQt(row.qt), row.carbon);
        EXPECT_EQ(modifiersFromCarbon(row.carbon), row.x) << row.carbon;
    }
    EXPECT_EQ(modifiersFromCarbon(0x400 | 0x80), Modifiers());  // Caps Lock and stray bits
}

// An X key event's state: Shift 1, Lock 2, Control 4, Mod1 8, Mod2 (NumLock) 16, Mod4 64.
TEST(Shortcut, ModifiersFromTheXState) {
    const std::pair<quint32, quint32> rows[] = {
        {0x4 | 0x1, kCarbonCommand | kCarbonShift},
        {0x1, kCarbonShift},
        {0x8, kCarbonOption},
        {0x40, kCarbonControl},
        {0x4 | 0x8 | 0x40, kCarbonCommand | kCarbonOption | kCarbonControl},
        {0x2 | 0x10, 0},  // Caps Lock and NumLock are no part of a shortcut
    };
    for (const auto& [state, carbon] : rows) {
        EXPECT_EQ(carbonFromX11State(state), carbon) << state;
    }
}

// The defaults are pressed through the hotkey tests.
TEST(Shortcut, KeyChordOfStoredShortcut) {
    EXPECT_EQ(keyChord({122, kCarbonShift}), (KeyChord{0xffbe, Modifier::shift}));
    EXPECT_EQ(keyChord({105, kCarbonCommand}), std::nullopt);
}

TEST(ShortcutSyntax, EachDesktopsSpellingOfAStoredShortcut) {
    struct Row {
        Shortcut shortcut;
        const char* gnome;
        int qt;
        const char* portal;
        const char* sway;
        const char* hyprland;
    };
    const Row rows[] = {
        {kDefaultWindowShortcut, "<Control><Alt>e", 0x0C000045, "CTRL+ALT+e", "Ctrl+Alt+e",
         "CTRL ALT, e"},
        {kDefaultInPlaceShortcut, "<Super><Control><Alt>e", 0x1C000045, "LOGO+CTRL+ALT+e",
         "Mod4+Ctrl+Alt+e", "SUPER CTRL ALT, e"},
        {Shortcut{36, kCarbonShift}, "<Shift>Return", 0x02000000 | Qt::Key_Return, "SHIFT+Return",
         "Shift+Return", "SHIFT, Return"},
        {Shortcut{24, kCarbonCommand}, "<Control>equal", 0x04000000 | Qt::Key_Equal, "CTRL+equal",
         "Ctrl+equal", "CTRL, equal"},
        {Shortcut{111, kCarbonOption}, "<Alt>F12", 0x08000000 | Qt::Key_F12, "ALT+F12", "Alt+F12",
         "ALT, F12"},
        {Shortcut{105, kCarbonCommand}, "", 0, "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gnome);
        EXPECT_EQ(gnomeAccelerator(row.shortcut), QString::fromLatin1(row.gnome));
        EXPECT_EQ(qtKeyCombination(row.shortcut), row.qt);
        EXPECT_EQ(portalTrigger(row.shortcut), QString::fromLatin1(row.portal));
        EXPECT_EQ(swayKeys(row.shortcut), QString::fromLatin1(row.sway));
        EXPECT_EQ(hyprlandKeys(row.shortcut), QString::fromLatin1(row.hyprland));
        if (*row.gnome != '\0') {
            EXPECT_TRUE(parseGnomeAccelerator(QString::fromLatin1(row.gnome)) ==
                        acceleratorOf(row.shortcut));
        }
    }
    // GNOME's other spellings of the same keys clash with ours.
    EXPECT_TRUE(parseGnomeAccelerator(QStringLiteral("<Primary><Mod1>E")) ==
                acceleratorOf(kDefaultWindowShortcut));
    EXPECT_FALSE(parseGnomeAccelerator(QStringLiteral("<Primary><Alt><Shift>e")) ==
                 acceleratorOf(kDefaultWindowShortcut));
    EXPECT_FALSE(parseGnomeAccelerator(QStringLiteral("<Hyper>e")).has_value());
}

TEST(ShortcutSyntax, TheDoorFollowsTheSessionAndWhatItOffers) {
    struct Row {
        const char* type;
        const char* desktop;
        DoorProbe probe;
        bool afterPortal;
        HotkeyMechanism expected;
    };
    const DoorProbe all{true, true, true};
    const Row rows[] = {
        {"x11", "GNOME", all, false, HotkeyMechanism::x11Grab},
        {"tty", "", all, false, HotkeyMechanism::none},
        {"wayland", "KDE", all, false, HotkeyMechanism::kglobalaccel},
        {"wayland", "GNOME", all, false, HotkeyMechanism::portal},
        {"wayland", "ubuntu:GNOME", {false, false, true}, false, HotkeyMechanism::gnomeCustom},
        {"wayland", "GNOME", all, true, HotkeyMechanism::gnomeCustom},
        {"wayland", "Hyprland", {true, false, false}, true, HotkeyMechanism::compositorConfig},
        {"wayland", "sway", {false, false, true}, false, HotkeyMechanism::compositorConfig},
    };
    for (const Row& row : rows) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QLatin1String(row.type));
        if (QLatin1String(row.type) != QLatin1String("tty")) {
            env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":1"));
        }
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QLatin1String(row.desktop));
        EXPECT_EQ(chooseMechanism(detectSession(env), row.probe, row.afterPortal), row.expected)
            << row.type << " " << row.desktop;
    }
    EXPECT_EQ(compositorConfigLines(Compositor::sway, kDefaultWindowShortcut,
                                    kDefaultInPlaceShortcut, QStringLiteral("/usr/bin/tessarine")),
              QStringList(
                  {QStringLiteral("bindsym Ctrl+Alt+e exec /usr/bin/tessarine --toggle"),
                   QStringLiteral("bindsym Mod4+Ctrl+Alt+e exec /usr/bin/tessarine --in-place")}));
    EXPECT_EQ(
        compositorConfigLines(Compositor::hyprland, kDefaultWindowShortcut, std::nullopt,
                              QStringLiteral("/usr/bin/tessarine")),
        QStringList({QStringLiteral("bind = CTRL ALT, e, exec, /usr/bin/tessarine --toggle")}));
}
