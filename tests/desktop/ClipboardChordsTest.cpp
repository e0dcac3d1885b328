#include <gtest/gtest.h>

#include "desktop/platform/ClipboardChords.h"

using namespace ts;

namespace {

const Modifiers kCtrl = Modifier::control;
const Modifiers kCtrlShift = Modifier::control | Modifier::shift;

}  // namespace

TEST(ClipboardChords, PlainControlInOrdinaryApplications) {
    const char* classes[] = {"Mousepad", "firefox", "Thunderbird", "libreoffice-writer",
                             "",         "Zenity",  "stterm-like"};
    for (const char* windowClass : classes) {
        EXPECT_EQ(clipboardChord(ClipboardCommand::copy, windowClass), (KeyChord{'c', kCtrl}))
            << windowClass;
        EXPECT_EQ(clipboardChord(ClipboardCommand::paste, windowClass), (KeyChord{'v', kCtrl}))
            << windowClass;
    }
}

TEST(ClipboardChords, ShiftedInTerminalEmulatorsWhateverTheCase) {
    const char* classes[] = {
        "Gnome-terminal", "konsole",     "Xfce4-terminal", "Tilix",
        "Terminator",     "Alacritty",   "kitty",          "org.wezfurlong.wezterm",
        "foot",           "st-256color", "Lxterminal",     "  kitty  "};
    for (const char* windowClass : classes) {
        EXPECT_EQ(clipboardChord(ClipboardCommand::copy, windowClass), (KeyChord{'c', kCtrlShift}))
            << windowClass;
        EXPECT_EQ(clipboardChord(ClipboardCommand::paste, windowClass), (KeyChord{'v', kCtrlShift}))
            << windowClass;
    }
}

TEST(ClipboardChords, NoSyntheticCopyWhereEvenShiftedCopyInterrupts) {
    const char* classes[] = {"XTerm", "UXTerm", "URxvt", "rxvt"};
    for (const char* windowClass : classes) {
        EXPECT_EQ(clipboardChord(ClipboardCommand::copy, windowClass), std::nullopt) << windowClass;
        EXPECT_EQ(clipboardChord(ClipboardCommand::paste, windowClass), std::nullopt)
            << windowClass;
    }
}
