#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"
#include "ui/toast/ToastPanel.h"
#include "ui/toast/ToastPlacement.h"
#include "ui/toast/ToastPresenter.h"
#include "ui/toast/ToastView.h"

using namespace ts;
using namespace std::chrono_literals;
using Kind = ToastPresenter::Kind;

namespace {

// Runs the event loop until a timer of this length fires. Qt fires timers of one thread in
// deadline order, so every dismiss timer due earlier has had its turn by then.
void runTimersDueWithin(std::chrono::milliseconds span) {
    bool fired = false;
    QTimer::singleShot(span, Qt::PreciseTimer, [&] { fired = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired; }, 10000));
}

}  // namespace

TEST(ToastPlacement, BottomRightOfTheAvailableArea) {
    struct Row {
        QRect area;
        QPoint origin;
    };
    const Row rows[] = {
        {QRect(0, 0, 1280, 800), QPoint(1280 - 280 - 18, 800 - 52 - 18)},
        {QRect(0, 0, 1280, 776), QPoint(982, 706)},         // a panel along the bottom
        {QRect(1280, 24, 1920, 1056), QPoint(2902, 1010)},  // second screen, top bar
        {QRect(-1920, 0, 1920, 1080), QPoint(-298, 1010)},  // screen left of the primary
    };
    for (const Row& row : rows) {
        EXPECT_EQ(toastOrigin(row.area), row.origin) << row.area.x() << "," << row.area.y();
    }
    EXPECT_EQ(toastOrigin(std::nullopt), std::nullopt);
    EXPECT_EQ(toastOrigin(QRect()), std::nullopt);
}

TEST(Palette, AppearanceSetting) {
    struct Row {
        const char* appearance;
        bool systemDark;
        bool dark;
    };
    const Row rows[] = {
        {"light", true, false}, {"light", false, false}, {"dark", false, true},
        {"dark", true, true},   {"system", true, true},  {"system", false, false},
        {"", true, true},       {"Dark", false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Palette::isDark(row.appearance, row.systemDark), row.dark) << row.appearance;
        EXPECT_EQ(&Palette::forAppearance(row.appearance, row.systemDark),
                  row.dark ? &Palette::dark() : &Palette::light());
    }
    // Text must stand out from the card in both schemes.
    EXPECT_LT(Palette::light().text.lightness(), 80);
    EXPECT_GT(Palette::dark().text.lightness(), 180);
}

// Tests that set the appearance source give it back, whatever they assert.
class AppearanceTest : public ::testing::Test {
protected:
    void TearDown() override { Palette::setAppearanceSource(nullptr); }
    static void use(const char* appearance) {
        Palette::setAppearanceSource([appearance] { return QString::fromLatin1(appearance); });
    }
};

TEST_F(AppearanceTest, CurrentFollowsTheSettingSource) {
    use("dark");
    EXPECT_EQ(&Palette::current(), &Palette::dark());
    use("light");
    EXPECT_EQ(&Palette::current(), &Palette::light());
}

TEST_F(AppearanceTest, ToastRendersEveryKindInBothSchemes) {
    for (const char* appearance : {"light", "dark"}) {
        use(appearance);
        for (Kind kind : {Kind::info, Kind::success, Kind::error}) {
            ToastView view;
            view.resize(kToastSize);
            view.setState({QStringLiteral("A rather long toast text that must be elided"), kind});
            const QImage image = view.grab().toImage();
            ASSERT_EQ(image.size(), kToastSize);
            // The card is painted with the scheme's gradient in the middle of the panel.
            const QColor middle = image.pixelColor(kToastSize.width() / 2, 4);
            EXPECT_EQ(middle.lightness() > 128, QLatin1String(appearance) == "light")
                << appearance << " " << static_cast<int>(kind);
        }
    }
}

TEST_F(AppearanceTest, PopoverBackgroundRunsFromGradientAToGradientB) {
    for (const char* appearance : {"light", "dark"}) {
        use(appearance);
        const Palette& palette = Palette::current();
        PopoverBackground background;
        background.resize(100, 400);
        const QImage image = background.grab().toImage();
        EXPECT_EQ(image.pixelColor(50, 0).rgb(), palette.gradientA.rgb()) << appearance;
        EXPECT_EQ(image.pixelColor(50, 399).rgb(), palette.gradientB.rgb()) << appearance;
    }
}

class ToastPresenterTest : public ::testing::Test {
protected:
    ToastPresenter presenter;
};

TEST_F(ToastPresenterTest, PanelIsANonActivatingToolWindowAtTheBottomRight) {
    presenter.show(QStringLiteral("Rewriting in Mousepad…"), Kind::info);
    ToastPanel* panel = presenter.panel();
    ASSERT_NE(panel, nullptr);
    const Qt::WindowFlags flags = panel->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Tool));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(panel->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(panel->size(), QSize(280, 52));
    EXPECT_EQ(panel->pos(), toastOrigin(QGuiApplication::primaryScreen()->availableGeometry()));
    EXPECT_TRUE(presenter.isVisible());
}

namespace {

QByteArray runX(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return process.readAllStandardOutput();
}

bool viewable(WId window) {
    return runX(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)})
        .contains("IsViewable");
}

}  // namespace

// A toast raised for a rewrite must be seen whichever workspace the user is on.
// Also for a later toast: the window manager drops the hint when the panel is hidden.
TEST_F(ToastPresenterTest, PanelStaysOnEveryWorkspace) {
    presenter.show(QStringLiteral("Rewriting in the app…"), Kind::info);
    const WId panel = presenter.panel()->winId();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewable(panel); }, 10000));
    presenter.hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewable(panel); }, 10000));
    presenter.show(QStringLiteral("Rewrote in the app."), Kind::success);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewable(panel); }, 10000));
    EXPECT_TRUE(runX(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(panel),
                                               QStringLiteral("_NET_WM_DESKTOP")})
                    .contains("4294967295"));
    runX(QStringLiteral("xdotool"), {QStringLiteral("set_desktop"), QStringLiteral("1")});
    const auto onDesktop = [] {
        return runX(QStringLiteral("xdotool"), {QStringLiteral("get_desktop")}).trimmed();
    };
    const bool switched = QTest::qWaitFor([&] { return onDesktop() == "1"; }, 10000);
    runTimersDueWithin(100ms);
    const bool seen = viewable(panel);
    runX(QStringLiteral("xdotool"), {QStringLiteral("set_desktop"), QStringLiteral("0")});
    ASSERT_TRUE(switched);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return onDesktop() == "0"; }, 10000));
}

TEST_F(ToastPresenterTest, ShowingDoesNotTakeFocusFromTheActiveWindow) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 10000));
    presenter.show(QStringLiteral("Proofreading in the app…"), Kind::info);
    runTimersDueWithin(200ms);
    EXPECT_TRUE(window.isActiveWindow());
    EXPECT_FALSE(presenter.panel()->isActiveWindow());
}

TEST_F(ToastPresenterTest, DurationHidesAndThePanelIsKept) {
    presenter.show(QStringLiteral("Rewrote in the app. Ctrl+Z to undo."), Kind::success, 100ms);
    ToastPanel* panel = presenter.panel();
    EXPECT_TRUE(presenter.isDismissPending());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.isVisible(); }, 10000));
    EXPECT_FALSE(presenter.isDismissPending());
    presenter.show(QStringLiteral("again"), Kind::error, 100ms);
    EXPECT_EQ(presenter.panel(), panel);
    EXPECT_TRUE(presenter.isVisible());
}

// An info toast without a duration stays, also when it replaces one that had a timer.
TEST_F(ToastPresenterTest, NewerToastWithoutDurationCancelsTheOlderTimer) {
    presenter.show(QStringLiteral("first"), Kind::success, 100ms);
    presenter.show(QStringLiteral("Rewriting in the app…"), Kind::info);
    EXPECT_FALSE(presenter.isDismissPending());
    runTimersDueWithin(300ms);
    EXPECT_TRUE(presenter.isVisible());
    EXPECT_EQ(presenter.state(), (ToastPresenter::State{"Rewriting in the app…", Kind::info}));
}

TEST_F(ToastPresenterTest, NewerToastGetsItsFullDurationFromItsOwnShow) {
    presenter.show(QStringLiteral("first"), Kind::success, 200ms);
    runTimersDueWithin(100ms);
    presenter.show(QStringLiteral("second"), Kind::success, 400ms);
    runTimersDueWithin(250ms);  // past the first toast's end, before the second's
    EXPECT_TRUE(presenter.isVisible());
    EXPECT_EQ(presenter.state().kind, Kind::success);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.isVisible(); }, 10000));
}

TEST_F(ToastPresenterTest, HideCancelsThePendingTimer) {
    presenter.show(QStringLiteral("first"), Kind::success, 100ms);
    presenter.hide();
    EXPECT_FALSE(presenter.isDismissPending());
    presenter.show(QStringLiteral("second"), Kind::info);
    runTimersDueWithin(300ms);
    EXPECT_TRUE(presenter.isVisible());
}

TEST(ToastView, IconsForEachKind) {
    EXPECT_FALSE(ToastView::iconFor(Kind::success).isNull());
    EXPECT_FALSE(ToastView::iconFor(Kind::error).isNull());
    EXPECT_FALSE(ToastView::iconFor(Kind::success).pixmap(16, 16).isNull());
    EXPECT_TRUE(ToastView::iconFor(Kind::info).isNull());  // a spinner is drawn instead
}
