#include <gtest/gtest.h>

#include "desktop/platform/x11/X11Platform.h"

using namespace ts;

// A process without a GUI application (like the command-line tool) has no display: every
// facility says so instead of crashing.
TEST(X11PlatformWithoutDisplay, ReportsEverythingUnavailable) {
    X11Platform owner;
    Platform platform = owner.platform();
    EXPECT_FALSE(platform.desktopControl.available());
    EXPECT_FALSE(platform.keys.send(KeyChord{'c', Modifier::control}));
    EXPECT_FALSE(platform.keyGrabber.grab(1, KeyChord{'e', Modifier::control | Modifier::alt}));
    platform.keyGrabber.ungrab(1);
    EXPECT_EQ(platform.frontmost.current(), std::nullopt);
    EXPECT_FALSE(platform.frontmost.activate(1));
    EXPECT_EQ(platform.modifiers.heldModifiers(), Modifiers());
    platform.clipboard.setText(QStringLiteral("nowhere"), true);
    platform.clipboard.restore({{QStringLiteral("text/plain"), "x"}});
    platform.clipboard.clear();
    EXPECT_TRUE(platform.clipboard.snapshot().isEmpty());
    EXPECT_EQ(platform.clipboard.text(), std::nullopt);
    EXPECT_EQ(platform.clipboard.changeCount(), 0u);
}
