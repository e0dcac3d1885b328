#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "AppUnderTest.h"
#include "LoopbackModelServer.h"
#include "Rewrites.h"
#include "X11TestTools.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kCustomFormat = QStringLiteral("application/x-tessarine-e2e");
const QByteArray kHtml = "<p>my <b>own</b> clipboard</p>";
const QString kTerminal = QStringLiteral("tessarine-term");

bool key(const QString& chord) {
    return xdotool({"key", chord});
}

// The real program against a loopback model server, with real applications to rewrite in.
class InPlaceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.isListening());
        SettingsStore settings(dir.filePath(QStringLiteral("config/tessarine/tessarine.conf")));
        settings.setProvider(ProviderKind::ollama);
        settings.setOllamaBaseURL(server.url(QStringLiteral("/v1")).toString());
        server.on("POST", "/v1/chat/completions", rewriteAnswer());
        app = std::make_unique<AppUnderTest>(dir.filePath(QStringLiteral("config")));
        // Once running, the program reports its hotkeys.
        ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] running;")))
            << app->log().toStdString();
        ASSERT_TRUE(
            app->log().contains(QStringLiteral("in-place hotkey Super+Ctrl+Alt+E active=1")))
            << app->log().toStdString();
    }

    void TearDown() override {
        programs.clear();  // before the app: nothing it owns is waited for
        app.reset();
    }

    void start(const QString& program, const QStringList& args) {
        programs.push_back(std::make_unique<RunningProgram>(program, args));
    }

    // Mousepad with the original text, focused, everything selected; and a clipboard of several
    // formats that this process owns.
    void openEditor() {
        path = dir.filePath(QStringLiteral("tessarine-e2e.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOriginal.toUtf8());
        file.close();
        start(QStringLiteral("mousepad"), {"--disable-server", path});
        const quint64 window = waitForWindow(QStringLiteral("tessarine-e2e.txt"));
        ASSERT_NE(window, 0u) << "mousepad did not show its window";
        ASSERT_TRUE(activateWindow(window));
        ASSERT_TRUE(key(QStringLiteral("ctrl+a")));
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("my own clipboard"));
        mime->setData(QStringLiteral("text/html"), kHtml);
        mime->setData(kCustomFormat, binaryBytes());
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    static void expectRichClipboardBack() {
        EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out, "my own clipboard");
        EXPECT_EQ(readClipboard(QStringLiteral("text/html")).out, kHtml);
        EXPECT_EQ(readClipboard(kCustomFormat).out, binaryBytes());
        EXPECT_FALSE(
            readClipboard(QStringLiteral("TARGETS")).out.contains("x-kde-passwordManagerHint"));
    }

    bool saveUntil(const QString& expected) const { return test::saveUntil(path, expected); }

    // A terminal whose shell prints the original text, reports an interrupt into "interrupted"
    // and appends each input line to "input"; focused once it is ready.
    void openTerminal(const QString& program, const QStringList& args) {
        QFile file(script());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("trap 'echo GOT_INT >> %1' INT\n"
                                  "i=0; while [ $i -lt 60 ]; do echo '%2'; i=$((i+1)); done\n"
                                  "echo ready > %3\n"
                                  "while :; do read line && printf '%s\\n' \"$line\" >> %4; done\n")
                       .arg(dir.filePath("interrupted"), kOriginal, dir.filePath("ready"),
                            dir.filePath("input"))
                       .toUtf8());
        file.close();
        start(program, args);
        terminal = waitForWindow(kTerminal);
        ASSERT_NE(terminal, 0u);
        ASSERT_TRUE(activateWindow(terminal));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath("ready")); }, 10000));
    }
    // Triple-clicks a printed line until the terminal holds it as the selection: under load a
    // click can come before the text is drawn.
    bool selectPrintedLine() {
        for (int attempt = 0; attempt < 20; ++attempt) {
            xdotool({"mousemove", "--window", QString::number(terminal), "120", "200", "click",
                     "--repeat", "3", "--delay", "80", "1"});
            const auto selected = [] {
                return runTool(QStringLiteral("xclip"), {"-o", "-selection", "primary"})
                    .out.contains(kOriginal.toUtf8());
            };
            if (QTest::qWaitFor(selected, 500)) {
                return true;
            }
        }
        return false;
    }
    // Presses the in-place hotkey and waits for a log line containing the text.
    void pressHotkeyAndSee(const QString& text) {
        ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
        ASSERT_TRUE(app->waitForLog(text)) << app->log().toStdString();
    }
    QString script() const { return dir.filePath(QStringLiteral("term.sh")); }
    QByteArray history() const {
        return fileText(dir.filePath(QStringLiteral("state/tessarine/history.json")));
    }

    bool sentTheOriginal() const {
        return chatRequests(server).size() == 1 && lastUserMessage(server).contains(kOriginal);
    }

    QTemporaryDir dir;
    LoopbackModelServer server;
    std::unique_ptr<AppUnderTest> app;
    std::vector<std::unique_ptr<RunningProgram>> programs;
    QString path;
    quint64 terminal = 0;
};

}  // namespace

// The rewrite can be undone, every clipboard format comes back, and the program ends cleanly.
TEST_F(InPlaceEndToEnd, RewriteInAnEditorIsUndoableAndEveryClipboardFormatComesBack) {
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_NO_FATAL_FAILURE(
        pressHotkeyAndSee("toast success: Rewrote in Mousepad. Ctrl+Z to undo."));
    EXPECT_TRUE(sentTheOriginal());
    EXPECT_EQ(app->logLines(QStringLiteral("toast info:")),
              QStringList{QStringLiteral("[Tessarine] toast info: Rewriting in Mousepad\u2026")});
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    expectRichClipboardBack();
    ASSERT_TRUE(key(QStringLiteral("ctrl+z")));
    EXPECT_TRUE(saveUntil(kOriginal)) << fileText(path).toStdString();

    EXPECT_EQ(app->terminate(), 0);
    EXPECT_FALSE(app->log().contains(QStringLiteral("ERROR: AddressSanitizer")))
        << app->log().toStdString();
}

// The user moves to another window while the model thinks: the answer still goes into the
// editor it was copied from, never into the window that has the focus now.
TEST_F(InPlaceEndToEnd, FocusMovedMeanwhileTheSourceIsRewritten) {
    ScriptedResponse slow = rewriteAnswer();
    slow.chunks.first().delayMs = 1500;
    server.on("POST", "/v1/chat/completions", slow);
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
    ASSERT_TRUE(waitForChatRequests(server, 1));
    start(QStringLiteral("xterm"), {"-T", "elsewhere"});
    const quint64 elsewhere = waitForWindow(QStringLiteral("elsewhere"));
    ASSERT_NE(elsewhere, 0u);
    ASSERT_TRUE(activateWindow(elsewhere));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: Rewrote in Mousepad")))
        << app->log().toStdString();
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    expectRichClipboardBack();
}

// The source window is closed while the model thinks: nothing is pasted anywhere, the user's
// clipboard comes back and the answer waits in the history.
TEST_F(InPlaceEndToEnd, SourceClosedMeanwhileGetsNothingAndTheAnswerIsKept) {
    ScriptedResponse slow = rewriteAnswer();
    slow.chunks.first().delayMs = 1500;
    server.on("POST", "/v1/chat/completions", slow);
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
    ASSERT_TRUE(waitForChatRequests(server, 1));
    programs.back()->process().kill();
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast error: The window changed before")))
        << app->log().toStdString();
    EXPECT_TRUE(app->logLines(QStringLiteral("toast success:")).isEmpty());
    expectRichClipboardBack();
    EXPECT_TRUE(QTest::qWaitFor([&] { return history().contains(kImproved.toUtf8()); }));
}

// The hotkey pressed again while the first request waits, and held long the first time: one
// request, one paste, the clipboard intact.
TEST_F(InPlaceEndToEnd, HeldHotkeyThenASecondPressGiveOneRewrite) {
    ScriptedResponse slow = rewriteAnswer();
    slow.chunks.first().delayMs = 1500;
    server.on("POST", "/v1/chat/completions", slow);
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_TRUE(xdotool({"keydown", "ctrl+alt+super+e"}));
    QTest::qWait(600);
    ASSERT_TRUE(xdotool({"keyup", "ctrl+alt+super+e"}));
    ASSERT_TRUE(waitForChatRequests(server, 1)) << app->log().toStdString();
    ASSERT_NO_FATAL_FAILURE(pressHotkeyAndSee("toast info: Already rewriting\u2026"));
    ASSERT_TRUE(app->waitForLog(QStringLiteral("toast success: Rewrote in Mousepad")))
        << app->log().toStdString();
    EXPECT_EQ(chatRequests(server).size(), 1);
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    expectRichClipboardBack();
}

// The clipboard's owner never answers for its image: the rewrite waits a bounded moment for it,
// then gives back the formats it did get, without the image.
TEST_F(InPlaceEndToEnd, ClipboardOwnerThatNeverGivesOneFormat) {
    ASSERT_NO_FATAL_FAILURE(openEditor());
    const SlowClipboardOwner owner(QStringLiteral("image/png"));
    ASSERT_TRUE(owner.owns());
    QElapsedTimer timer;
    timer.start();
    ASSERT_NO_FATAL_FAILURE(
        pressHotkeyAndSee("toast success: Rewrote in Mousepad. Ctrl+Z to undo."));
    // Waiting on the image as Qt does would alone take 5 s.
    EXPECT_LT(timer.elapsed(), 4500);
    EXPECT_EQ(app->logLines(QStringLiteral("did not deliver")).size(), 1)
        << app->log().toStdString();
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();
    EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out, "owner text");
    EXPECT_EQ(readClipboard(QStringLiteral("text/html")).out, "<i>owner html</i>");
    EXPECT_FALSE(readClipboard(QStringLiteral("TARGETS")).out.contains("image/png"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return history().contains(kImproved.toUtf8()); }));
}

// A dialog's selectable message copies but takes no paste: no success, nothing in the history.
TEST_F(InPlaceEndToEnd, ReadOnlyTextTakesNoPasteAndNothingIsRecorded) {
    start(QStringLiteral("zenity"), {"--info", "--title=tessarine-ro", "--text=" + kOriginal});
    const quint64 window = waitForWindow(QStringLiteral("tessarine-ro"));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(activateWindow(window));
    // The message label takes the focus back from the OK button, then everything in it.
    const auto selected = [] {
        return runTool(QStringLiteral("xclip"), {"-o", "-selection", "primary"}).out ==
               kOriginal.toUtf8();
    };
    for (int attempt = 0; attempt < 10 && !selected(); ++attempt) {
        key(QStringLiteral("shift+Tab"));
        key(QStringLiteral("ctrl+a"));
        QTest::qWait(100);
    }
    ASSERT_TRUE(selected());
    ASSERT_NO_FATAL_FAILURE(
        pressHotkeyAndSee("toast error: Paste didn't fire. The text in the app is unchanged."));
    EXPECT_TRUE(sentTheOriginal());
    EXPECT_TRUE(app->logLines(QStringLiteral("toast success:")).isEmpty());
    EXPECT_FALSE(history().contains(kImproved.toUtf8())) << history().toStdString();
}

// Writer asks for other formats before it reads the text, and long after the keystroke: with a
// clipboard of text, HTML and an image, the selection still becomes the rewrite three times out
// of three, and the clipboard comes back each time.
TEST_F(InPlaceEndToEnd, WriterGetsTheRewriteThreeTimesInARow) {
    const QString profile =
        QUrl::fromLocalFile(dir.filePath(QStringLiteral("lo-profile"))).toString();
    start(QStringLiteral("soffice"),
          {"--writer", "--norestore", "--nologo", "-env:UserInstallation=" + profile});
    const quint64 window = waitForWindow(QStringLiteral("LibreOffice Writer"), 90000);
    ASSERT_NE(window, 0u) << "Writer did not show its window";
    ASSERT_TRUE(activateWindow(window));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
    // What Writer holds, copied out: everything selected, then Ctrl+C.
    const auto documentText = [&] {
        writeClipboard(QStringLiteral("UTF8_STRING"), "sentinel");
        key(QStringLiteral("ctrl+a"));
        key(QStringLiteral("ctrl+c"));
        QByteArray text;
        const bool copied = QTest::qWaitFor([&] {
            text = readClipboard(QStringLiteral("UTF8_STRING")).out;
            return text != "sentinel";
        });
        return copied ? QString::fromUtf8(text).trimmed() : QString();
    };
    const QString original = QStringLiteral("Could you maybe send the numbers");
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        for (int attempt = 0; attempt < 10 && documentText() != original; ++attempt) {
            key(QStringLiteral("ctrl+a"));
            xdotool({"type", "--delay", "15", original});
        }
        ASSERT_EQ(documentText(), original);
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("my own clipboard"));
        mime->setData(QStringLiteral("text/html"), kHtml);
        mime->setData(QStringLiteral("image/png"), png);
        QGuiApplication::clipboard()->setMimeData(mime);
        ASSERT_TRUE(key(QStringLiteral("ctrl+a")));
        const auto outcomes = [&] {
            return app->logLines(QStringLiteral("toast success:")).size() +
                   app->logLines(QStringLiteral("toast error:")).size();
        };
        const qsizetype before = outcomes();
        ASSERT_TRUE(key(QStringLiteral("ctrl+alt+super+e")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes() > before; }, 20000));
        EXPECT_EQ(app->logLines(QStringLiteral("toast success:")).size(), run + 1)
            << app->log().toStdString();
        EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out, "my own clipboard");
        EXPECT_EQ(readClipboard(QStringLiteral("text/html")).out, kHtml);
        EXPECT_EQ(readClipboard(QStringLiteral("image/png")).out, png);
        EXPECT_EQ(documentText(), kImproved);
    }
}

TEST_F(InPlaceEndToEnd, ModelErrorLeavesTextAndClipboardAndShowsTheError) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::json(500, R"({"error":{"message":"boom"}})"));
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_NO_FATAL_FAILURE(pressHotkeyAndSee("toast error: "));
    const QStringList errors = app->logLines(QStringLiteral("toast error: "));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Provider is temporarily unavailable (500)")))
        << errors[0].toStdString();
    expectRichClipboardBack();
    // The editor still holds the original: copy it out.
    ASSERT_TRUE(key(QStringLiteral("ctrl+c")));
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QGuiApplication::clipboard()->text() == kOriginal; }, 10000));
}

TEST_F(InPlaceEndToEnd, TerminalGetsShiftedChordsAndNeverAnInterrupt) {
    ASSERT_NO_FATAL_FAILURE(openTerminal(QStringLiteral("lxterminal"),
                                         {"--no-remote", "-t", kTerminal, "-e", "sh " + script()}));
    // A line of the printed text, selected with a triple click in the middle of the screen.
    ASSERT_TRUE(selectPrintedLine());
    // No "Ctrl+Z to undo" there: in a terminal it would suspend the running program.
    ASSERT_NO_FATAL_FAILURE(pressHotkeyAndSee("toast success: Typed the rewrite into "));
    EXPECT_TRUE(sentTheOriginal());
    ASSERT_TRUE(key(QStringLiteral("Return")));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return fileText(dir.filePath("input")).trimmed() == kImproved.toUtf8(); }, 10000))
        << fileText(dir.filePath("input")).toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("interrupted")));
}

TEST_F(InPlaceEndToEnd, XtermGetsNoCopyKeystrokeAndTheCopyFailedToast) {
    ASSERT_NO_FATAL_FAILURE(
        openTerminal(QStringLiteral("xterm"), {"-T", kTerminal, "-e", "sh", script()}));
    ASSERT_NO_FATAL_FAILURE(pressHotkeyAndSee(
        "toast error: Copy didn't fire. Select some text, then press the hotkey again."));
    EXPECT_TRUE(chatRequests(server).isEmpty());
    // Any interrupt the keystrokes caused would have been written by now: the shell is idle.
    ASSERT_TRUE(key(QStringLiteral("Return")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath("input")); }, 10000));
    EXPECT_FALSE(QFile::exists(dir.filePath("interrupted")));
}

TEST(TessarineProgram, WithoutADisplayItSaysSoAndExitsWithOne) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TESSARINE_APP_PATH), {});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("no X11 display"));
}

// An entry for the editor sets the context and tone sent, and the done notice names the context;
// without one the defaults go. With the local runtime the model is asked to load as the hotkey
// is pressed, and not again within the minute. The load never holds the request back, so on a
// busy machine the two may reach the server in either order: only what arrived is compared.
TEST_F(InPlaceEndToEnd, TheEditorsEntryChoosesContextAndToneAndTheModelIsLoaded) {
    server.on("GET", "/api/ps", ScriptedResponse::json(200, R"({"models":[]})"));
    server.on("POST", "/api/generate", ScriptedResponse::json(200, R"({"done":true})"));
    // The window shown at launch asked for the model of that moment; this one is new.
    ASSERT_TRUE(app->waitForLog(QStringLiteral("asking the local server to load llama3.1 (")))
        << app->log().toStdString();
    SettingsStore settings(dir.filePath(QStringLiteral("config/tessarine/tessarine.conf")));
    settings.setModel(QStringLiteral("llama3.1:8b"));
    settings.setApplicationDefaults(R"([{"app":"mousepad","context":"Chat","tone":"Casual"}])");
    ASSERT_NO_FATAL_FAILURE(openEditor());
    ASSERT_NO_FATAL_FAILURE(
        pressHotkeyAndSee("toast success: Rewrote for Chat in Mousepad. Ctrl+Z to undo."));
    EXPECT_TRUE(lastUserMessage(server).contains("Context: Chat\nTone: Casual"))
        << lastUserMessage(server).toStdString();
    const auto loadsAndChats = [&] {
        QStringList seen;
        for (const RecordedRequest& request : server.requests()) {
            if (request.path == "/api/generate" && request.json()["model"] == "llama3.1:8b") {
                seen << QStringLiteral("load ") + request.json()["keep_alive"].toString();
                EXPECT_FALSE(request.json().contains("prompt"));
            } else if (request.path.endsWith("/chat/completions")) {
                seen << QStringLiteral("chat");
            }
        }
        seen.sort();
        return seen;
    };
    EXPECT_EQ(loadsAndChats(), (QStringList{"chat", "load 5m"}));
    EXPECT_TRUE(saveUntil(kImproved)) << fileText(path).toStdString();

    settings.setApplicationDefaults(QStringLiteral("[]"));
    ASSERT_TRUE(key(QStringLiteral("ctrl+a")));
    ASSERT_NO_FATAL_FAILURE(
        pressHotkeyAndSee("toast success: Rewrote in Mousepad. Ctrl+Z to undo."));
    EXPECT_TRUE(lastUserMessage(server).contains("Context: Email\nTone: Professional"))
        << lastUserMessage(server).toStdString();
    EXPECT_EQ(loadsAndChats(), (QStringList{"chat", "chat", "load 5m"}));
    // One look at launch, one at the first press.
    EXPECT_EQ(std::count_if(server.requests().begin(), server.requests().end(),
                            [](const RecordedRequest& r) { return r.path == "/api/ps"; }),
              2);
}
