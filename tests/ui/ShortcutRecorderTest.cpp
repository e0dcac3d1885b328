#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "ui/ShortcutRecorder.h"

using namespace ts;

namespace {

class ShortcutRecorderTest : public ::testing::Test {
protected:
    ShortcutRecorderTest()
        : recorder(new ShortcutRecorder(&window)),
          spy(recorder, &ShortcutRecorder::shortcutChanged) {
        recorder->setShortcut(kDefaultWindowShortcut);
        window.resize(240, 80);
        window.show();
    }

    void startRecording() {
        QTest::mouseClick(recorder, Qt::LeftButton);
        ASSERT_TRUE(recorder->isRecording());
    }

    // Key presses go to another widget of the window: the recorder listens application-wide.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window, key, modifiers);
    }

    QWidget window;
    ShortcutRecorder* recorder;
    QSignalSpy spy;
};

}  // namespace

// A click starts recording and a second click stops it. Keys that make no shortcut (bare keys,
// modifiers alone, keys outside the table) keep it recording; Escape cancels, and so does
// leaving the screen.
TEST_F(ShortcutRecorderTest, NothingButAShortcutChangesIt) {
    EXPECT_EQ(recorder->shortcutText(), QStringLiteral("Ctrl+Alt+E"));
    EXPECT_EQ(recorder->captionText(), QStringLiteral("Click to change"));
    startRecording();
    EXPECT_EQ(recorder->captionText(), QStringLiteral("Press a shortcut · Esc to cancel"));
    QTest::mouseClick(recorder, Qt::LeftButton);
    EXPECT_FALSE(recorder->isRecording());

    startRecording();
    press(Qt::Key_K);
    press(Qt::Key_Control, Qt::ControlModifier);
    press(Qt::Key_Home, Qt::ControlModifier);
    press(Qt::Key_F13, Qt::ControlModifier | Qt::AltModifier);
    press(Qt::Key_E, Qt::KeypadModifier);
    EXPECT_TRUE(recorder->isRecording());
    press(Qt::Key_Escape);
    EXPECT_FALSE(recorder->isRecording());

    startRecording();
    window.hide();  // leaving the screen stops it too
    EXPECT_FALSE(recorder->isRecording());
    press(Qt::Key_K, Qt::ShiftModifier);
    EXPECT_EQ(recorder->shortcut(), kDefaultWindowShortcut);
    EXPECT_EQ(spy.count(), 0);
}

// The key code of the unshifted key and the Carbon mask, without the keypad.
TEST_F(ShortcutRecorderTest, RecordsKeyCodeAndCarbonMask) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Shortcut expected;
        const char* shown;
    } rows[] = {
        {Qt::Key_K, Qt::ShiftModifier, {40, 0x200}, "Shift+K"},
        {Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier, {18, 0x300}, "Ctrl+Shift+1"},
        {Qt::Key_F5, Qt::AltModifier, {96, 0x800}, "Alt+F5"},
        {Qt::Key_Space, Qt::MetaModifier, {49, 0x1000}, "Super+Space"},
        {Qt::Key_Return, Qt::ControlModifier | Qt::KeypadModifier, {36, 0x100}, "Ctrl+Enter"},
    };
    for (const auto& row : rows) {
        spy.clear();
        startRecording();
        press(row.key, row.modifiers);
        EXPECT_FALSE(recorder->isRecording());
        EXPECT_EQ(recorder->shortcut(), row.expected) << row.shown;
        EXPECT_EQ(recorder->shortcutText(), QString::fromUtf8(row.shown));
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(0).value<Shortcut>(), row.expected);
    }
}

TEST_F(ShortcutRecorderTest, ApplicationShortcutsDoNotActWhileRecording) {
    int closed = 0;
    auto* close = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), &window);
    QObject::connect(close, &QShortcut::activated, [&] { ++closed; });
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 10000));
    startRecording();
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(recorder->shortcut(), (Shortcut{13, 0x100}));
    // Idle again: the recorder no longer takes keys.
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(spy.count(), 1);
}

// Chords typed through XTEST, as a user's keyboard sends them: the stored modifiers are the
// ones the X server reports with the completing key.
TEST_F(ShortcutRecorderTest, RecordsWhatTheXServerReportsForRealKeys) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs the X server";
    }
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 10000));
    const struct {
        const char* chord;  // xdotool's name
        Shortcut expected;
    } rows[] = {
        {"ctrl+shift+k", {40, kCarbonCommand | kCarbonShift}},
        {"ctrl+shift+u", {32, kCarbonCommand | kCarbonShift}},
        {"shift+k", {40, kCarbonShift}},
        {"alt+j", {38, kCarbonOption}},
        {"super+k", {40, kCarbonControl}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chord);
        spy.clear();
        startRecording();
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                    {QStringLiteral("key"), QString::fromLatin1(row.chord)}),
                  0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder->isRecording(); }, 5000));
        EXPECT_EQ(recorder->shortcut(), row.expected);
        EXPECT_EQ(spy.count(), 1);
    }
}
