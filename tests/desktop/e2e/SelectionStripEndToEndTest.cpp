// The selection strip as a user meets it: the real program, a real editor on the test X server,
// text selected with the mouse, and a loopback model server.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include "AppUnderTest.h"
#include "LoopbackModelServer.h"
#include "Rewrites.h"
#include "X11TestTools.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kStrip = QStringLiteral("Selection actions");
const QString kPanel = QStringLiteral("Custom instruction");
// Logged once both detectors listen.
const QString kListening = QStringLiteral("SelectionObserver.start()");

QRect geometryOf(quint64 window) {
    const ToolResult shell = runTool(QStringLiteral("xdotool"),
                                     {"getwindowgeometry", "--shell", QString::number(window)});
    QHash<QByteArray, int> values;
    for (const QByteArray& line : shell.out.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2) {
            values.insert(pair[0], pair[1].toInt());
        }
    }
    return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
}

quint64 visibleWindow(const QString& title) {
    const ToolResult found =
        runTool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", title});
    const QList<QByteArray> lines = found.out.trimmed().split('\n');
    return lines.isEmpty() ? 0 : lines.last().toULongLong();
}

quint64 activeWindow() {
    return runTool(QStringLiteral("xdotool"), {"getactivewindow"}).out.trimmed().toULongLong();
}

bool stripGone() {
    return QTest::qWaitFor([] { return visibleWindow(kStrip) == 0; }, 5000);
}

class SelectionStripEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.isListening());
        server.on("POST", "/v1/chat/completions", rewriteAnswer());
    }

    void TearDown() override {
        if (editor) {
            editor->kill();
            editor->waitForFinished(5000);
        }
        app.reset();
    }

    QString settingsPath() const {
        return dir.filePath(QStringLiteral("config/tessarine/tessarine.conf"));
    }

    void launch(bool stripEnabled) {
        SettingsStore settings(settingsPath());
        settings.setProvider(ProviderKind::ollama);
        settings.setOllamaBaseURL(server.url(QStringLiteral("/v1")).toString());
        settings.setSelectionButtonEnabled(stripEnabled);
        app = std::make_unique<AppUnderTest>(dir.filePath(QStringLiteral("config")));
        ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] running;")))
            << app->log().toStdString();
        if (stripEnabled) {
            ASSERT_TRUE(app->waitForLog(kListening)) << app->log().toStdString();
        }
    }

    // Mousepad with the original text, on the accessibility bus only when asked; or, with a
    // window class, an xterm printing it (xterm lets the test choose the class).
    void openEditor(const QString& windowClass = {}, bool accessible = false) {
        path = dir.filePath(QStringLiteral("strip-e2e.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOriginal.toUtf8());
        file.close();
        editor = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (accessible) {
            env.remove(QStringLiteral("NO_AT_BRIDGE"));
        }
        editor->setProcessEnvironment(env);
        if (windowClass.isEmpty()) {
            editor->start(QStringLiteral("mousepad"), {"--disable-server", path});
        } else {
            editor->start(QStringLiteral("xterm"),
                          {"-class", windowClass, "-T", "strip-e2e.txt", "-e", "sh", "-c",
                           "cat " + path + "; sleep 600"});
        }
        window = waitForWindow(QStringLiteral("strip-e2e.txt"));
        ASSERT_NE(window, 0u) << "the editor did not show its window";
        ASSERT_TRUE(activateWindow(window));
        QGuiApplication::clipboard()->setText(QStringLiteral("my own clipboard"));
    }

    // Drags from near the bottom right of the editor up to its top left corner, which selects
    // the whole text, and leaves the pointer there. Steps apart, as a hand moves: a terminal
    // takes a press and release in one burst as a click.
    bool dragOverText() {
        const QRect frame = geometryOf(window);
        const QString id = QString::number(window);
        const auto moveTo = [&](int x, int y) {
            return xdotool({"mousemove", "--window", id, QString::number(x), QString::number(y)});
        };
        const bool dragged = moveTo(frame.width() - 30, frame.height() - 30) &&
                             xdotool({"mousedown", "1"}) &&
                             moveTo(frame.width() / 2, frame.height() / 2) && moveTo(3, 3) &&
                             xdotool({"mouseup", "1"});
        const ToolResult at = runTool(QStringLiteral("xdotool"), {"getmouselocation", "--shell"});
        for (const QByteArray& line : at.out.split('\n')) {
            if (line.startsWith("X="))
                pointer.setX(line.mid(2).toInt());
            if (line.startsWith("Y="))
                pointer.setY(line.mid(2).toInt());
        }
        return dragged;
    }

    static quint64 waitForStrip() { return waitForWindow(kStrip, 5000); }

    // Clicks the strip's button number index (0 = Rewrite … 3 = Custom).
    bool clickStripButton(quint64 strip, int index) {
        const QRect frame = geometryOf(strip);
        const int x = frame.left() + frame.width() * (2 * index + 1) / 8;
        return xdotool(
            {"mousemove", QString::number(x), QString::number(frame.center().y()), "click", "1"});
    }

    bool saveUntil(const QString& expected) const { return test::saveUntil(path, expected); }

    QTemporaryDir dir;
    LoopbackModelServer server;
    std::unique_ptr<AppUnderTest> app;
    std::unique_ptr<QProcess> editor;
    QString path;
    quint64 window = 0;
    QPoint pointer;
};

}  // namespace

// Off until the setting says otherwise, which the running program follows; then the strip comes
// up beside the drag without taking the focus, a key press elsewhere hides it, and "Rewrite"
// replaces the selection and gives the clipboard back.
TEST_F(SelectionStripEndToEnd, FollowsTheSettingAppearsWithoutFocusAndRewrites) {
    ASSERT_NO_FATAL_FAILURE(launch(false));
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(dragOverText());
    EXPECT_EQ(waitForWindow(kStrip, 1500), 0u) << "the strip is off by default";

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TESSARINE_CLI_PATH),
              {"config", "set", "selectionButtonEnabled", "true"});
    ASSERT_TRUE(cli.waitForFinished(20000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    ASSERT_TRUE(app->waitForLog(kListening)) << app->log().toStdString();

    ASSERT_TRUE(dragOverText());
    quint64 strip = waitForStrip();
    ASSERT_NE(strip, 0u) << app->log().toStdString();
    EXPECT_EQ(activeWindow(), window) << "the strip took the focus";
    const QRect frame = geometryOf(strip);
    EXPECT_EQ(frame.size(), QSize(400, 30));
    EXPECT_LT(std::abs(frame.center().y() - pointer.y()), 60) << "not beside the pointer";
    EXPECT_TRUE(app->log().contains(QStringLiteral("mouse-gesture fallback in")))
        << app->log().toStdString();

    ASSERT_TRUE(xdotool({"key", "shift"}));
    EXPECT_TRUE(stripGone()) << "a key press elsewhere leaves the strip up";

    ASSERT_TRUE(dragOverText());
    strip = waitForStrip();
    ASSERT_NE(strip, 0u);
    ASSERT_TRUE(clickStripButton(strip, 0));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: Rewrote in Mousepad")))
        << app->log().toStdString();
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out, "my own clipboard");
    EXPECT_TRUE(stripGone());
}

// "Custom" opens the instruction panel where the strip was; what is typed there is the
// instruction the selection is rewritten with.
TEST_F(SelectionStripEndToEnd, CustomOpensThePanelAndRewritesWithTheInstruction) {
    ASSERT_NO_FATAL_FAILURE(launch(true));
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(dragOverText());
    const quint64 strip = waitForStrip();
    ASSERT_NE(strip, 0u) << app->log().toStdString();
    const QRect stripFrame = geometryOf(strip);
    ASSERT_TRUE(clickStripButton(strip, 3));
    const quint64 panel = waitForWindow(kPanel, 5000);
    ASSERT_NE(panel, 0u) << app->log().toStdString();
    const QRect panelFrame = geometryOf(panel);
    EXPECT_EQ(panelFrame.width(), 480);
    EXPECT_LT(std::abs(panelFrame.bottom() - stripFrame.bottom()), 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == panel; }, 5000))
        << "the panel's field does not have the focus";

    ASSERT_TRUE(xdotool({"type", "--delay", "20", "make it formal"}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: "))) << app->log().toStdString();
    ASSERT_EQ(chatRequests(server).size(), 1);
    const QJsonArray messages = chatRequests(server)[0].json()["messages"].toArray();
    const QString sent = QJsonDocument(messages).toJson();
    EXPECT_TRUE(sent.contains(QStringLiteral("make it formal"))) << sent.toStdString();
    EXPECT_TRUE(sent.contains(kOriginal)) << sent.toStdString();
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    EXPECT_EQ(visibleWindow(kPanel), 0u);
}

// A window whose class is a file manager's never gets the strip.
TEST_F(SelectionStripEndToEnd, SuppressedApplicationNeverGetsTheStrip) {
    ASSERT_NO_FATAL_FAILURE(launch(true));
    ASSERT_NO_FATAL_FAILURE(openEditor(QStringLiteral("Thunar")));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("switchTo skipped \u2014 suppressed app (Thunar)")))
        << app->log().toStdString();
    ASSERT_TRUE(dragOverText());
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return runTool(QStringLiteral("xclip"), {"-o", "-selection", "primary"})
                .out.contains("numbers");
        },
        5000));
    EXPECT_EQ(waitForWindow(kStrip, 1500), 0u) << app->log().toStdString();
}

// With the editor on the accessibility bus the strip goes under the selected line, wherever the
// pointer is.
TEST_F(SelectionStripEndToEnd, AccessibleEditorPlacesTheStripUnderTheSelection) {
    ASSERT_NO_FATAL_FAILURE(launch(true));
    ASSERT_NO_FATAL_FAILURE(openEditor({}, true));
    ASSERT_TRUE(xdotool({"mousemove", "1270", "790"}));
    ASSERT_TRUE(xdotool({"key", "ctrl+a"}));
    const quint64 strip = waitForStrip();
    ASSERT_NE(strip, 0u) << app->log().toStdString();
    EXPECT_TRUE(app->log().contains(QStringLiteral("selection bounds:")))
        << app->log().toStdString();
    const QRect stripFrame = geometryOf(strip);
    const QRect editorFrame = geometryOf(window);
    // The text is one line at the top of the editor: the strip sits just under it.
    EXPECT_GT(stripFrame.top(), editorFrame.top());
    EXPECT_LT(stripFrame.top(), editorFrame.top() + 200);
    EXPECT_GT(std::abs(stripFrame.center().y() - 790), 200);
    EXPECT_EQ(activeWindow(), window);
}

// The strip's Rewrite takes the editor's entry as the hotkey does, and the defaults without one.
TEST_F(SelectionStripEndToEnd, RewriteUsesTheEditorsEntry) {
    SettingsStore(settingsPath())
        .setApplicationDefaults(R"([{"app":"Mousepad","context":"Chat","tone":"Friendly"}])");
    ASSERT_NO_FATAL_FAILURE(launch(true));
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(dragOverText());
    quint64 strip = waitForStrip();
    ASSERT_NE(strip, 0u) << app->log().toStdString();
    ASSERT_TRUE(clickStripButton(strip, 0));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: Rewrote for Chat in Mousepad.")))
        << app->log().toStdString();
    EXPECT_TRUE(lastUserMessage(server).contains("Context: Chat\nTone: Friendly"))
        << lastUserMessage(server).toStdString();
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();

    SettingsStore(settingsPath()).setApplicationDefaults(QStringLiteral("[]"));
    ASSERT_TRUE(dragOverText());
    strip = waitForStrip();
    ASSERT_NE(strip, 0u) << app->log().toStdString();
    ASSERT_TRUE(clickStripButton(strip, 0));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: Rewrote in Mousepad.")))
        << app->log().toStdString();
    EXPECT_TRUE(lastUserMessage(server).contains("Context: Email\nTone: Professional"))
        << lastUserMessage(server).toStdString();
}
