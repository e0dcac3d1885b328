#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/AppDelegate.h"
#include "desktop/platform/fake/FakePlatform.h"
#include "session/AppState.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "ui/main/MainWindow.h"
#include "ui/selection/AskInputPresenter.h"
#include "ui/selection/AskInputView.h"
#include "ui/selection/SelectionButtonPresenter.h"
#include "ui/selection/SelectionStripView.h"

using namespace ts;

namespace {

const AppInfo kEditor{4242, QStringLiteral("Mousepad"), QStringLiteral("Mousepad"), 0x600001};
const AppInfo kVault{4343, QStringLiteral("KeePassXC"), QStringLiteral("KeePassXC"), 0x700001};

// The shell's side of the strip, in process over the in-memory desktop.
class SelectionShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.setHasCompletedOnboarding(true);
        settings.setSelectionButtonEnabled(true);
        desktop.accessible.isAvailable = false;
        desktop.frontmost.setCurrent(kEditor);
        delegate.launch();
    }

    void drag(QPoint from, QPoint to) {
        desktop.input.press(Qt::LeftButton, from);
        desktop.input.releaseButton(Qt::LeftButton, to);
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    PromptStore prompts{dir.filePath("prompts.json")};
    MemoryKeyStore keys;
    FakePlatform desktop;
    AppDelegate delegate{AppDelegate::Services{
        desktop.platform(),
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; }}, prompts}};
    SelectionButtonPresenter& strip = delegate.selectionStrip();
};

TEST_F(SelectionShellTest, DragInAnEditorShowsTheStripAndCustomOpensThePanelAtIt) {
    desktop.primary.select(kEditor.pid, QStringLiteral("some words"));
    drag(QPoint(100, 100), QPoint(300, 120));
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip.isVisible(); }, 2000));
    // Below the pointer, 4 px inside; the window manager may confirm the position only later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return strip.frame()->topLeft() == QPoint(100, 126); }, 5000))
        << "waited for the strip at 100,126; it is at " << strip.frame()->x() << ','
        << strip.frame()->y();

    strip.strip()->button(Mode::ask)->click();
    AskInputPresenter& panel = delegate.askPanel();
    ASSERT_TRUE(panel.isVisible());
    EXPECT_FALSE(strip.isVisible());
    // Its bottom-left corner where the strip's was.
    EXPECT_EQ(panel.view()->frameGeometry().bottomLeft() + QPoint(0, 1), QPoint(100, 156));
    panel.hide();
}

TEST_F(SelectionShellTest, SuppressedOrUnselectedAppsGetNoStripAndCustomFallsBackToTheWindow) {
    desktop.frontmost.setCurrent(kVault);
    desktop.primary.select(kVault.pid, QStringLiteral("hunter2"));
    drag(QPoint(100, 100), QPoint(300, 120));
    QTest::qWait(200);
    EXPECT_FALSE(strip.isVisible());

    desktop.frontmost.setCurrent(kEditor);
    desktop.primary.select(kEditor.pid, std::nullopt);
    drag(QPoint(100, 100), QPoint(300, 120));
    QTest::qWait(200);
    EXPECT_FALSE(strip.isVisible());

    strip.showAtPoint(QPoint(300, 300), DragDirection::downward);
    strip.strip()->button(Mode::ask)->click();
    EXPECT_FALSE(delegate.askPanel().isVisible());
    EXPECT_EQ(delegate.session().mode(), Mode::ask);
    EXPECT_TRUE(delegate.mainWindow().isVisible());
}

TEST_F(SelectionShellTest, ADragJustAfterTheObserverPlacedTheStripLeavesIt) {
    desktop.accessible.isAvailable = true;
    desktop.accessible.byPid[kEditor.pid] = {QStringLiteral("hello"), true,
                                             QRect(500, 200, 100, 16)};
    desktop.input.press(Qt::LeftButton, QPoint(500, 200));
    desktop.primary.select(kEditor.pid, QStringLiteral("hello"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip.isVisible(); }, 2000));
    const QPoint placed(350, 222);
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip.frame()->topLeft() == placed; }, 5000))
        << "waited for the strip at 350,222; it is at " << strip.frame()->x() << ','
        << strip.frame()->y();
    desktop.input.releaseButton(Qt::LeftButton, QPoint(900, 500));
    QTest::qWait(200);
    EXPECT_TRUE(strip.isVisible());
    EXPECT_EQ(strip.frame()->topLeft(), placed);
}

TEST_F(SelectionShellTest, TurningTheSettingOffStopsBothDetectorsAndHides) {
    // Until a strip shows, only buttons are watched: typing elsewhere never wakes us.
    EXPECT_EQ(desktop.input.holders(InputKind::buttons), 1);
    EXPECT_EQ(desktop.input.holders(InputKind::keys), 0);
    desktop.primary.select(kEditor.pid, QStringLiteral("some words"));
    drag(QPoint(100, 100), QPoint(300, 120));
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip.isVisible(); }, 2000));
    settings.setSelectionButtonEnabled(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !strip.isVisible(); }, 2000));
    for (InputKind kind : {InputKind::buttons, InputKind::keys, InputKind::scroll}) {
        EXPECT_EQ(desktop.input.holders(kind), 0);
    }
}

}  // namespace
