#include <gtest/gtest.h>

#include <QCoreApplication>
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
                                    [this](Mode) { ++rewrites; }},
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

// The same chord for both fires both, each after the dispatch that delivered the press.
TEST_F(HotKeyBindingsTest, SameChordForBothFiresBothAfterTheDispatch) {
    settings.inPlace = settings.window;
    bindings.reregister();
    platform.keyGrabber.press(kWindowChord);
    EXPECT_EQ(toggles + rewrites, 0);
    drainEvents();
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(rewrites, 1);
}

// In Tessarine's own window (by process or, in any case, by window class) the in-place hotkey
// toggles the window; elsewhere it rewrites, or alerts when there is no desktop control.
TEST_F(HotKeyBindingsTest, InPlaceHotkeyByFrontmostAppAndDesktopControl) {
    const AppInfo ownPid{QCoreApplication::applicationPid(), QStringLiteral("Mousepad"), {}, 1};
    const AppInfo ownClass{7, QStringLiteral("Tessarine"), {}, 1};
    const struct {
        std::optional<AppInfo> frontmost;
        bool control;
        int toggles, alerts, rewrites;
    } rows[] = {
        {ownPid, true, 1, 0, 0},     {ownPid, false, 1, 0, 0},   {ownClass, true, 1, 0, 0},
        {kMousepad, false, 0, 1, 0}, {kMousepad, true, 0, 0, 1}, {std::nullopt, true, 0, 0, 1},
    };
    bindings.reregister();
    for (const auto& row : rows) {
        toggles = alerts = rewrites = 0;
        platform.frontmost.setCurrent(row.frontmost);
        platform.desktopControl.isAvailable = row.control;
        platform.keyGrabber.press(kInPlaceChord);
        drainEvents();
        EXPECT_EQ(std::tuple(toggles, alerts, rewrites),
                  std::tuple(row.toggles, row.alerts, row.rewrites))
            << (row.frontmost ? row.frontmost->windowClass.toStdString() : "none") << ", control "
            << row.control;
    }
}

// A key outside the table is not grabbed; an unregister drops a press already queued; the
// destructor lets go.
TEST(HotKeyManager, GrabsOnlyWhatItCanAndLetsGo) {
    FakePlatform platform;
    int fired = 0;
    {
        HotKeyManager manager(platform.keyGrabber);
        EXPECT_FALSE(manager.registerHotKey(Shortcut{105, kCarbonCommand}, 1, [] {}));
        EXPECT_FALSE(manager.isActive());
        EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
        EXPECT_TRUE(manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; }));
        platform.keyGrabber.press(kWindowChord);
        manager.unregisterHotKey();
        EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
        drainEvents();
        EXPECT_EQ(fired, 0);
        manager.registerHotKey(kDefaultWindowShortcut, 1, [&] { ++fired; });
    }
    EXPECT_TRUE(platform.keyGrabber.grabs.isEmpty());
}
