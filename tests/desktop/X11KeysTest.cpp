#include <gtest/gtest.h>

#include <QSignalSpy>
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
    return runTool(helperPath(), {QStringLiteral("group")}).out.trimmed().toInt();
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
        editor = std::make_unique<RunningProgram>(
            QStringLiteral("mousepad"), QStringList{QStringLiteral("--disable-server"), path});
        window = waitForWindow(QStringLiteral("tessarine-keys.txt"));
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
        runTool(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("us")});
    }

    // Select all and copy until the clipboard holds the editor's text.
    bool copyAll(const QString& expected) {
        Platform p = platform.platform();
        p.clipboard.setText(QStringLiteral("sentinel"), false);
        const quint64 before = p.clipboard.changeCount();
        const auto copy =
            clipboardChord(ClipboardCommand::copy, p.frontmost.current()->windowClass);
        if (!copy || !p.keys.send(kSelectAll) || !p.keys.send(*copy)) {
            return false;
        }
        return QTest::qWaitFor([&] { return p.clipboard.changeCount() != before; }, 10000) &&
               QTest::qWaitFor([&] { return p.clipboard.text() == expected; }, 5000);
    }

    QByteArray savedText() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    void copyAndPasteBack() {
        ASSERT_TRUE(copyAll(QStringLiteral("The quick brown fox")));
        Platform p = platform.platform();
        p.clipboard.setText(QStringLiteral("A lazy dog"), false);
        const auto paste = clipboardChord(ClipboardCommand::paste, QStringLiteral("Mousepad"));
        ASSERT_TRUE(paste.has_value());
        ASSERT_TRUE(p.keys.send(kSelectAll));
        ASSERT_TRUE(p.keys.send(*paste));
        // Saving shows what the paste did without touching the clipboard it is reading. The
        // editor fetches the clipboard asynchronously, so an early save may find the old text.
        bool saved = false;
        for (int attempt = 0; attempt < 20 && !saved; ++attempt) {
            ASSERT_TRUE(p.keys.send(KeyChord{'s', Modifier::control}));
            saved = QTest::qWaitFor([&] { return savedText() == "A lazy dog"; }, 500);
        }
        EXPECT_TRUE(saved) << savedText().toStdString();
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<RunningProgram> editor;
    quint64 window = 0;
    X11Platform platform;
};

}  // namespace

TEST_F(X11KeysTest, FrontmostIsTheEditorProcess) {
    const auto app = platform.platform().frontmost.current();
    ASSERT_TRUE(app.has_value());
    EXPECT_EQ(app->pid, editor->pid());
    EXPECT_EQ(app->windowClass, QStringLiteral("Mousepad"));
    EXPECT_EQ(app->name, QStringLiteral("Mousepad"));
}

// The window manager may leave _NET_ACTIVE_WINDOW naming the closed window, whose id the
// server then gives to the next client: that must not count as a frontmost application.
TEST_F(X11KeysTest, NoFrontmostAppOnceTheFocusedWindowIsGone) {
    editor.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.platform().frontmost.current(); }, 10000))
        << "still frontmost: window " << platform.platform().frontmost.current()->windowId;
}

TEST_F(X11KeysTest, ActivationByPidAndChangeNotification) {
    RunningProgram other(QStringLiteral("xterm"),
                         {QStringLiteral("-T"), QStringLiteral("tessarine-other")});
    const quint64 otherWindow = waitForWindow(QStringLiteral("tessarine-other"));
    ASSERT_NE(otherWindow, 0u);
    FrontmostApp& frontmost = platform.platform().frontmost;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return frontmost.current() && frontmost.current()->pid == other.pid(); }, 10000));

    QSignalSpy changed(&frontmost, &FrontmostApp::changed);
    EXPECT_TRUE(frontmost.activate(editor->pid()));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return frontmost.current() && frontmost.current()->pid == editor->pid(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 5000));
    EXPECT_FALSE(frontmost.activate(999999));
}

TEST_F(X11KeysTest, CopyAndPasteInTheUsLayout) {
    copyAndPasteBack();
}

TEST_F(X11KeysTest, CopyAndPasteWithTheRussianGroupLocked) {
    ASSERT_EQ(
        runTool(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("us,ru")})
            .exitCode,
        0);
    runTool(helperPath(), {QStringLiteral("lockgroup"), QStringLiteral("1")});
    ASSERT_TRUE(QTest::qWaitFor([] { return lockedGroup() == 1; }, 5000));
    copyAndPasteBack();
    EXPECT_EQ(lockedGroup(), 1) << "the user's layout must come back after the keystrokes";
}

TEST_F(X11KeysTest, CopyAndPasteWhenTheFirstGroupHasNoLatinKeys) {
    ASSERT_EQ(
        runTool(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("ru,us")})
            .exitCode,
        0);
    runTool(helperPath(), {QStringLiteral("lockgroup"), QStringLiteral("0")});
    ASSERT_TRUE(QTest::qWaitFor([] { return lockedGroup() == 0; }, 5000));
    copyAndPasteBack();
    EXPECT_EQ(lockedGroup(), 0);
}

TEST_F(X11KeysTest, ModifiersAreReleasedAfterAChord) {
    Platform p = platform.platform();
    ASSERT_TRUE(p.keys.send(KeyChord{'a', Modifier::control | Modifier::shift | Modifier::alt}));
    EXPECT_EQ(p.modifiers.heldModifiers(), Modifiers());
    EXPECT_FALSE(p.keys.send(KeyChord{0x10000fa, Modifier::control}));  // no key has it
    EXPECT_EQ(p.modifiers.heldModifiers(), Modifiers());
    EXPECT_TRUE(p.desktopControl.available());
}
