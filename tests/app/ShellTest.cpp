#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "ShellFixture.h"
#include "X11TestTools.h"
#include "store/KeyFile.h"
#include "store/Keychain.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

TEST_F(Shell, FirstLaunchShowsTheOnboardingWhoseSkipSetupOpensTheMainWindow) {
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("ready \\d+ ms after the process started"))
                    .match(app->log())
                    .hasMatch());
    ASSERT_TRUE(becomes(kOnboarding, true)) << log();
    EXPECT_FALSE(isVisible(kMainWindow));
    EXPECT_FALSE(settings.hasCompletedOnboarding());

    ASSERT_TRUE(activateWindow(waitForWindow(kOnboarding)));
    // From the first choice card: the second card, then "Skip setup".
    ASSERT_TRUE(key(QStringLiteral("Tab")));
    ASSERT_TRUE(key(QStringLiteral("Tab")));
    ASSERT_TRUE(key(QStringLiteral("Return")));
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
    EXPECT_TRUE(becomes(kOnboarding, false));
    EXPECT_TRUE(settings.hasCompletedOnboarding());
}

TEST_F(Shell, AKeyStoredBeforeTheFirstLaunchSkipsTheOnboarding) {
    settings.setProvider(ProviderKind::anthropic);
    KeyFile(dir.filePath(QStringLiteral("config/tessarine/keys")))
        .save(QStringLiteral("sk-ant-shell-test"),
              Keychain::apiKeyAccount(ProviderKind::anthropic));
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
    EXPECT_FALSE(isVisible(kOnboarding));
    EXPECT_TRUE(settings.hasCompletedOnboarding());
}

TEST_F(Shell, WindowHotkeyTogglesTheMainWindowAndASecondLaunchReopensIt) {
    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    ASSERT_TRUE(becomes(kMainWindow, false)) << log();
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    ASSERT_TRUE(becomes(kMainWindow, false)) << log();
    // Its frame was kept under its autosave name when it closed.
    EXPECT_FALSE(settings.windowFrame(QStringLiteral("io.tessarine.mainWindow")).isEmpty());

    const std::unique_ptr<Program> second = start({});
    EXPECT_EQ(second->waitForExit(), 0) << second->log().toStdString();
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
    EXPECT_TRUE(app->log().contains(QStringLiteral("[Tessarine] reopen")));

    const std::unique_ptr<Program> withURL = start({QStringLiteral("tessarine://open")});
    EXPECT_EQ(withURL->waitForExit(), 0) << withURL->log().toStdString();
    EXPECT_TRUE(app->waitForLog(QStringLiteral("open URL tessarine://open"))) << log();
}

// A typed draft outlives Esc and the hotkey: the window comes back with it.
TEST_F(Shell, ADraftSurvivesHidingAndShowingTheWindow) {
    skipOnboarding();
    settings.setAutoPaste(false);
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    ASSERT_TRUE(activateWindow(waitForWindow(kMainWindow)));
    ASSERT_TRUE(xdotool({"type", "--delay", "20", "half a paragraph"}));
    ASSERT_TRUE(key(QStringLiteral("Escape")));
    ASSERT_TRUE(becomes(kMainWindow, false)) << log();
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    ASSERT_TRUE(activateWindow(waitForWindow(kMainWindow)));
    ASSERT_TRUE(key(QStringLiteral("ctrl+a")));
    ASSERT_TRUE(key(QStringLiteral("ctrl+c")));
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return runTool(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"}).out ==
                   "half a paragraph";
        },
        kWaitMs));
}

TEST_F(Shell, HotkeysWrittenByAnotherProcessMoveTheGrabs) {
    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    // As tessarine-cli config set writes: Command+Shift+K is Ctrl+Shift+K.
    settings.setHotkeyKeyCode(40);
    settings.setHotkeyModifiers(0x300);
    ASSERT_TRUE(app->waitForLog(QStringLiteral("window hotkey Ctrl+Shift+K active=1"))) << log();
    ASSERT_TRUE(key(QStringLiteral("ctrl+shift+k")));
    EXPECT_TRUE(becomes(kMainWindow, false)) << log();
    // Ctrl+Alt+E (with every lock) is free for another client.
    EXPECT_EQ(HeldGrab('e', {"0xc", "0x1c", "0xe", "0x1e"}).answer(), "ok");
}

TEST_F(Shell, TrayIconLeftClickTogglesTheWindowAndRightClickShowsTheMenu) {
    RunningProgram trayer(QStringLiteral("trayer"),
                          {"--edge", "top", "--align", "left", "--widthtype", "request", "--height",
                           "32", "--SetDockType", "true"});
    ASSERT_NE(waitForWindow(QStringLiteral("^panel$")), 0u);
    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(app->log().contains(QStringLiteral("system tray available"))) << log();
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    // The icon is embedded in the tray's panel: our one visible window of the icon's size.
    quint64 icon = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const ToolResult ours = runTool(QStringLiteral("xdotool"),
                                            {"search", "--onlyvisible", "--class", "tessarine"});
            for (const QByteArray& id : ours.out.trimmed().split('\n')) {
                const ToolResult frame = runTool(QStringLiteral("xdotool"),
                                                 {"getwindowgeometry", "--shell", QString(id)});
                if (frame.out.contains("WIDTH=22\n")) {
                    icon = id.toULongLong();
                }
            }
            return icon != 0;
        },
        kWaitMs));
    const QString at = QString::number(icon);

    ASSERT_TRUE(xdotool({"mousemove", "--window", at, "11", "15", "click", "1"}));
    EXPECT_TRUE(becomes(kMainWindow, false)) << log();
    ASSERT_TRUE(xdotool({"mousemove", "--window", at, "11", "15", "click", "1"}));
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
    EXPECT_FALSE(app->log().contains(QStringLiteral("status menu built")));

    ASSERT_TRUE(xdotool({"mousemove", "--window", at, "11", "15", "click", "3"}));
    EXPECT_TRUE(app->waitForLog(QStringLiteral("status menu built"))) << log();
    EXPECT_TRUE(isVisible(kMainWindow));
    key(QStringLiteral("Escape"));
}

TEST_F(Shell, DesktopControlAlertChecksAgainAndTurnsInPlaceOffKeepingTheWindowHotkey) {
    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch({QStringLiteral("TESSARINE_TEST_NO_DESKTOP_CONTROL=1")}));
    ASSERT_TRUE(app->log().contains(QStringLiteral("in-place hotkey Super+Ctrl+Alt+E active=1")))
        << log();
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    // With its own window in front the in-place hotkey only toggles it.
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    ASSERT_TRUE(becomes(kMainWindow, false)) << log();

    // "Check Again", the default button, explains what is missing and notes the user was told.
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
    ASSERT_TRUE(activateWindow(waitForWindow(kAlert))) << log();
    ASSERT_TRUE(key(QStringLiteral("Return")));
    ASSERT_TRUE(activateWindow(waitForWindow(QStringLiteral("^Desktop control$")))) << log();
    EXPECT_TRUE(app->log().contains(QStringLiteral("checked again: available=0")));
    EXPECT_TRUE(settings.hasPromptedForAccessibility());
    ASSERT_TRUE(key(QStringLiteral("Escape")));
    ASSERT_TRUE(becomes(QStringLiteral("^Desktop control$"), false));

    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
    ASSERT_TRUE(activateWindow(waitForWindow(kAlert))) << log();
    // From the default button, "Check Again": "Not Now", then "Turn Off In-Place Rewrite".
    ASSERT_TRUE(key(QStringLiteral("Tab")));
    ASSERT_TRUE(key(QStringLiteral("Tab")));
    ASSERT_TRUE(key(QStringLiteral("space")));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("in-place hotkey Super+Ctrl+Alt+E off"))) << log();
    EXPECT_TRUE(becomes(kAlert, false));
    EXPECT_FALSE(settings.inPlaceHotkeyEnabled());
    // Another client gets Ctrl+Alt+Super+E (with every lock) now.
    EXPECT_EQ(HeldGrab('e', {"0x4c", "0x5c", "0x4e", "0x5e"}).answer(), "ok");

    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+e")));
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
}
