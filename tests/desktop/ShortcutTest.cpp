#include <gtest/gtest.h>

#include <QSet>

#include "desktop/hotkeys/MacKeyTable.h"
#include "desktop/hotkeys/Shortcut.h"

using namespace ts;

namespace {

struct DisplayRow {
    Shortcut shortcut;
    const char* glyphs;
    const char* linux;
};

const DisplayRow kDisplayRows[] = {
    {kDefaultWindowShortcut, "⌥⌘E", "Ctrl+Alt+E"},
    {kDefaultInPlaceShortcut, "⌃⌥⌘E", "Super+Ctrl+Alt+E"},
    {{105, kCarbonCommand}, "⌘Key105", "Ctrl+Key105"},
    {{0, 0}, "Not set", "Not set"},
    {{0, kCarbonCommand}, "⌘A", "Ctrl+A"},
    {{40, kCarbonShift}, "⇧K", "Shift+K"},
    {{40, kCarbonShift | kCarbonCommand | kCarbonOption | kCarbonControl},
     "⌃⌥⇧⌘K",
     "Super+Ctrl+Alt+Shift+K"},
    {{36, kCarbonCommand}, "⌘↩", "Ctrl+Enter"},
    {{123, kCarbonControl}, "⌃←", "Super+Left"},
    {{49, kCarbonOption}, "⌥Space", "Alt+Space"},
    {{122, 0}, "F1", "F1"},
    {{42, kCarbonCommand}, "⌘\\", "Ctrl+\\"},
    // Bits outside the four modifiers (Caps Lock 0x400) are not shown.
    {{14, kCarbonCommand | 0x400}, "⌘E", "Ctrl+E"},
};

}  // namespace

TEST(MacKeyTable, HasTheSixtyEightKeysOnceEach) {
    QSet<quint32> codes;
    QSet<QString> names;
    for (const MacKey& key : macKeys()) {
        codes.insert(key.code);
        names.insert(QString::fromUtf8(key.name));
    }
    EXPECT_EQ(macKeys().size(), 68u);
    EXPECT_EQ(codes.size(), 68);
    EXPECT_EQ(names.size(), 68);
    EXPECT_FALSE(codes.contains(10));
    EXPECT_FALSE(codes.contains(105));
}

TEST(MacKeyTable, KeysymsFollowTheUsLayout) {
    const std::pair<quint32, quint32> rows[] = {
        {14, 'e'},     {0, 'a'},      {8, 'c'},      {9, 'v'},      {22, '6'},     {23, '5'},
        {50, '`'},     {39, '\''},    {36, 0xff0d},  {48, 0xff09},  {49, ' '},     {51, 0xff08},
        {53, 0xff1b},  {123, 0xff51}, {124, 0xff53}, {125, 0xff54}, {126, 0xff52}, {122, 0xffbe},
        {120, 0xffbf}, {99, 0xffc0},  {111, 0xffc9}, {109, 0xffc7}, {103, 0xffc8},
    };
    for (const auto& [code, keysym] : rows) {
        ASSERT_TRUE(macKey(code).has_value()) << code;
        EXPECT_EQ(macKey(code)->keysym, keysym) << "key code " << code;
    }
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

TEST(Shortcut, DisplayStrings) {
    for (const DisplayRow& row : kDisplayRows) {
        EXPECT_EQ(displayString(row.shortcut), QString::fromUtf8(row.glyphs));
        EXPECT_EQ(linuxDisplayString(row.shortcut), QString::fromUtf8(row.linux));
    }
}

TEST(Shortcut, CarbonMaskToXModifiers) {
    EXPECT_EQ(modifiersFromCarbon(kCarbonCommand), Modifiers(Modifier::control));
    EXPECT_EQ(modifiersFromCarbon(kCarbonOption), Modifiers(Modifier::alt));
    EXPECT_EQ(modifiersFromCarbon(kCarbonControl), Modifiers(Modifier::super));
    EXPECT_EQ(modifiersFromCarbon(kCarbonShift), Modifiers(Modifier::shift));
    EXPECT_EQ(modifiersFromCarbon(0x900), Modifier::control | Modifier::alt);
    EXPECT_EQ(modifiersFromCarbon(0x1900), Modifier::control | Modifier::alt | Modifier::super);
    EXPECT_EQ(modifiersFromCarbon(0x400 | 0x80), Modifiers());
}

TEST(Shortcut, QtModifiersToCarbonMask) {
    EXPECT_EQ(carbonFromQt(Qt::ControlModifier | Qt::AltModifier), 0x900u);
    EXPECT_EQ(carbonFromQt(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier), 0x1900u);
    EXPECT_EQ(carbonFromQt(Qt::ShiftModifier), 0x200u);
    EXPECT_EQ(carbonFromQt(Qt::KeypadModifier | Qt::GroupSwitchModifier), 0u);
}

TEST(Shortcut, KeyChordOfStoredShortcut) {
    EXPECT_EQ(keyChord(kDefaultWindowShortcut), (KeyChord{'e', Modifier::control | Modifier::alt}));
    EXPECT_EQ(keyChord(kDefaultInPlaceShortcut),
              (KeyChord{'e', Modifier::control | Modifier::alt | Modifier::super}));
    EXPECT_EQ(keyChord({122, kCarbonShift}), (KeyChord{0xffbe, Modifier::shift}));
    EXPECT_EQ(keyChord({105, kCarbonCommand}), std::nullopt);
}
