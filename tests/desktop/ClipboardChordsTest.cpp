#include <gtest/gtest.h>

#include <vector>

#include "desktop/platform/ClipboardChords.h"

using namespace ts;

// Plain Ctrl+C/V in ordinary applications, shifted in terminal emulators (whatever the case
// of the class), none where even a shifted copy interrupts the program.
TEST(ClipboardChords, ByWindowClass) {
    const struct {
        std::vector<const char*> classes;
        std::optional<Modifiers> modifiers;
    } groups[] = {
        {{"Mousepad", "firefox", "Thunderbird", "libreoffice-writer", "", "Zenity", "stterm-like"},
         Modifier::control},
        {{"Gnome-terminal", "konsole", "Xfce4-terminal", "Tilix", "Terminator", "Alacritty",
          "kitty", "org.wezfurlong.wezterm", "foot", "st-256color", "Lxterminal", "  kitty  "},
         Modifier::control | Modifier::shift},
        {{"XTerm", "UXTerm", "URxvt", "rxvt"}, std::nullopt},
    };
    for (const auto& group : groups) {
        for (const char* windowClass : group.classes) {
            const auto chord = [&](char key) {
                return group.modifiers ? std::optional(KeyChord{quint32(key), *group.modifiers})
                                       : std::nullopt;
            };
            EXPECT_EQ(clipboardChord(ClipboardCommand::copy, windowClass), chord('c'))
                << windowClass;
            EXPECT_EQ(clipboardChord(ClipboardCommand::paste, windowClass), chord('v'))
                << windowClass;
        }
    }
}
