#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "X11TestTools.h"
#include "desktop/platform/ClipboardChords.h"
#include "desktop/platform/x11/X11Platform.h"

using namespace ts;
using namespace ts::test;

namespace {

const KeyChord kSelectAll{'a', Modifier::control};

int lockedGroup() {
    return runTool(helperPath(), {"group"}).out.trimmed().toInt();
}

// Mousepad with a file, focused, and the platform to drive it.
class X11KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("tessarine-keys.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("The quick brown fox");
        file.close();
        editor = std::make_unique<RunningProgram>(QStringLiteral("mousepad"),
                                                  QStringList{"--disable-server", path});
        const quint64 window = waitForWindow(QStringLiteral("tessarine-keys.txt"));
        ASSERT_NE(window, 0u) << "mousepad did not show its window";
        ASSERT_TRUE(activateWindow(window));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const auto app = platform.platform().frontmost.current();
                return app && app->windowId == window;
            },
            10000));
    }
    void TearDown() override {
        editor.reset();
        runTool(QStringLiteral("setxkbmap"), {"-layout", "us"});
    }

    QByteArray savedText() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<RunningProgram> editor;
    X11Platform platform;
};

}  // namespace

TEST_F(X11KeysTest, FrontmostIsTheEditorAndAChordLeavesNoModifierHeld) {
    Platform p = platform.platform();
    const auto app = p.frontmost.current();
    ASSERT_TRUE(app.has_value());
    EXPECT_EQ(app->pid, editor->pid());
    EXPECT_EQ(app->windowClass, QStringLiteral("Mousepad"));
    EXPECT_EQ(app->name, QStringLiteral("Mousepad"));

    ASSERT_TRUE(p.keys.send(KeyChord{'a', Modifier::control | Modifier::shift | Modifier::alt}));
    EXPECT_EQ(p.modifiers.heldModifiers(), Modifiers());
    EXPECT_FALSE(p.keys.send(KeyChord{0x10000fa, Modifier::control}));  // no key has it
    EXPECT_EQ(p.modifiers.heldModifiers(), Modifiers());
    EXPECT_TRUE(p.desktopControl.available());
}

// The window manager may leave _NET_ACTIVE_WINDOW naming the closed window, whose id the
// server then gives to the next client: that must not count as a frontmost application.
TEST_F(X11KeysTest, NoFrontmostAppOnceTheFocusedWindowIsGone) {
    editor.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.platform().frontmost.current(); }, 10000))
        << "still frontmost: window " << platform.platform().frontmost.current()->windowId;
}

struct Layout {
    const char* name;
    const char* layouts;  // for setxkbmap
    int group;            // locked while the keys are sent
};

class X11KeysLayoutTest : public X11KeysTest, public ::testing::WithParamInterface<Layout> {};

// The chords must reach the editor whatever group is locked, even when the first group has no
// Latin keys, and the user's group must come back afterwards.
TEST_P(X11KeysLayoutTest, CopyAndPasteBack) {
    const int group = GetParam().group;
    ASSERT_EQ(runTool(QStringLiteral("setxkbmap"), {"-layout", GetParam().layouts}).exitCode, 0);
    runTool(helperPath(), {"lockgroup", QString::number(group)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return lockedGroup() == group; }, 5000));

    Platform p = platform.platform();
    p.clipboard.setText(QStringLiteral("sentinel"), false);
    const quint64 before = p.clipboard.changeCount();
    const auto copy = clipboardChord(ClipboardCommand::copy, QStringLiteral("Mousepad"));
    const auto paste = clipboardChord(ClipboardCommand::paste, QStringLiteral("Mousepad"));
    ASSERT_TRUE(copy && paste);
    ASSERT_TRUE(p.keys.send(kSelectAll) && p.keys.send(*copy));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.clipboard.changeCount() != before; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.clipboard.text() == "The quick brown fox"; }, 5000));

    p.clipboard.setText(QStringLiteral("A lazy dog"), false);
    ASSERT_TRUE(p.keys.send(kSelectAll) && p.keys.send(*paste));
    // Saving shows what the paste did without touching the clipboard it is reading. The editor
    // fetches the clipboard asynchronously, so an early save may find the old text.
    bool saved = false;
    for (int attempt = 0; attempt < 20 && !saved; ++attempt) {
        ASSERT_TRUE(p.keys.send(KeyChord{'s', Modifier::control}));
        saved = QTest::qWaitFor([&] { return savedText() == "A lazy dog"; }, 500);
    }
    EXPECT_TRUE(saved) << savedText().toStdString();
    EXPECT_EQ(lockedGroup(), group) << "the user's layout must come back after the keystrokes";
}

INSTANTIATE_TEST_SUITE_P(Layouts, X11KeysLayoutTest,
                         ::testing::Values(Layout{"Us", "us", 0},
                                           Layout{"RussianLocked", "us,ru", 1},
                                           Layout{"NoLatinFirstGroup", "ru,us", 0}),
                         [](const auto& info) { return std::string(info.param.name); });
