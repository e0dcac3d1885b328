#include <gtest/gtest.h>

#include "desktop/PlatformTexts.h"

using namespace ts;

// Glyph runs become key names in Linux order; Mac and Keychain wording changes; Mac-only
// sentences are replaced whole; ordinary texts pass unchanged.
TEST(PlatformTexts, LinuxTexts) {
    const struct {
        const char* mac;
        const char* linux;
    } rows[] = {
        {"Rewrote in the app. ⌘Z to undo.", "Rewrote in the app. Ctrl+Z to undo."},
        {"Reset to defaults (⌥⌘E · ⌃⌥⌘E)", "Reset to defaults (Ctrl+Alt+E · Super+Ctrl+Alt+E)"},
        {"⌘⇧⌥⌃K", "Super+Ctrl+Alt+Shift+K"},
        {"⇧K", "Shift+K"},
        {"press ⌘, for settings", "press Ctrl+, for settings"},
        {"Your text never leaves this Mac.", "Your text never leaves this computer."},
        {"Run Tessarine on your Mac", "Run Tessarine on your computer"},
        {"Uses Ollama. No API key. Slower on older Macs. Works offline.",
         "Uses Ollama. No API key. Slower on older computers. Works offline."},
        {"Rewrite, proofread, and draft text in any Mac app. Pick how you want to run the AI:",
         "Rewrite, proofread, and draft text in any app. Pick how you want to run the AI:"},
        {"Stored in the macOS Keychain. Sent only to ",
         "Stored in the system keyring. Sent only to "},
        {"Tessarine needs Accessibility permission.", "Tessarine needs desktop control."},
        {"Accessibility permission granted", "Desktop control granted"},
        {"Accessibility permission lets Tessarine rewrite selected text in place in other apps "
         "(the "
         "⌃⌥⌘E hotkey). The Services menu and the main window work without it.",
         "Desktop control lets Tessarine rewrite selected text in place in other apps (the "
         "Super+Ctrl+Alt+E hotkey). The D-Bus service, tessarine:// links and the main window work "
         "without it."},
        // Words that merely contain "Mac" stay.
        {"Machine learning on a MacBook", "Machine learning on a MacBook"},
        {"Ollama.app lives in your menu bar and runs the local server. Click Start to launch it.",
         "Start Ollama runs the local server (ollama serve) in the background."},
        {"Or right-click selected text → Services → Rewrite with Tessarine",
         "Or pipe text through tessarine-cli rewrite"},
        {"Couldn't find the app bundle. Try launching from /Applications.",
         "Couldn't find the tessarine program. Reinstall Tessarine."},
        {"Nothing selected in the frontmost app.", "Nothing selected in the frontmost app."},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(linuxText(QString::fromUtf8(row.mac)), QString::fromUtf8(row.linux));
    }
}

TEST(PlatformTexts, AccessibilityAlertNamesLinuxAppsAndTheSession) {
    const QString alert = linuxText(QStringLiteral(
        "Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, "
        "Slack, Notes, or any other app) without copy-paste.\n\nWithout this permission, the "
        "hotkey only opens the Tessarine window."));
    EXPECT_TRUE(alert.contains(QStringLiteral("Thunderbird, Slack, LibreOffice")));
    EXPECT_TRUE(alert.contains(QStringLiteral("X11 session")));
    EXPECT_FALSE(alert.contains(QStringLiteral("Accessibility")));
    EXPECT_FALSE(alert.contains(QStringLiteral("Mail,")));
    EXPECT_TRUE(alert.contains(QStringLiteral("\n\n")));
}
