#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppDelegate.h"
#include "desktop/platform/fake/FakePlatform.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "ui/main/MainWindow.h"
#include "ui/onboarding/OnboardingView.h"

using namespace ts;

namespace {

bool titledWindowVisible(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowTitle() == title && window->isVisible()) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The shell's side of the first run, in process over the in-memory desktop.
TEST(OnboardingShell, FreshSettingsOpenOnboardingFinishingOpensMainAndReplayComesBack) {
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    HistoryStore history(dir.filePath("history.json"));
    PromptStore prompts(dir.filePath("prompts.json"));
    MemoryKeyStore keys;
    FakePlatform desktop;
    AppDelegate delegate(AppDelegate::Services{
        desktop.platform(),
        RequestServices{settings, keys, [&]() -> HistoryStore& { return history; }}, prompts});
    delegate.launch();
    ASSERT_NE(delegate.onboardingWindow(), nullptr);
    EXPECT_TRUE(delegate.onboardingWindow()->isVisible());
    EXPECT_EQ(delegate.onboardingWindow()->windowTitle(), "Welcome to Tessarine");
    EXPECT_EQ(delegate.onboardingWindow()->size(),
              QSize(OnboardingView::kWidth, OnboardingView::kHeight));
    EXPECT_FALSE(delegate.mainWindow().isVisible());

    QAbstractButton* skip = nullptr;
    for (QAbstractButton* button : delegate.onboardingWindow()->findChildren<QAbstractButton*>()) {
        if (button->text() == "Skip setup") {
            skip = button;
        }
    }
    ASSERT_NE(skip, nullptr);
    skip->click();
    EXPECT_TRUE(settings.hasCompletedOnboarding());
    EXPECT_EQ(delegate.onboardingWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.mainWindow().isVisible(); }, 5000));
    EXPECT_FALSE(titledWindowVisible("Welcome to Tessarine"));

    delegate.showSettingsWindow();
    ASSERT_TRUE(titledWindowVisible("Tessarine Settings"));
    delegate.replayOnboarding();
    EXPECT_FALSE(settings.hasCompletedOnboarding());
    EXPECT_FALSE(delegate.mainWindow().isVisible());
    EXPECT_FALSE(titledWindowVisible("Tessarine Settings"));
    ASSERT_NE(delegate.onboardingWindow(), nullptr);
    EXPECT_TRUE(delegate.onboardingWindow()->isVisible());
    EXPECT_EQ(delegate.onboardingWindow()->step(), OnboardingStep::welcome);
}
