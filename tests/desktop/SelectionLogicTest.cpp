#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "desktop/platform/fake/FakePlatform.h"
#include "desktop/selection/FocusedSelectionReader.h"
#include "desktop/selection/MouseGestureMonitor.h"
#include "desktop/selection/SelectionObserver.h"
#include "desktop/selection/SuppressedApps.h"

using namespace ts;

namespace {

constexpr qint64 kOwnPid = 100;
const AppInfo kEditor{4242, QStringLiteral("Mousepad"), QStringLiteral("Mousepad"), 0x600001};

class SelectionObserverTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.accessible.isAvailable = true;
        desktop.frontmost.setCurrent(kEditor);
        observer.start();
    }

    // The observer leaves hiding to its owner; a test counts what the owner is told.
    int checksAfterSettling() {
        QTest::qWait(SelectionObserver::kDebounceMs * 3);
        return static_cast<int>(bounds.count() + cleared.count());
    }

    FakePlatform desktop;
    SelectionObserver observer{desktop.frontmost, desktop.primary, desktop.accessible,
                               desktop.desktopControl, kOwnPid};
    QSignalSpy bounds{&observer, &SelectionObserver::boundsFound};
    QSignalSpy cleared{&observer, &SelectionObserver::selectionCleared};
};

TEST(SuppressedAppsTest, LinuxClassesAndOriginalIdentifiersIgnoringCase) {
    for (const char* name : {"org.gnome.Nautilus", "keepassxc", "THUNAR", "gnome-calculator",
                             "com.apple.finder", "Gnome-disks"}) {
        EXPECT_TRUE(isSuppressedApp(QString::fromLatin1(name))) << name;
    }
    for (const char* name : {"Mousepad", "firefox", "", "Nautilus2"}) {
        EXPECT_FALSE(isSuppressedApp(QString::fromLatin1(name))) << name;
    }
}

TEST_F(SelectionObserverTest, SuppressedAndOwnApplicationsAttachNothing) {
    ASSERT_EQ(observer.observedPid(), kEditor.pid);
    for (const AppInfo& app :
         {AppInfo{77, QStringLiteral("KeePassXC"), QStringLiteral("KeePassXC")},
          AppInfo{kOwnPid, QStringLiteral("tessarine"), QStringLiteral("x")}}) {
        desktop.frontmost.setCurrent(app);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !observer.observedPid(); }, 2000));
        cleared.clear();
        desktop.accessible.byPid[app.pid] = {QStringLiteral("secret"), true, QRect(5, 5, 40, 12)};
        desktop.primary.select(app.pid, QStringLiteral("secret"));
        EXPECT_EQ(checksAfterSettling(), 0) << qPrintable(app.windowClass);
        // Back to an ordinary editor: attached again.
        desktop.frontmost.setCurrent(kEditor);
        ASSERT_TRUE(QTest::qWaitFor([&] { return observer.observedPid() == kEditor.pid; }, 2000));
    }
}

TEST_F(SelectionObserverTest, BoundsShowCaretKeepsWithTextAndHidesWithout) {
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("hello"), true, QRect(10, 20, 50, 14)};
    desktop.primary.select(kEditor.pid, QStringLiteral("hello"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bounds.count() == 1; }, 2000));
    EXPECT_EQ(bounds.takeFirst().at(0).toRect(), QRect(10, 20, 50, 14));
    cleared.clear();

    // A caret (zero width) with text still selected: nothing changes.
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("hello"), true, QRect(60, 20, 0, 14)};
    desktop.primary.select(kEditor.pid, QStringLiteral("hello"));
    EXPECT_EQ(checksAfterSettling(), 0);

    // Only PRIMARY still holds text (no accessible element): still nothing.
    desktop.accessible.byPid.remove(kEditor.pid);
    desktop.primary.select(kEditor.pid, QStringLiteral("  hello "));
    EXPECT_EQ(checksAfterSettling(), 0);

    // Nothing selected anywhere: the strip goes.
    desktop.primary.select(kEditor.pid, QStringLiteral("  \n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return cleared.count() == 1; }, 2000));
    EXPECT_EQ(bounds.count(), 0);
}

TEST_F(SelectionObserverTest, NewerChangeWithinTheDebounceCancelsTheOlderCheck) {
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("a"), true, QRect(1, 1, 10, 10)};
    desktop.primary.select(kEditor.pid, QStringLiteral("a"));
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("ab"), true, QRect(1, 1, 20, 10)};
    QElapsedTimer sinceLast;
    sinceLast.start();
    desktop.primary.select(kEditor.pid, QStringLiteral("ab"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bounds.count() == 1; }, 2000));
    // Lower bound only; the timer is coarse and may fire up to 5 % early.
    EXPECT_GE(sinceLast.elapsed(), SelectionObserver::kDebounceMs * 95 / 100);
    QTest::qWait(SelectionObserver::kDebounceMs * 2);
    ASSERT_EQ(bounds.count(), 1);
    EXPECT_EQ(bounds.at(0).at(0).toRect().width(), 20);
}

TEST_F(SelectionObserverTest, StopHidesAndIgnoresLaterChanges) {
    observer.stop();
    EXPECT_FALSE(observer.observedPid());
    cleared.clear();
    desktop.primary.select(kEditor.pid, QStringLiteral("x"));
    EXPECT_EQ(checksAfterSettling(), 0);
}

TEST(FocusedSelectionTest, AccessibleElementFirstElsePrimaryOwnedByThatApp) {
    FakePlatform desktop;
    desktop.accessible.isAvailable = false;
    desktop.primary.select(kEditor.pid, QStringLiteral(" picked \n"));
    EXPECT_EQ(focusedSelectionOf(desktop.accessible, desktop.primary, kEditor.pid)->text, "picked");
    EXPECT_TRUE(hasEditableSelection(desktop.accessible, desktop.primary, kEditor.pid));
    EXPECT_FALSE(hasEditableSelection(desktop.accessible, desktop.primary, 999));

    desktop.accessible.isAvailable = true;
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("label text"), false, std::nullopt};
    EXPECT_EQ(focusedSelectionOf(desktop.accessible, desktop.primary, kEditor.pid)->text,
              "label text");
    EXPECT_FALSE(hasEditableSelection(desktop.accessible, desktop.primary, kEditor.pid));
}

struct DragCase {
    const char* name;
    QPoint start;
    QPoint end;
    std::optional<DragDirection> reported;
};

class MouseGestureTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(MouseGestureTest, DragsLongerThanFivePointsAreReportedAfterSettling) {
    const DragCase& drag = GetParam();
    FakeInputMonitor input;
    MouseGestureMonitor monitor(input);
    QSignalSpy ended(&monitor, &MouseGestureMonitor::dragEnded);
    QElapsedTimer sinceRelease;
    qint64 reportedAfterMs = -1;
    QObject::connect(&monitor, &MouseGestureMonitor::dragEnded, &monitor,
                     [&] { reportedAfterMs = sinceRelease.elapsed(); });
    monitor.start();
    EXPECT_EQ(input.holders(InputKind::buttons), 1);
    input.press(Qt::LeftButton, drag.start);
    sinceRelease.start();
    input.releaseButton(Qt::LeftButton, drag.end);
    QTest::qWait(MouseGestureMonitor::kSettleDelayMs * 5);
    if (!drag.reported) {
        EXPECT_EQ(ended.count(), 0);
    } else {
        ASSERT_EQ(ended.count(), 1);
        EXPECT_GE(reportedAfterMs, MouseGestureMonitor::kSettleDelayMs);
        EXPECT_EQ(ended.at(0).at(0).toPoint(), drag.end);
        EXPECT_EQ(ended.at(0).at(1).value<DragDirection>(), *drag.reported);
    }
    monitor.stop();
    EXPECT_EQ(input.holders(InputKind::buttons), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, MouseGestureTest,
    ::testing::Values(DragCase{"exactly5", {100, 100}, {105, 100}, std::nullopt},
                      DragCase{"diagonal5", {100, 100}, {103, 104}, std::nullopt},
                      DragCase{"right6", {100, 100}, {106, 100}, DragDirection::upward},
                      DragCase{"down", {100, 100}, {100, 140}, DragDirection::downward},
                      DragCase{"up", {100, 100}, {60, 80}, DragDirection::upward}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MouseGestureStopTest, StopDropsAPendingReportAndRightButtonIsIgnored) {
    FakeInputMonitor input;
    MouseGestureMonitor monitor(input);
    QSignalSpy ended(&monitor, &MouseGestureMonitor::dragEnded);
    QSignalSpy keys(&input, &InputMonitor::keyPressed);
    monitor.start();
    // Watching for drags alone must not wake us for every key typed on the desktop.
    input.key();
    EXPECT_EQ(keys.count(), 0);
    EXPECT_EQ(input.holders(InputKind::keys), 0);
    input.press(Qt::RightButton, {0, 0});
    input.releaseButton(Qt::RightButton, {50, 50});
    input.press(Qt::LeftButton, {0, 0});
    input.releaseButton(Qt::LeftButton, {50, 50});
    monitor.stop();
    QTest::qWait(MouseGestureMonitor::kSettleDelayMs * 5);
    EXPECT_EQ(ended.count(), 0);
}

}  // namespace
