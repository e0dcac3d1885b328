#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "desktop/platform/fake/FakePlatform.h"
#include "store/PromptStore.h"
#include "ui/selection/AskInputPresenter.h"
#include "ui/selection/AskInputView.h"
#include "ui/selection/SelectionButtonPresenter.h"
#include "ui/selection/SelectionStripView.h"
#include "ui/selection/StripPlacement.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

using namespace ts;
using namespace ts::placement;

namespace {

const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

// 1280 x 800 with a 30 px bar on top and a 40 px dock at the bottom.
const ScreenArea kScreen{QRect(0, 0, 1280, 800), QRect(0, 30, 1280, 730)};
const ScreenArea kRightScreen{QRect(1280, 0, 1920, 1080), QRect(1280, 0, 1920, 1080)};

QByteArray runX(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return process.readAllStandardOutput().trimmed();
}

// The names a screen reader finds showing in this process.
QSet<QString> screenReaderSees() {
    QProcess walker;
    walker.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(TS_ACCESSIBLE_NAMES_SCRIPT),
                  QString::number(QCoreApplication::applicationPid())});
    EXPECT_TRUE(QTest::qWaitFor([&] { return walker.state() == QProcess::NotRunning; }, 60000));
    QSet<QString> seen;
    for (const QJsonValue& node : QJsonDocument::fromJson(walker.readAllStandardOutput()).array()) {
        seen.insert(node[QStringLiteral("name")].toString());
    }
    return seen;
}

TEST(StripPlacementTest, AtASelection) {
    const struct {
        const char* name;
        QRect selection;
        QPoint topLeft;
    } rows[] = {
        {"below, centred", QRect(500, 200, 100, 16), QPoint(350, 222)},
        {"just fits below", QRect(500, 704, 100, 16), QPoint(350, 726)},
        {"flipped above near the bottom", QRect(500, 705, 100, 16), QPoint(350, 669)},
        {"left edge", QRect(10, 200, 40, 16), QPoint(4, 222)},
        {"right edge", QRect(1240, 200, 40, 16), QPoint(1280 - 400 - 4, 222)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stripAtSelection(kScreen, row.selection), row.topLeft) << row.name;
    }
}

TEST(StripPlacementTest, AtThePointerAfterADrag) {
    const struct {
        const char* name;
        QPoint pointer;
        DragDirection direction;
        QPoint topLeft;
    } rows[] = {
        {"upward: above", QPoint(600, 400), DragDirection::upward, QPoint(400, 364)},
        {"downward: below", QPoint(600, 400), DragDirection::downward, QPoint(400, 406)},
        {"upward under the top bar: below", QPoint(600, 60), DragDirection::upward,
         QPoint(400, 66)},
        {"downward over the dock: above", QPoint(600, 740), DragDirection::downward,
         QPoint(400, 704)},
        {"clamped right", QPoint(1270, 400), DragDirection::downward, QPoint(876, 406)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stripAtPoint(kScreen, row.pointer, row.direction), row.topLeft) << row.name;
    }
}

TEST(StripPlacementTest, PanelKeepsItsBottomLeftAtTheAnchorInsideTheWorkArea) {
    const struct {
        const char* name;
        QPoint anchor;
        int height;
        QPoint topLeft;
    } rows[] = {
        {"at the strip", anchorOfStrip(QPoint(350, 222)), 70, QPoint(350, 182)},
        {"with chips", QPoint(350, 252), 110, QPoint(350, 142)},
        {"near the right edge", QPoint(1100, 400), 70, QPoint(1280 - 480 - 4, 330)},
        {"near the top", QPoint(100, 60), 110, QPoint(100, 34)},
        {"below the work area", QPoint(-20, 790), 70, QPoint(4, 760 - 70 - 4)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(panelAtAnchor(kScreen, row.anchor, row.height), row.topLeft) << row.name;
    }
}

TEST(StripPlacementTest, ScreenHoldingThePointElseThePrimaryElseNone) {
    EXPECT_EQ(screenFor({kScreen, kRightScreen}, QPoint(1500, 10)), kRightScreen);
    EXPECT_EQ(screenFor({kScreen, kRightScreen}, QPoint(-50, 10)), kScreen);
    EXPECT_FALSE(screenFor({}, QPoint(0, 0)));
}

class SelectionStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        Palette::setAppearanceSource([] { return QStringLiteral("light"); });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        desktop.screens.areas = {kScreen};
    }
    void TearDown() override { Palette::setAppearanceSource({}); }

    FakePlatform desktop;
    SelectionButtonPresenter strip{desktop.input, desktop.screens};
    QSignalSpy chosen{&strip, &SelectionButtonPresenter::modeChosen};
};

TEST_F(SelectionStripTest, ButtonsFoundByNameAndTheWindowByTitle) {
    strip.showAtSelection(QRect(500, 200, 100, 16));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.strip()));
    // The window manager's word on the position may come after the first exposure.
    EXPECT_TRUE(QTest::qWaitFor([&] { return strip.frame()->topLeft() == QPoint(350, 222); }, 5000))
        << "waited for the strip at 350,222; it is at " << strip.frame()->x() << ','
        << strip.frame()->y();
    EXPECT_EQ(strip.strip()->size(), QSize(400, 30));
    const QSet<QString> seen = screenReaderSees();
    for (const char* name : {"Rewrite", "Proofread", "Reply", "Custom"}) {
        EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name;
    }
    EXPECT_EQ(strip.strip()->button(Mode::proofread)->toolTip(), "Fix grammar; preserve voice");
    EXPECT_FALSE(
        runX(QStringLiteral("xdotool"), {"search", "--name", "^Selection actions$"}).isEmpty());
}

// A real click through the X server: the application that was active stays active.
TEST_F(SelectionStripTest, ClickingAButtonRunsItsModeWithoutTakingTheFocus) {
    QWidget other;
    other.setWindowTitle(QStringLiteral("Other application"));
    other.setGeometry(100, 400, 300, 200);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 10000));
    const QByteArray activeBefore = runX(QStringLiteral("xdotool"), {"getactivewindow"});
    ASSERT_EQ(activeBefore.toULongLong(), other.winId());

    strip.showAtSelection(QRect(500, 200, 100, 16));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.strip()));
    QTest::qWait(200);
    const QPoint centre = strip.strip()->button(Mode::proofread)->mapToGlobal(QPoint(20, 12));
    // The monitor reports the press inside the strip: it must not hide it.
    desktop.input.press(Qt::LeftButton, centre);
    runX(QStringLiteral("xdotool"),
         {"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return chosen.count() == 1; }, 5000));
    EXPECT_EQ(chosen.at(0).at(0).value<Mode>(), Mode::proofread);
    EXPECT_FALSE(strip.isVisible());
    QTest::qWait(200);
    EXPECT_EQ(runX(QStringLiteral("xdotool"), {"getactivewindow"}), activeBefore);
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(SelectionStripTest, PressKeyOrScrollElsewhereHidesAndReleasesTheMonitor) {
    const std::function<void()> elsewhere[] = {
        [&] { desktop.input.press(Qt::RightButton, QPoint(5, 700)); },
        [&] { desktop.input.key(); },
        [&] { desktop.input.scroll(); },
    };
    for (const auto& event : elsewhere) {
        strip.showAtPoint(QPoint(600, 400), DragDirection::downward);
        ASSERT_TRUE(strip.isVisible());
        for (InputKind kind : {InputKind::buttons, InputKind::keys, InputKind::scroll}) {
            EXPECT_EQ(desktop.input.holders(kind), 1);
        }
        event();
        EXPECT_FALSE(strip.isVisible());
        for (InputKind kind : {InputKind::buttons, InputKind::keys, InputKind::scroll}) {
            EXPECT_EQ(desktop.input.holders(kind), 0);
        }
    }
    EXPECT_EQ(chosen.count(), 0);
}

class AskPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Palette::setAppearanceSource([] { return QStringLiteral("light"); });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        desktop.screens.areas = {kScreen};
    }
    void TearDown() override { Palette::setAppearanceSource({}); }

    void open(bool withChips) {
        if (withChips) {
            prompts.save(QStringLiteral("Summarize in 3 bullets"), QStringLiteral("Summary"));
            prompts.save(QStringLiteral("Turn this into a Jira ticket"), QStringLiteral("Jira"));
        }
        panel.show(QStringLiteral("the selected words"), QStringLiteral("Mousepad"), 4242,
                   QPoint(350, 252));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.view()));
    }

    FakePlatform desktop;
    QTemporaryDir dir;
    PromptStore prompts{dir.filePath(QStringLiteral("prompts.json"))};
    AskInputPresenter panel{{desktop.input, desktop.screens, desktop.frontmost, prompts}};
    QSignalSpy submitted{&panel, &AskInputPresenter::submitted};
};

TEST_F(AskPanelTest, FieldAndSubmitFoundByNameAndTheFieldTakesTheFocus) {
    open(false);
    EXPECT_EQ(panel.view()->size(), QSize(480, 70));
    // The window manager places the window after it is exposed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.view()->pos() == QPoint(350, 182); }, 5000))
        << panel.view()->pos().x() << "," << panel.view()->pos().y();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.view()->field()->hasFocus(); }, 5000));
    const QSet<QString> seen = screenReaderSees();
    EXPECT_TRUE(seen.contains(QString::fromUtf8(AskInputView::kPlaceholder)));
    EXPECT_TRUE(seen.contains(QStringLiteral("Submit")));
    EXPECT_EQ(panel.view()->submitButton()->toolTip(), "Submit (Enter)");
}

TEST_F(AskPanelTest, EmptyInstructionDoesNothingAndAChipFillsTheField) {
    open(true);
    EXPECT_EQ(panel.view()->height(), 110);
    panel.view()->field()->setText(QStringLiteral("   "));
    QTest::mouseClick(panel.view()->submitButton(), Qt::LeftButton);
    QTest::qWait(AskInputPresenter::kRefocusDelayMs * 2);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(submitted.count(), 0);

    const QList<QPushButton*> labels = panel.view()->findChildren<QPushButton*>();
    ASSERT_EQ(labels.size(), 2);
    QTest::mouseClick(labels.at(0), Qt::LeftButton);
    EXPECT_EQ(panel.view()->field()->text(), prompts.items().at(0).instruction);
}

TEST_F(AskPanelTest, SubmitHidesRefocusesTheSourceThenHandsOverTrimmed) {
    open(false);
    panel.view()->field()->setText(QStringLiteral("  make it a haiku "));
    QTest::keyClick(panel.view()->field(), Qt::Key_Return);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(desktop.frontmost.activated, QList<qint64>{4242});
    EXPECT_EQ(submitted.count(), 0);  // not before the source had a moment
    ASSERT_TRUE(QTest::qWaitFor([&] { return submitted.count() == 1; }, 5000));
    EXPECT_EQ(submitted.at(0).at(0).toString(), "make it a haiku");
    EXPECT_EQ(submitted.at(0).at(1).toString(), "the selected words");
    EXPECT_EQ(submitted.at(0).at(2).toString(), "Mousepad");
    EXPECT_EQ(submitted.at(0).at(3).toLongLong(), 4242);
    EXPECT_EQ(desktop.input.holders(InputKind::buttons), 0);
}

TEST_F(AskPanelTest, EscapeOrAPressElsewhereHides) {
    open(false);
    desktop.input.press(Qt::LeftButton, panel.view()->frameGeometry().center());
    EXPECT_TRUE(panel.isVisible());
    QTest::keyClick(panel.view()->field(), Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(desktop.input.holders(InputKind::buttons), 0);

    open(false);
    desktop.input.press(Qt::LeftButton, QPoint(5, 5));
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(submitted.count(), 0);
}

TEST(SelectionScreenshots, StripAndPanelWithChipsInLightAndDark) {
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    FakePlatform desktop;
    desktop.screens.areas = {kScreen};
    QTemporaryDir dir;
    PromptStore prompts(dir.filePath(QStringLiteral("prompts.json")));
    prompts.save(QStringLiteral("Summarize in 3 bullets"), QStringLiteral("Summary"));
    prompts.save(QStringLiteral("Extract action items as a numbered list"),
                 QStringLiteral("Action items"));
    QCursor::setPos(QPoint(5, 790));  // no hovered button
    SelectionButtonPresenter strip(desktop.input, desktop.screens);
    AskInputPresenter panel({desktop.input, desktop.screens, desktop.frontmost, prompts});
    for (const QString& scheme : {QStringLiteral("light"), QStringLiteral("dark")}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        strip.showAtSelection(QRect(500, 200, 100, 16));
        panel.show(QStringLiteral("words"), QStringLiteral("Mousepad"), 1, QPoint(300, 500));
        panel.view()->field()->setText(QStringLiteral("Make it friendlier"));
        QTest::qWait(150);
        for (const auto& [name, widget] :
             {std::pair{QStringLiteral("strip"), static_cast<QWidget*>(strip.strip())},
              std::pair{QStringLiteral("panel"), static_cast<QWidget*>(panel.view())}}) {
            const QImage image = widget->grab().toImage();
            const QString path = QStringLiteral("%1/selection-%2-%3.png").arg(folder, name, scheme);
            EXPECT_TRUE(image.save(path)) << qPrintable(path);
        }
        strip.hide();
        panel.hide();
    }
    Palette::setAppearanceSource({});
}

}  // namespace
