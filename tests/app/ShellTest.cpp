#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "X11TestTools.h"
#include "store/KeyFile.h"
#include "store/Keychain.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kMainWindow = QStringLiteral("^Tessarine$");
const QString kOnboarding = QStringLiteral("^Welcome to Tessarine$");
const QString kAlert = QStringLiteral("^Enable rewriting in any app$");
constexpr int kWaitMs = 10000;

bool isVisible(const QString& title) {
    return !runTool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", title})
                .out.trimmed()
                .isEmpty();
}

bool becomes(const QString& title, bool visible) {
    return QTest::qWaitFor([&] { return isVisible(title) == visible; }, kWaitMs);
}

bool key(const QString& chord) {
    return xdotool({"key", chord});
}

// The tessarine program in the test's own XDG folders, its log collected; ended (and waited
// for) when the handle goes, also after a failed assertion.
class Program {
public:
    Program(const QString& root, const QStringList& args, const QStringList& extraEnv) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), root + QStringLiteral("/state"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        for (const QString& entry : extraEnv) {
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        }
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral(TESSARINE_APP_PATH), args);
        process_.waitForStarted(kWaitMs);
    }

    ~Program() {
        if (process_.state() == QProcess::NotRunning) {
            return;
        }
        process_.terminate();
        if (!QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QString log() {
        log_ += QString::fromUtf8(process_.readAll());
        return log_;
    }
    bool waitForLog(const QString& text) {
        return QTest::qWaitFor([&] { return log().contains(text); }, kWaitMs);
    }
    // The exit code once it has ended by itself, -1 otherwise.
    int waitForExit() {
        const bool ended =
            QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs);
        log();
        return ended && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
    QString log_;
};

// A session bus of the test's own without a Secret Service: keys are read from the key file,
// and the single-instance name is this test's alone.
class PrivateBus {
public:
    explicit PrivateBus(const QString& folder) {
        QDir().mkpath(folder + QStringLiteral("/services"));
        QFile config(folder + QStringLiteral("/bus.conf"));
        config.open(QIODevice::WriteOnly);
        config.write(
            QStringLiteral(
                "<busconfig><type>session</type><listen>unix:tmpdir=%1</listen>"
                "<servicedir>%1/services</servicedir><policy context=\"default\">"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                "<allow own=\"*\"/></policy></busconfig>")
                .arg(folder)
                .toUtf8());
        config.close();
        daemon_ = std::make_unique<RunningProgram>(
            QStringLiteral("dbus-daemon"),
            QStringList{QStringLiteral("--config-file=") + config.fileName(),
                        QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (QTest::qWaitFor([&] { return daemon_->process().canReadLine(); }, kWaitMs)) {
            address_ = QString::fromUtf8(daemon_->process().readLine().trimmed());
        }
    }
    const QString& address() const { return address_; }

private:
    std::unique_ptr<RunningProgram> daemon_;
    QString address_;
};

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(bus.address().isEmpty());
    }

    void TearDown() override { app.reset(); }

    std::unique_ptr<Program> start(const QStringList& args, QStringList env = {}) {
        env.append(QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + bus.address());
        return std::make_unique<Program>(dir.path(), args, env);
    }

    // Started and ready; the log is printed when it never gets there.
    void launch(const QStringList& env = {}) {
        app = start({}, env);
        ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] ready "))) << log();
    }

    void skipOnboarding() {
        settings.setHasRunOnboardingMigration(true);
        settings.setHasCompletedOnboarding(true);
    }

    std::string log() { return app ? app->log().toStdString() : std::string(); }

    QTemporaryDir dir;
    PrivateBus bus{dir.filePath(QStringLiteral("bus"))};
    SettingsStore settings{dir.filePath(QStringLiteral("config/tessarine/tessarine.conf"))};
    std::unique_ptr<Program> app;
};

}  // namespace

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
