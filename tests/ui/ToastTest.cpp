#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "desktop/platform/Workspaces.h"
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

QByteArray runX(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return process.readAllStandardOutput();
}

bool viewable(WId window) {
    return runX(QStringLiteral("xwininfo"), {"-id", QString::number(window)})
        .contains("IsViewable");
}

}  // namespace

TEST(ToastPlacement, BottomRightOfTheAvailableArea) {
    const struct {
        QRect area;
        QPoint origin;
    } rows[] = {
        {QRect(0, 0, 1280, 800), QPoint(1280 - 280 - 18, 800 - 52 - 18)},
        {QRect(0, 0, 1280, 776), QPoint(982, 706)},         // a panel along the bottom
        {QRect(1280, 24, 1920, 1056), QPoint(2902, 1010)},  // second screen, top bar
        {QRect(-1920, 0, 1920, 1080), QPoint(-298, 1010)},  // screen left of the primary
    };
    for (const auto& row : rows) {
        EXPECT_EQ(toastOrigin(row.area), row.origin) << row.area.x() << "," << row.area.y();
    }
    EXPECT_EQ(toastOrigin(std::nullopt), std::nullopt);
    EXPECT_EQ(toastOrigin(QRect()), std::nullopt);
}

TEST(Palette, AppearanceSetting) {
    const struct {
        const char* appearance;
        bool systemDark;
        bool dark;
    } rows[] = {
        {"light", true, false},   {"dark", false, true}, {"system", true, true},
        {"system", false, false}, {"", true, true},      {"Dark", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Palette::isDark(row.appearance, row.systemDark), row.dark) << row.appearance;
        EXPECT_EQ(&Palette::forAppearance(row.appearance, row.systemDark),
                  row.dark ? &Palette::dark() : &Palette::light());
    }
    // Text must stand out from the card in both schemes.
    EXPECT_LT(Palette::light().text.lightness(), 80);
    EXPECT_GT(Palette::dark().text.lightness(), 180);
}

// The toast card and the popover background are painted in the scheme the setting names.
TEST(Appearance, ToastAndPopoverFollowTheSettingSource) {
    const auto giveBack = qScopeGuard([] { Palette::setAppearanceSource(nullptr); });
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark);
        Palette::setAppearanceSource([dark] { return dark ? "dark" : "light"; });
        for (Kind kind : {Kind::info, Kind::success, Kind::error}) {
            ToastView view;
            view.resize(kToastSize);
            view.setState({QStringLiteral("A toast text"), kind});
            const QImage image = view.grab().toImage();
            ASSERT_EQ(image.size(), kToastSize);
            // The card is painted with the scheme's gradient in the middle of the panel.
            EXPECT_EQ(image.pixelColor(kToastSize.width() / 2, 4).lightness() > 128, !dark)
                << static_cast<int>(kind);
        }
        // A long toast as a user sees it, saved for review under the build tree.
        ToastPanel panel;
        panel.setState({QStringLiteral("The window changed before the answer arrived. Nothing "
                                       "was pasted; the answer is in the history."),
                        Kind::error});
        const QString shots = QCoreApplication::applicationDirPath() + "/screenshots";
        QDir().mkpath(shots);
        EXPECT_TRUE(panel.grab().save(shots + (dark ? "/toast-dark.png" : "/toast-light.png")));
        const Palette& palette = dark ? Palette::dark() : Palette::light();
        PopoverBackground background;
        background.resize(100, 400);
        const QImage image = background.grab().toImage();
        EXPECT_EQ(image.pixelColor(50, 0).rgb(), palette.gradientA.rgb());
        EXPECT_EQ(image.pixelColor(50, 399).rgb(), palette.gradientB.rgb());
    }
}

class ToastPresenterTest : public ::testing::Test {
protected:
    ToastPresenter presenter;
};

// A toast raised for a rewrite must be seen at the bottom right whichever workspace the user is
// on. Also a later toast: the window manager drops the hint when the panel is hidden.
TEST_F(ToastPresenterTest, PanelAtTheBottomRightOfEveryWorkspace) {
    presenter.show(QStringLiteral("Rewriting in the app…"), Kind::info);
    EXPECT_EQ(
        presenter.panel()->geometry(),
        QRect(*toastOrigin(QGuiApplication::primaryScreen()->availableGeometry()), kToastSize));
    const WId panel = presenter.panel()->winId();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewable(panel); }, 10000));
    presenter.hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewable(panel); }, 10000));
    presenter.show(QStringLiteral("Rewrote in the app."), Kind::success);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewable(panel); }, 10000));
    runX(QStringLiteral("xdotool"), {"set_desktop", "1"});
    const auto onDesktop = [] {
        return runX(QStringLiteral("xdotool"), {"get_desktop"}).trimmed();
    };
    const bool switched = QTest::qWaitFor([&] { return onDesktop() == "1"; }, 10000);
    runTimersDueWithin(100ms);
    const bool seen = viewable(panel);
    runX(QStringLiteral("xdotool"), {"set_desktop", "0"});
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

// A newer toast gets its full duration from its own show; it hides then, and the panel is kept
// for the next.
TEST_F(ToastPresenterTest, DurationCountsFromTheNewestShowAndThePanelIsKept) {
    presenter.show(QStringLiteral("first"), Kind::success, 200ms);
    ToastPanel* panel = presenter.panel();
    runTimersDueWithin(100ms);
    presenter.show(QStringLiteral("second"), Kind::success, 400ms);
    EXPECT_TRUE(presenter.isDismissPending());
    runTimersDueWithin(250ms);  // past the first toast's end, before the second's
    EXPECT_TRUE(presenter.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.isVisible(); }, 10000));
    EXPECT_FALSE(presenter.isDismissPending());
    presenter.show(QStringLiteral("again"), Kind::error, 100ms);
    EXPECT_EQ(presenter.panel(), panel);
    EXPECT_TRUE(presenter.isVisible());
}

// An info toast without a duration stays, also when it replaces one that had a timer, or
// follows a hide of it.
TEST_F(ToastPresenterTest, NewerToastWithoutDurationOrAHideCancelsTheOlderTimer) {
    for (const bool hide : {false, true}) {
        presenter.show(QStringLiteral("first"), Kind::success, 100ms);
        if (hide) {
            presenter.hide();
        }
        presenter.show(QStringLiteral("Rewriting in the app…"), Kind::info);
        EXPECT_FALSE(presenter.isDismissPending());
        runTimersDueWithin(300ms);
        EXPECT_TRUE(presenter.isVisible()) << hide;
        EXPECT_EQ(presenter.state(), (ToastPresenter::State{"Rewriting in the app…", Kind::info}));
    }
}

// Longer texts widen the toast up to its largest width, then wrap; its bottom-right corner stays
// put and nothing is cut. A screen reader reads the text.
TEST(ToastPanel, GrowsWithItsTextThenWraps) {
    ToastPanel panel;
    const QString texts[] = {
        QStringLiteral("Rewrote in kwrite."),
        QStringLiteral("Rewrote in LibreOffice Writer. Ctrl+Z to undo."),
        QStringLiteral("The window changed before the answer arrived. Nothing was pasted; the "
                       "answer is in the history."),
    };
    QList<QRect> geometries;
    for (const QString& text : texts) {
        panel.setState({text, Kind::success});
        geometries.append(panel.geometry());
        EXPECT_EQ(panel.view()->accessibleName(), text);
    }
    EXPECT_EQ(geometries[0].size(), kToastSize);
    EXPECT_GT(geometries[1].width(), kToastSize.width());
    EXPECT_LE(geometries[1].width(), kToastMaxWidth);
    EXPECT_EQ(geometries[1].height(), kToastSize.height());
    EXPECT_EQ(geometries[2].width(), kToastMaxWidth);
    EXPECT_GT(geometries[2].height(), kToastSize.height());
    EXPECT_EQ(geometries[0].bottomRight(), geometries[1].bottomRight());
    EXPECT_EQ(geometries[0].bottomRight(), geometries[2].bottomRight());
}

TEST(ToastView, IconsForEachKind) {
    EXPECT_FALSE(ToastView::iconFor(Kind::success).pixmap(16, 16).isNull());
    EXPECT_FALSE(ToastView::iconFor(Kind::error).pixmap(16, 16).isNull());
    EXPECT_TRUE(ToastView::iconFor(Kind::info).isNull());  // a spinner is drawn instead
}

// The test desktop has no compositing manager: the toast is an opaque window, and its corner
// on screen shows the card, not the black of an unblended clear pixel.
TEST_F(ToastPresenterTest, WithoutACompositorTheCardIsOpaqueAndSquare) {
    ASSERT_FALSE(hasCompositingManager());
    presenter.show("Rewriting\u2026", Kind::info);
    ToastPanel* panel = presenter.panel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    EXPECT_FALSE(panel->testAttribute(Qt::WA_TranslucentBackground));
    QTest::qWait(100);
    const QRect frame = panel->geometry();
    const QImage corner =
        QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(), 4, 4).toImage();
    EXPECT_GT(corner.pixelColor(1, 1).lightness(), 40)
        << qPrintable(corner.pixelColor(1, 1).name());
    presenter.hide();
}
