#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <tuple>

#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/InPlaceTrigger.h"
#include "desktop/platform/fake/FakePlatform.h"

using namespace ts;

namespace {

const KeyChord kWindowChord{'e', Modifier::control | Modifier::alt};
const KeyChord kInPlaceChord{'e', Modifier::control | Modifier::alt | Modifier::super};

const AppInfo kMousepad{4242, QStringLiteral("Mousepad"), QStringLiteral("Mousepad"), 0x600001};

void drainEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class HotKeyBindingsTest : public ::testing::Test {
protected:
    HotKeyBindingsTest()
        : bindings(
              platform.platform(), [this] { return settings; },
              InPlaceTriggerActions{[this] { ++toggles; }, [this] { ++alerts; },
                                    [this] { ++rewrites; }},
              QStringLiteral("tessarine")) {
        platform.frontmost.setCurrent(kMousepad);
    }

    FakePlatform platform;
    HotKeySettings settings;
    int toggles = 0;
    int alerts = 0;
    int rewrites = 0;
    HotKeyBindings bindings;
};

}  // namespace

TEST_F(HotKeyBindingsTest, DefaultsGrabBothChordsUnderTheirIds) {
    bindings.reregister();
    EXPECT_EQ(platform.keyGrabber.grabs.value(kWindowHotKeyId), kWindowChord);
    EXPECT_EQ(platform.keyGrabber.grabs.value(kInPlaceHotKeyId), kInPlaceChord);
}

TEST_F(HotKeyBindingsTest, ActionRunsAfterTheDispatchThatDeliveredThePress) {
    bindings.reregister();
    platform.keyGrabber.press(kWindowChord);
    EXPECT_EQ(toggles, 0);
    drainEvents();
    EXPECT_EQ(toggles, 1);
}

TEST_F(HotKeyBindingsTest, ReregisteringFollowsChangedSettings) {
    bindings.reregister();
    bindings.reregister();
    settings.window = Shortcut{40, kCarbonShift};  // ⇧K
    bindings.reregister();
    EXPECT_EQ(platform.keyGrabber.grabs.size(), 2);

    platform.keyGrabber.press(kWindowChord);
    drainEvents();
    EXPECT_EQ(toggles, 0);
    platform.keyGrabber.press(KeyChord{'k', Modifier::shift});
    drainEvents();
    EXPECT_EQ(toggles, 1);
}

TEST_F(HotKeyBindingsTest, SameChordForBothFiresBoth) {
    settings.inPlace = settings.window;
    bindings.reregister();
    platform.keyGrabber.press(kWindowChord);
    drainEvents();
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(rewrites, 1);
}

// In Tessarine's own window the in-place hotkey toggles the window; elsewhere it rewrites, or
// alerts when there is no desktop control.
TEST_F(HotKeyBindingsTest, InPlaceHotkeyByFrontmostAppAndDesktopControl) {
    const AppInfo own{QCoreApplication::applicationPid(), QStringLiteral("tessarine"), {}, 1};
    const struct {
        bool own;
        bool control;
        int toggles, alerts, rewrites;
    } rows[] = {
        {true, true, 1, 0, 0},
        {true, false, 1, 0, 0},
        {false, false, 0, 1, 0},
        {false, true, 0, 0, 1},
    };
    bindings.reregister();
    for (const auto& row : rows) {
        toggles = alerts = rewrites = 0;
        platform.frontmost.setCurrent(row.own ? own : kMousepad);
        platform.desktopControl.isAvailable = row.control;
        platform.keyGrabber.press(kInPlaceChord);
        drainEvents();
        EXPECT_EQ(std::tuple(toggles, alerts, rewrites),
                  std::tuple(row.toggles, row.alerts, row.rewrites))
            << "own " << row.own << ", control " << row.control;
    }
}

TEST(HotKeyManager, RefusedChordNeverFires) {
    FakePlatform platform;
    platform.keyGrabber.refused.append(kWindowChord);
    int fired = 0;
    HotKeyManager manager(platform.keyGrabber);
    EXPECT_FALSE(manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; }));
    EXPECT_FALSE(manager.isActive());
    platform.keyGrabber.press(kWindowChord);
    drainEvents();
    EXPECT_EQ(fired, 0);
    // Once the other program lets go, registering again takes it.
    platform.keyGrabber.refused.clear();
    EXPECT_TRUE(manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; }));
    EXPECT_TRUE(manager.isActive());
    manager.unregisterHotKey();
    EXPECT_FALSE(manager.isActive());
}

TEST(HotKeyManager, KeyOutsideTheTableIsNotGrabbed) {
    FakePlatform platform;
    HotKeyManager manager(platform.keyGrabber);
    EXPECT_FALSE(manager.registerHotKey(Shortcut{105, kCarbonCommand}, 1, [] {}));
    EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
}

TEST(HotKeyManager, UnregisterAndDestructionRelease) {
    FakePlatform platform;
    int fired = 0;
    {
        HotKeyManager manager(platform.keyGrabber);
        manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; });
        manager.unregisterHotKey();
        EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
        platform.keyGrabber.press(kWindowChord);
        drainEvents();
        EXPECT_EQ(fired, 0);
        manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; });
        platform.keyGrabber.press(kWindowChord);
        manager.unregisterHotKey();  // a press queued before the unregister is dropped
        drainEvents();
        EXPECT_EQ(fired, 0);
        manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; });
    }
    EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
}

TEST(InPlaceTrigger, OwnApplicationByPidOrWindowClass) {
    const qint64 own = 100;
    EXPECT_TRUE(isOwnApplication(AppInfo{100, "Mousepad", {}, 1}, own, "tessarine"));
    EXPECT_TRUE(isOwnApplication(AppInfo{7, "Tessarine", {}, 1}, own, "tessarine"));
    EXPECT_FALSE(isOwnApplication(AppInfo{7, "Mousepad", {}, 1}, own, "tessarine"));
    EXPECT_FALSE(isOwnApplication(AppInfo{0, "", {}, 1}, 0, ""));
    EXPECT_FALSE(isOwnApplication(std::nullopt, own, "tessarine"));
}
