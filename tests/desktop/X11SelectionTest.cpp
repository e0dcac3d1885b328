#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <csignal>
#include <vector>

#include "X11TestTools.h"
#include "desktop/platform/atspi/AtspiBus.h"
#include "desktop/platform/atspi/AtspiFocusedText.h"
#include "desktop/platform/atspi/AtspiSelection.h"
#include "desktop/platform/x11/X11Platform.h"

using namespace ts;
using namespace ts::test;

namespace {

// xclip holding PRIMARY in the foreground (its pid is the owner's) until another owner comes.
std::unique_ptr<RunningProgram> selectWithXclip(const QByteArray& text) {
    auto xclip = std::make_unique<RunningProgram>(
        QStringLiteral("xclip"), QStringList{"-quiet", "-i", "-selection", "primary"});
    xclip->process().write(text);
    xclip->process().closeWriteChannel();
    return xclip;
}

TEST(X11Selection, PrimaryNamesItsOwnerAndReportsEveryNewOne) {
    X11Platform platform;
    PrimarySelection& primary = platform.platform().primary;
    QSignalSpy changes(&primary, &PrimarySelection::changed);
    const qint64 self = QCoreApplication::applicationPid();
    std::vector<std::unique_ptr<RunningProgram>> owners;  // each takes PRIMARY from the last
    for (const char* text : {"first selection", "second one"}) {
        const qsizetype before = changes.count();
        const auto& xclip = owners.emplace_back(selectWithXclip(text));
        ASSERT_TRUE(QTest::qWaitFor([&] { return changes.count() > before; }, 10000)) << text;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return primary.selectedText(xclip->pid()).has_value(); }, 10000));
        EXPECT_EQ(primary.selectedText(xclip->pid()), QString::fromUtf8(text));
        EXPECT_EQ(primary.selectedText(self), std::nullopt);
    }
    const qsizetype held = changes.count();
    owners.clear();
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes.count() > held; }, 10000))
        << "the owner's exit went unreported";

    // An owner that stopped answering gives nothing (after a short bound).
    const auto frozen = selectWithXclip("frozen");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return primary.selectedText(frozen->pid()).has_value(); }, 10000));
    ::kill(static_cast<pid_t>(frozen->pid()), SIGSTOP);
    const auto resume = qScopeGuard([&] { ::kill(static_cast<pid_t>(frozen->pid()), SIGCONT); });
    EXPECT_EQ(primary.selectedText(frozen->pid()), std::nullopt);

    // Our own selection is answered from memory.
    QGuiApplication::clipboard()->setText(QStringLiteral("ours"), QClipboard::Selection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return primary.selectedText(self).has_value(); }, 10000));
    EXPECT_EQ(primary.selectedText(self), QStringLiteral("ours"));
}

TEST(X11Selection, ScreensAndPointerAsTheServerHasThem) {
    X11Platform platform;
    const ScreenGeometry& geometry = platform.platform().screens;
    const QList<ScreenArea> screens = geometry.screens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(screens.first().frame, QRect(0, 0, 1280, 800));  // the test server's one screen
    EXPECT_TRUE(screens.first().frame.contains(screens.first().workArea));
    ASSERT_TRUE(xdotool({"mousemove", "321", "123"}));
    EXPECT_EQ(geometry.pointer(), QPoint(321, 123));
}

// Sets the server's pointer mapping as a left-handed user has it, or back.
bool swapPrimaryButtons(bool swapped) {
    const char* script =
        "import ctypes, sys\n"
        "x = ctypes.CDLL('libX11.so.6')\n"
        "x.XOpenDisplay.restype = ctypes.c_void_p\n"
        "d = ctypes.c_void_p(x.XOpenDisplay(None))\n"
        "m = (ctypes.c_ubyte * 256)()\n"
        "n = x.XGetPointerMapping(d, m, 256)\n"
        "m[0], m[2] = int(sys.argv[1]), int(sys.argv[2])\n"
        "print(x.XSetPointerMapping(d, m, n))\n"
        "x.XCloseDisplay(d)\n";
    const ToolResult set = runTool(QStringLiteral("/usr/bin/python3"),
                                   {"-c", script, swapped ? "3" : "1", swapped ? "1" : "3"});
    return set.exitCode == 0 && set.out.trimmed() == "0";
}

// A window of our own under the pointer: clicks land there instead of on the window
// manager's root menu, and its own mouse events tell when the server has sent everything.
class X11InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        target.setGeometry(200, 200, 300, 200);
        target.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
        target.installEventFilter(&presses);
        centre = target.geometry().center();
        ASSERT_TRUE(
            xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())}));
    }

    // Counts the presses that reach the window itself.
    struct PressCounter final : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::MouseButtonPress ? 1 : 0;
            return false;
        }
        int count = 0;
    };

    X11Platform platform;
    QWidget target;
    PressCounter presses;
    QPoint centre;
};

TEST_F(X11InputTest, ButtonsKeysAndWheelArriveOnlyWhileHeld) {
    InputMonitor& input = platform.platform().input;
    QSignalSpy pressed(&input, &InputMonitor::mousePressed);
    QSignalSpy released(&input, &InputMonitor::mouseReleased);
    QSignalSpy keys(&input, &InputMonitor::keyPressed);
    QSignalSpy scrolls(&input, &InputMonitor::scrolled);
    const InputKinds all = InputKind::buttons | InputKind::keys | InputKind::scroll;
    input.acquire(all);
    input.acquire(all);
    input.release(all);  // one holder is left

    const struct {
        const char* button;
        bool leftHanded;
        Qt::MouseButton expected;
    } rows[] = {
        {"1", false, Qt::LeftButton}, {"3", false, Qt::RightButton}, {"1", true, Qt::RightButton}};
    for (const auto& row : rows) {
        pressed.clear();
        released.clear();
        ASSERT_TRUE(!row.leftHanded || swapPrimaryButtons(true));
        const auto restore = qScopeGuard([&] {
            if (row.leftHanded) {
                swapPrimaryButtons(false);
            }
        });
        ASSERT_TRUE(xdotool({"mousedown", row.button}));
        ASSERT_TRUE(xdotool({"mouseup", row.button}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !released.isEmpty(); }, 10000)) << row.button;
        ASSERT_EQ(pressed.count(), 1) << row.button;
        EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButton>(), row.expected);
        EXPECT_EQ(pressed.at(0).at(1).toPoint(), centre);
        EXPECT_EQ(released.at(0).at(0).value<Qt::MouseButton>(), row.expected);
        EXPECT_EQ(released.at(0).at(1).toPoint(), centre);
    }
    pressed.clear();
    ASSERT_TRUE(xdotool({"key", "shift"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !keys.isEmpty(); }, 10000));
    ASSERT_TRUE(xdotool({"click", "4"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scrolls.isEmpty(); }, 10000));
    EXPECT_EQ(pressed.count(), 0) << "a wheel step is no button press";

    input.release(all);
    pressed.clear();
    released.clear();
    keys.clear();
    scrolls.clear();
    const int before = presses.count;
    ASSERT_TRUE(xdotool({"key", "shift"}));
    ASSERT_TRUE(xdotool({"click", "4"}));
    ASSERT_TRUE(xdotool({"click", "1"}));
    // The window's own press comes after the raw events of everything sent before it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return presses.count > before; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(pressed.isEmpty());
    EXPECT_TRUE(keys.isEmpty());
    EXPECT_TRUE(scrolls.isEmpty());

    // Buttons alone, as the drag detector holds them: keys typed anywhere stay unseen.
    input.acquire(InputKind::buttons);
    ASSERT_TRUE(xdotool({"key", "a"}));
    ASSERT_TRUE(xdotool({"click", "4"}));
    ASSERT_TRUE(xdotool({"click", "1"}));
    // Raw events arrive in order: the key and the wheel went before the click.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !released.isEmpty(); }, 10000));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_TRUE(keys.isEmpty());
    EXPECT_TRUE(scrolls.isEmpty());
    input.release(InputKind::buttons);
}

// Where the window really is (xdotool's figures are off by the frame for some windows).
QRect windowGeometry(quint64 window) {
    QHash<QByteArray, int> values;
    const ToolResult info = runTool(QStringLiteral("xwininfo"), {"-id", QString::number(window)});
    for (const QByteArray& line : info.out.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        values.insert(line.left(colon).trimmed(), line.mid(colon + 1).trimmed().toInt());
    }
    return QRect(values.value("Absolute upper-left X"), values.value("Absolute upper-left Y"),
                 values.value("Width"), values.value("Height"));
}

// The applications on the accessibility bus, by process id, as a screen reader lists them.
QList<qint64> accessiblePids() {
    const ToolResult listed =
        runTool(QStringLiteral("/usr/bin/python3"), {"-c",
                                                     "import pyatspi\n"
                                                     "for app in pyatspi.Registry.getDesktop(0):\n"
                                                     "    print(app.get_process_id())\n"});
    QList<qint64> pids;
    for (const QByteArray& line : listed.out.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            pids << line.trimmed().toLongLong();
        }
    }
    return pids;
}

TEST(X11Selection, AccessibleSelectionOfAWordInMousepad) {
    AtspiBus bus;
    ts::AtspiSelection accessible(bus);  // libatspi has a type of that name
    if (!accessible.available()) {
        GTEST_SKIP() << "no accessibility bus in this environment";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessarine-atspi.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("alpha bravo charlie\n");
    file.close();
    // GTK joins the accessibility bus unless told not to, which the test desktop does.
    const QByteArray noBridge = qgetenv("NO_AT_BRIDGE");
    qunsetenv("NO_AT_BRIDGE");
    RunningProgram editor(QStringLiteral("mousepad"), {"--disable-server", path});
    qputenv("NO_AT_BRIDGE", noBridge);
    const quint64 window = waitForWindow(QStringLiteral("tessarine-atspi.txt"));
    ASSERT_NE(window, 0u) << "mousepad did not show its window";
    ASSERT_TRUE(activateWindow(window));

    // Wait until mousepad is on the bus, then select the first word.
    ASSERT_TRUE(QTest::qWaitFor([&] { return accessiblePids().contains(editor.pid()); }, 15000));
    ASSERT_TRUE(xdotool({"key", "ctrl+Home", "ctrl+shift+Right"}));
    std::optional<FocusedSelection> selection;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            selection = accessible.focusedSelection(editor.pid());
            return selection && selection->text == QLatin1String("alpha");
        },
        10000))
        << (selection ? selection->text.toStdString() : "no selection");
    EXPECT_TRUE(selection->editable);
    ASSERT_TRUE(selection->bounds.has_value());
    EXPECT_TRUE(windowGeometry(window).contains(*selection->bounds))
        << "bounds outside mousepad's window";
    EXPECT_EQ(accessible.focusedSelection(QCoreApplication::applicationPid()), std::nullopt);
    EXPECT_FALSE(accessiblePids().contains(QCoreApplication::applicationPid()))
        << "reading the tree must not put this process on it";
    EXPECT_GT(bus.focusEvents(), 0u) << "the focus listener heard nothing";
}

}  // namespace

// The focused element's text on X11, where the in-place rewrite falls back to it when a copy
// does not fire: a line read and replaced in mousepad and in Writer (their lengths count UTF-8
// bytes), nothing written once the text changed under it, nothing read from a program off the
// bus (a terminal).
TEST(X11Selection, FocusedTextReadAndReplacedInMousepadAndWriter) {
    AtspiBus bus;
    AtspiFocusedText focused(bus);
    if (!focused.available()) {
        GTEST_SKIP() << "no accessibility bus in this environment";
    }
    const QString word = QStringLiteral("Привет");
    const QString answer = QStringLiteral("Здравствуйте — café 👍\nfine");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessarine-focused.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((word + QStringLiteral("\nsecond line")).toUtf8());
    file.close();
    const QString profile =
        QUrl::fromLocalFile(dir.filePath(QStringLiteral("lo-profile"))).toString();
    struct Editor {
        const char* name;
        QString program;
        QStringList args;
        QString title;
    };
    const Editor editors[] = {
        {"mousepad", QStringLiteral("mousepad"), {"--disable-server", path}, "tessarine-focused"},
        {"Writer",
         QStringLiteral("soffice"),
         {"--writer", "--norestore", "--nologo", "-env:UserInstallation=" + profile, path},
         "tessarine-focused"},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("NO_AT_BRIDGE"));
    env.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("gtk3"));
    for (const Editor& row : editors) {
        SCOPED_TRACE(row.name);
        RunningProgram editor(row.program, row.args, env);
        const quint64 window = waitForWindow(row.title, 90000);
        ASSERT_NE(window, 0u) << "no window";
        ASSERT_TRUE(activateWindow(window));
        std::optional<TextSelection> selection;
        const auto selectLine = [&] {
            return QTest::qWaitFor(
                [&] {
                    xdotool({"key", "ctrl+Home", "shift+End"});
                    selection = focused.selection();
                    return selection.has_value();
                },
                30000);
        };
        ASSERT_TRUE(selectLine()) << "focus events heard: " << bus.focusEvents();
        EXPECT_EQ(selection->text, word);
        EXPECT_TRUE(selection->editable);
        EXPECT_EQ(focused.replace(*selection, answer), FocusedText::Replaced::replaced);
        // Two undo steps: the insert, then the delete.
        ASSERT_TRUE(xdotool({"key", "ctrl+z", "ctrl+z"}));
        ASSERT_TRUE(selectLine());
        EXPECT_EQ(selection->text, word);
        if (row.program != QLatin1String("mousepad")) {
            continue;
        }
        // Typed into meanwhile: the selection is not what it was.
        ASSERT_TRUE(selectLine());
        const TextSelection stale = *selection;
        ASSERT_TRUE(xdotool({"key", "ctrl+Home", "x"}));
        AtspiFocusedText probe(bus);  // reads without forgetting `focused`'s selection
        ASSERT_TRUE(QTest::qWaitFor([&] {
            xdotool({"key", "ctrl+Home", "shift+End"});
            const std::optional<TextSelection> now = probe.selection();
            return now && now->text == "x" + word;
        }));
        EXPECT_EQ(focused.replace(stale, answer), FocusedText::Replaced::changed);
        ASSERT_TRUE(xdotool({"key", "ctrl+Home", "Delete"}));

        // A terminal in front of the editor, which still holds its selection: nothing read.
        RunningProgram terminal(QStringLiteral("xterm"), {"-title", "tessarine-focused-term"});
        const quint64 front = waitForWindow(QStringLiteral("tessarine-focused-term"));
        ASSERT_NE(front, 0u);
        ASSERT_TRUE(activateWindow(front));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !focused.selection().has_value(); }, 10000));
    }
}
