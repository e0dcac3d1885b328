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

// The program's host in this process, with its own settings and no keys, started.
class HostHotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&ToastPresenter::shared(), &ToastPresenter::stateChanged, &listener,
                         [this] { shown.append(ToastPresenter::shared().state().text); });
        host.start();
        ASSERT_TRUE(host.hotKeys().inPlaceHotkey().isRegistered());
    }

    // Presses a chord and waits until the toast it causes has been shown.
    bool pressAndSee(const QString& chord, const QString& toast) {
        const qsizetype before = shown.count(toast);
        xdotool({"key", chord});
        return QTest::qWaitFor([&] { return shown.count(toast) > before; }, 10000);
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("t.conf"))};
    HistoryStore history{dir.filePath(QStringLiteral("history.json"))};
    MemoryKeyStore keys;
    X11Platform platform;
    Host host{platform.platform(),
              RequestServices{settings, keys, [this]() -> HistoryStore& { return history; }}};
    QObject listener;
    QStringList shown;
};

}  // namespace

TEST_F(HostHotkeys, EachHotkeyFiresItsOwnActionAndTurningTheInPlaceOneOffReleasesIt) {
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+e"), kWindowToast));
    EXPECT_FALSE(shown.contains(kMissingKey));
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+super+e"), kMissingKey));
    EXPECT_EQ(shown.count(kWindowToast), 1);

    settings.setInPlaceHotkeyEnabled(false);
    EXPECT_FALSE(host.hotKeys().inPlaceHotkey().isRegistered());
    // The server gives Ctrl+Alt+Super+E (with every lock) to another client now.
    EXPECT_EQ(HeldGrab('e', {"0x4c", "0x5c", "0x4e", "0x5e"}).answer(), "ok");
    xdotool({"key", "ctrl+alt+super+e"});
    // Key events arrive in order: once the window hotkey's toast is there, the earlier press
    // has been handled too.
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+e"), kWindowToast));
    EXPECT_EQ(shown.count(kMissingKey), 1);

    settings.setInPlaceHotkeyEnabled(true);
    EXPECT_TRUE(host.hotKeys().inPlaceHotkey().isRegistered());
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+alt+super+e"), kMissingKey));
}

TEST_F(HostHotkeys, FollowsHotkeySettingsChangedByAnotherWriter) {
    SettingsStore elsewhere(settings.filePath());  // as tessarine-cli config set writes
    elsewhere.setInPlaceHotkeyEnabled(false);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !host.hotKeys().inPlaceHotkey().isRegistered(); }, 10000));
    // Command+Shift+K: the window hotkey moves to Ctrl+Shift+K and the old chord is let go.
    elsewhere.setHotkeyKeyCode(40);
    elsewhere.setHotkeyModifiers(0x300);
    // The change reaches the host a moment later; a press before that goes nowhere.
    bool moved = false;
    for (int attempt = 0; attempt < 20 && !moved; ++attempt) {
        const qsizetype seen = shown.count(kWindowToast);
        xdotool({"key", "ctrl+shift+k"});
        moved = QTest::qWaitFor([&] { return shown.count(kWindowToast) > seen; }, 500);
    }
    ASSERT_TRUE(moved);
    const qsizetype before = shown.count(kWindowToast);
    xdotool({"key", "ctrl+alt+e"});
    EXPECT_TRUE(pressAndSee(QStringLiteral("ctrl+shift+k"), kWindowToast));
    EXPECT_EQ(shown.count(kWindowToast), before + 1);
}
