#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "X11TestTools.h"
#include "app/Host.h"
#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/platform/x11/X11Platform.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "ui/toast/ToastPresenter.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kWindowToast =
    QStringLiteral("Tessarine is running. The main window arrives in a later version.");
const QString kMissingKey = QStringLiteral("API key is missing. Open Settings and add one.");
// Ctrl+Alt+Super with every lock combination.
const QStringList kInPlaceMasks = {QStringLiteral("0x4c"), QStringLiteral("0x5c"),
                                   QStringLiteral("0x4e"), QStringLiteral("0x5e")};

// Another X client holding the in-place combination (keysym "e").
class OtherGrab {
public:
    OtherGrab()
        : program_(helperPath(),
                   QStringList{QStringLiteral("grab"), QStringLiteral("0x65")} + kInPlaceMasks) {}
    QByteArray answer() {
        if (!QTest::qWaitFor([&] { return program_.process().canReadLine(); }, 10000)) {
            return {};
        }
        return program_.process().readLine().trimmed();
    }

private:
    RunningProgram program_;
};

// The program's host in this process, with its own settings and no keys.
class HostHotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("t.conf")));
        history = std::make_unique<HistoryStore>(dir.filePath(QStringLiteral("history.json")));
        QObject::connect(&ToastPresenter::shared(), &ToastPresenter::stateChanged,
                         [this] { shown.append(ToastPresenter::shared().state().text); });
    }
    void TearDown() override {
        QObject::disconnect(&ToastPresenter::shared(), &ToastPresenter::stateChanged, nullptr,
                            nullptr);
        host.reset();
        platform.reset();
    }

    void startHost() {
        platform = std::make_unique<X11Platform>();
        host = std::make_unique<Host>(
            platform->platform(),
            RequestServices{*settings, keys, [this]() -> HistoryStore& { return *history; }});
        host->start();
    }

    // Presses a chord and waits until the toast it causes has been shown.
    bool pressAndSee(const QString& chord, const QString& toast) {
        const qsizetype before = shown.count(toast);
        runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), chord});
        return QTest::qWaitFor([&] { return shown.count(toast) > before; }, 10000);
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<HistoryStore> history;
    MemoryKeyStore keys;
    std::unique_ptr<X11Platform> platform;
    std::unique_ptr<Host> host;
    QStringList shown;
};

}  // namespace

TEST_F(HostHotkeys, WindowHotkeyFiresItsOwnActionBesideTheInPlaceOne) {
    startHost();
    ASSERT_TRUE(host->hotKeys().inPlaceHotkey().isRegistered());
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+e"), kWindowToast));
    EXPECT_FALSE(shown.contains(kMissingKey));
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+super+e"), kMissingKey));
    EXPECT_EQ(shown.count(kWindowToast), 1);
}

TEST_F(HostHotkeys, TurningTheInPlaceHotkeyOffReleasesItAtOnce) {
    startHost();
    ASSERT_TRUE(host->hotKeys().inPlaceHotkey().isRegistered());
    settings->setInPlaceHotkeyEnabled(false);
    EXPECT_FALSE(host->hotKeys().inPlaceHotkey().isRegistered());
    {
        OtherGrab other;  // the server gives the combination to another client now
        EXPECT_EQ(other.answer(), QByteArray("ok"));
    }
    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+super+e")});
    // Key events arrive in order: once the window hotkey's toast is there, the earlier press
    // has been handled too.
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+e"), kWindowToast));
    EXPECT_FALSE(shown.contains(kMissingKey));

    settings->setInPlaceHotkeyEnabled(true);
    EXPECT_TRUE(host->hotKeys().inPlaceHotkey().isRegistered());
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+super+e"), kMissingKey));
}

TEST_F(HostHotkeys, FollowsHotkeySettingsChangedByAnotherWriter) {
    startHost();
    ASSERT_TRUE(host->hotKeys().inPlaceHotkey().isRegistered());
    SettingsStore elsewhere(settings->filePath());  // as tessarine-cli config set writes
    elsewhere.setInPlaceHotkeyEnabled(false);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !host->hotKeys().inPlaceHotkey().isRegistered(); }, 10000));
    // Command+Shift+K: the window hotkey moves to Ctrl+Shift+K and the old chord is let go.
    elsewhere.setHotkeyKeyCode(40);
    elsewhere.setHotkeyModifiers(0x300);
    // The change reaches the host a moment later; a press before that goes nowhere.
    bool moved = false;
    for (int attempt = 0; attempt < 20 && !moved; ++attempt) {
        const qsizetype seen = shown.count(kWindowToast);
        runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+shift+k")});
        moved = QTest::qWaitFor([&] { return shown.count(kWindowToast) > seen; }, 500);
    }
    ASSERT_TRUE(moved);
    const qsizetype before = shown.count(kWindowToast);
    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+e")});
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+shift+k"), kWindowToast));
    EXPECT_EQ(shown.count(kWindowToast), before + 1);
}

TEST_F(HostHotkeys, GrabHeldByAnotherClientFailsQuietly) {
    OtherGrab other;
    ASSERT_EQ(other.answer(), QByteArray("ok"));
    startHost();
    EXPECT_TRUE(host->hotKeys().hotkey().isActive());
    EXPECT_FALSE(host->hotKeys().inPlaceHotkey().isActive());
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+e"), kWindowToast));
}
