#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <vector>

#include "LoopbackModelServer.h"
#include "core/Compositions.h"
#include "core/Prompts.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

// Runs the real tessarine-cli against the loopback server. The child gets no session bus and
// no display, so its keys go to the owner-only file in its own config folder.
class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.isListening());
        settings = std::make_unique<SettingsStore>(configFile());
        settings->setOpenaiBaseURL(server.url("/v1").toString());
        ASSERT_EQ(run({"key", "set", "openai"}, "sk-loopback\n"), 0) << err.toStdString();
    }

    QString configFile() const { return dir.filePath("tessarine/tessarine.conf"); }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path());
        env.insert("XDG_STATE_HOME", dir.filePath("state"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("DISPLAY");
        if (!language.isEmpty()) {
            env.insert("LANGUAGE", language);
        }
        return env;
    }

    void startCli(QProcess& process, const QStringList& arguments, const QByteArray& input) {
        process.setProcessEnvironment(environment());
        process.start(TESSARINE_CLI_PATH, arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
        process.write(input);
        process.closeWriteChannel();
    }

    // Waits with the event loop running, so the in-process server can answer.
    int finish(QProcess& process) {
        const bool ended =
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000);
        EXPECT_TRUE(ended);
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int run(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        startCli(process, arguments, input);
        return finish(process);
    }

    void answerWith(const QList<QByteArray>& contents) {
        QList<QByteArray> events;
        for (const QByteArray& content : contents) {
            QJsonObject delta{{"content", QString::fromUtf8(content)}};
            QJsonObject choice{{"index", 0}, {"delta", delta}};
            events << QJsonDocument(QJsonObject{{"choices", QJsonArray{choice}}})
                          .toJson(QJsonDocument::Compact);
        }
        events << "[DONE]";
        server.on("POST", "/v1/chat/completions",
                  ScriptedResponse::eventStream(sseBody(events)).splitEvery(7, 2));
    }

    QList<HistoryItem> history() {
        return HistoryStore(dir.filePath("state/tessarine/history.json")).items();
    }

    QTemporaryDir dir;
    LoopbackModelServer server;
    std::unique_ptr<SettingsStore> settings;
    QString out, err;
    QString language;  // LANGUAGE for the child, when set
};

}  // namespace

TEST_F(CliEndToEnd, StreamedRewritePrintsTheTextAndRecordsHistory) {
    answerWith({"Could you send ", "the numbers by Thursday?", "\n<<<", "WHYS>>>\n",
                "- concision: cut the hedge\n"});
    EXPECT_EQ(
        run({"rewrite", "--why", "--tone", "casual"}, "so could you maybe send the numbers\n"), 0)
        << err.toStdString();
    EXPECT_EQ(out, "Could you send the numbers by Thursday?\n- concision: cut the hedge\n");

    ASSERT_EQ(server.requests().size(), 1);
    const RecordedRequest& request = server.requests().first();
    EXPECT_EQ(request.header("Authorization"), "Bearer sk-loopback");
    const QJsonObject body = request.json();
    EXPECT_EQ(body.value("model").toString(), "gpt-4o-mini");
    EXPECT_TRUE(body.value("stream").toBool());
    const QString user =
        body.value("messages").toArray().at(1).toObject().value("content").toString();
    EXPECT_EQ(user, composeReview(Mode::rewrite, "so could you maybe send the numbers\n",
                                  Tone::casual, AppContext::email, {})
                        .userMessage);

    const QList<HistoryItem> items = history();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].original, "so could you maybe send the numbers\n");
    EXPECT_EQ(items[0].review.improved, "Could you send the numbers by Thursday?");
    EXPECT_EQ(items[0].tone, Tone::casual);
    EXPECT_EQ(items[0].mode, Mode::rewrite);
    EXPECT_EQ(items[0].provider, ProviderKind::openai);
}

// An earlier version kept the history inside the settings file: the first start moves it out.
TEST_F(CliEndToEnd, HistoryInTheSettingsFileMovesToItsOwnFileOnce) {
    const QByteArray old = R"([{"id":"6F1C3A52-1D0B-4C1E-9A39-2D9B5B1E7C11","date":786000000,)"
                           R"("original":"old text","review":{"improved":"new text","whys":[]},)"
                           R"("tone":"Casual","context":"Chat","provider":"Gemini","model":"m"}])";
    QSettings(configFile(), QSettings::IniFormat).setValue("io.tessarine.history.v1", old);
    EXPECT_EQ(run({"config", "get", "model"}), 0);
    ASSERT_EQ(history().size(), 1);
    EXPECT_EQ(history().first().original, "old text");
    EXPECT_FALSE(QSettings(configFile(), QSettings::IniFormat).contains("io.tessarine.history.v1"));
    const auto mode = QFile::permissions(dir.filePath("state/tessarine/history.json"));
    EXPECT_EQ(mode & 0x0fff, QFile::ReadUser | QFile::WriteUser);  // 0600: the owner's only

    // The next request adds to the moved history; the settings file stays free of it.
    answerWith({"Fine."});
    EXPECT_EQ(run({"rewrite", "a b c"}), 0) << err.toStdString();
    EXPECT_EQ(history().size(), 2);
    QFile settingsFile(configFile());
    ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settingsFile.readAll().contains("io.tessarine.history"));
}

TEST_F(CliEndToEnd, JsonPrintsTheFinishedReview) {
    answerWith({"Fine.\n<<<WHYS>>>\n- Tone: calmer\n- note: 10:30 works"});
    ASSERT_EQ(run({"proofread", "--json", "fine"}), 0) << err.toStdString();
    const QJsonObject review = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(review.value("improved").toString(), "Fine.");
    const QJsonArray whys = review.value("whys").toArray();
    ASSERT_EQ(whys.size(), 2);
    EXPECT_EQ(whys[0].toObject().value("kind").toString(), "tone");
    EXPECT_EQ(whys[1].toObject().value("kind").toString(), "other");
    EXPECT_EQ(whys[1].toObject().value("text").toString(), "10:30 works");
}

TEST_F(CliEndToEnd, DryRunPrintsExactlyWhatWouldBeSentAndSendsNothing) {
    settings->setStyleProfile("Short sentences.");
    ASSERT_EQ(run({"reply", "--dry-run", "--context", "CHAT", "--intent", "  yes  ", "--provider",
                   "anthropic", "Are we still on for lunch?"}),
              0)
        << err.toStdString();
    const QJsonObject sent = QJsonDocument::fromJson(out.toUtf8()).object();
    const ComposedRequest expected =
        composeReply("Are we still on for lunch?", "yes", Tone::professional, AppContext::chat,
                     "Short sentences.");
    EXPECT_EQ(sent.value("provider").toString(), "Anthropic");
    EXPECT_EQ(sent.value("model").toString(), "claude-sonnet-4-6");
    EXPECT_EQ(sent.value("system").toString(), expected.systemPrompt);
    EXPECT_EQ(sent.value("user").toString(), expected.userMessage);
    EXPECT_TRUE(out.startsWith("{\"provider\":"));
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(history().isEmpty());

    ASSERT_EQ(run({"rewrite", "--dry-run", "--no-style", "--", "--flag-like text"}), 0);
    EXPECT_EQ(
        QJsonDocument::fromJson(out.toUtf8()).object().value("user").toString(),
        composeReview(Mode::rewrite, "--flag-like text", Tone::professional, AppContext::email, {})
            .userMessage);
}

TEST_F(CliEndToEnd, FailuresGiveStatusOneAndTheSentence) {
    const QByteArray body = R"({"error":{"message":"Incorrect API key provided"}})";
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(401, body));
    EXPECT_EQ(run({"rewrite", "Hello there"}), 1);
    EXPECT_EQ(err.trimmed(),
              "API key rejected. Check it and store it again with: tessarine-cli key set openai");
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(history().isEmpty());

    // Nobody listens on the port of a server that has gone.
    quint16 closedPort = 0;
    {
        LoopbackModelServer gone;
        closedPort = gone.port();
    }
    settings->setOpenaiBaseURL(QString("http://127.0.0.1:%1/v1").arg(closedPort));
    EXPECT_EQ(run({"rewrite", "Hello there"}), 1);
    EXPECT_FALSE(err.trimmed().isEmpty());
    EXPECT_FALSE(err.contains("sk-loopback"));

    EXPECT_EQ(run({"rewrite", "Hello", "--provider", "gemini"}), 1);
    EXPECT_EQ(err.trimmed(), "API key is missing. Store one with: tessarine-cli key set gemini");
}

TEST_F(CliEndToEnd, UsageErrorsGiveStatusTwo) {
    EXPECT_EQ(run({"rewrite"}, " \n\t\n"), 2);
    EXPECT_TRUE(err.contains("the input is empty"));
    EXPECT_EQ(run({"rewrite", "--tone", "loud", "x"}), 2);
    EXPECT_TRUE(err.contains("professional, casual, friendly, concise"));
    EXPECT_EQ(run({"ask", "--prompt", "nothing saved", "text"}), 2);
    EXPECT_EQ(run({"config", "set", "hotkeyKeyCode", "E"}), 2);
    EXPECT_EQ(run({"config", "get", "nope"}), 2);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(CliEndToEnd, EmptyAnswerIsAFailureNotAnEmptySuccess) {
    answerWith({"   \n", "<<<WHYS>>>\n- other: nothing"});
    EXPECT_EQ(run({"rewrite", "Hello there"}), 1);
    EXPECT_EQ(err.trimmed(), "The model returned an empty response.");
    EXPECT_TRUE(history().isEmpty());
    // JSON is printed as it stands; its reader decides.
    EXPECT_EQ(run({"rewrite", "--json", "Hello there"}), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8())["improved"].toString(), "");
}

TEST_F(CliEndToEnd, SignalsAbortTheRequest) {
    ScriptedResponse stalled = ScriptedResponse::eventStream(
        sseBody({R"({"choices":[{"index":0,"delta":{"content":"Partial"}}]})"}));
    server.on("POST", "/v1/chat/completions", stalled.withEnding(ScriptedResponse::Ending::stall));
    for (const auto& [signalNumber, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        QProcess process;
        const qsizetype requests = server.requests().size();
        startCli(process, {"rewrite", "Hello there"}, {});
        ASSERT_TRUE(server.waitForRequests(requests + 1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return process.bytesAvailable() > 0; }, 10000));
        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        EXPECT_EQ(finish(process), status);
        EXPECT_TRUE(server.waitForClientClose(server.requests().last().connection));
    }
    EXPECT_TRUE(history().isEmpty());
}

// On a terminal: Ctrl+C while the tool waits for typed text ends it at once, and Ctrl+C at the
// key prompt leaves the echo on.
TEST_F(CliEndToEnd, CtrlCOnATerminal) {
    const struct {
        QStringList arguments;
        QByteArray prompt;
    } rows[] = {
        {{"rewrite"}, "Type or paste the text, then press Ctrl+D."},
        {{"key", "set", "anthropic"}, "API key for Anthropic:"},
    };
    for (const auto& row : rows) {
        int terminal = -1;
        const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
        ASSERT_GE(child, 0);
        if (child == 0) {
            const QProcessEnvironment env = environment();
            for (const QString& name : env.keys()) {
                ::setenv(qPrintable(name), qPrintable(env.value(name)), 1);
            }
            std::vector<QByteArray> storage{TESSARINE_CLI_PATH};
            for (const QString& argument : row.arguments) {
                storage.push_back(argument.toUtf8());
            }
            std::vector<char*> argv;
            for (QByteArray& argument : storage) {
                argv.push_back(argument.data());
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        QByteArray seen;
        for (int i = 0; i < 200 && !seen.contains(row.prompt); ++i) {
            pollfd ready{terminal, POLLIN, 0};
            if (::poll(&ready, 1, 50) > 0) {
                char buffer[256];
                const ssize_t count = ::read(terminal, buffer, sizeof buffer);
                if (count > 0) {
                    seen.append(buffer, count);
                }
            }
        }
        EXPECT_TRUE(seen.contains(row.prompt)) << seen.toStdString();
        ASSERT_EQ(::write(terminal, "\x03", 1), 1);
        int status = 0;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 10000));
        EXPECT_TRUE((WIFEXITED(status) && WEXITSTATUS(status) == 130) ||
                    (WIFSIGNALED(status) && WTERMSIG(status) == SIGINT));
        termios settings{};
        ASSERT_EQ(::tcgetattr(terminal, &settings), 0);
        EXPECT_TRUE(settings.c_lflag & ECHO);
        ::close(terminal);
    }
}

TEST_F(CliEndToEnd, ConfigAndKeyStatus) {
    EXPECT_EQ(run({"config", "set", "autoPaste", "false"}), 0);
    EXPECT_FALSE(settings->autoPaste());
    EXPECT_EQ(run({"config", "set", "hotkeyKeyCode", "15"}), 0);
    EXPECT_EQ(settings->hotkeyKeyCode(), 15);
    EXPECT_EQ(run({"config", "get", "provider"}), 0);
    EXPECT_EQ(out, "OpenAI\n");
    EXPECT_EQ(run({"key", "status"}), 0);
    EXPECT_TRUE(out.contains("OpenAI    set"));
    EXPECT_TRUE(out.contains("Gemini    not set"));
    EXPECT_FALSE(out.contains("sk-loopback"));
    EXPECT_TRUE(out.contains(dir.filePath("tessarine/keys")));
}

// Keep or drop each change with one key on the terminal; the kept text goes to standard output
// (a file here), the questions to the terminal. Without a terminal, --interactive refuses.
TEST_F(CliEndToEnd, InteractiveKeepsExactlyTheChosenChanges) {
    answerWith({"I am sending it by Thursday"});
    const struct {
        QByteArray keys;
        QString kept;
    } rows[] = {
        {"yy", "I am sending it by Thursday"},
        {"ny", "I am really sending it by Thursday"},
        {"yn", "I am sending it now"},
        {"a", "I am sending it by Thursday"},
        {"d", "I am really sending it now"},
        {"xn?d", "I am really sending it now"},  // other keys ask nothing new
    };
    for (const auto& row : rows) {
        const QString output = dir.filePath("kept.txt");
        int terminal = -1;
        const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
        ASSERT_GE(child, 0);
        if (child == 0) {
            const QProcessEnvironment env = environment();
            ::clearenv();  // the test's own bus must not reach the child
            for (const QString& name : env.keys()) {
                ::setenv(qPrintable(name), qPrintable(env.value(name)), 1);
            }
            const int file = ::open(qPrintable(output), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(file, STDOUT_FILENO);
            ::execl(TESSARINE_CLI_PATH, TESSARINE_CLI_PATH, "rewrite", "--interactive",
                    "I am really sending it now", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::fcntl(terminal, F_SETFL, ::fcntl(terminal, F_GETFL) | O_NONBLOCK);
        QByteArray seen;
        const auto waitFor = [&](const QByteArray& text) {
            return QTest::qWaitFor(
                [&] {
                    char buffer[512];
                    const ssize_t count = ::read(terminal, buffer, sizeof buffer);
                    if (count > 0) {
                        seen.append(buffer, count);
                    }
                    return seen.contains(text);
                },
                15000);
        };
        EXPECT_TRUE(waitFor("Change 1 of 2: delete: really")) << seen.toStdString();
        for (const char key : row.keys) {
            ASSERT_EQ(::write(terminal, &key, 1), 1);
        }
        EXPECT_TRUE(waitFor("changes kept.")) << seen.toStdString();
        int status = 0;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 10000));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QFile kept(output);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(kept.readAll()), row.kept + "\n") << row.keys.toStdString();
        ::close(terminal);
    }

    QProcess detached;
    detached.setChildProcessModifier([] { ::setsid(); });  // no controlling terminal
    startCli(detached, {"rewrite", "--interactive", "I am really sending it now"}, {});
    EXPECT_EQ(finish(detached), 2);
    EXPECT_TRUE(err.contains("--interactive needs a terminal")) << err.toStdString();
}

// A German user reads the errors in German: usage errors answered by the light front end and by
// the full program it hands the command to, and the model service's, with the command line's
// advice in place of the windows'.
TEST_F(CliEndToEnd, UsageErrorsComeInTheUsersLanguage) {
    language = "de";
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(401, R"({"error":"no"})"));
    const struct {
        QStringList arguments;
        int status = 0;
        QString sentence;
    } rows[] = {
        {{"frobnicate"}, 2, "tessarine-cli: unbekannter Befehl „frobnicate“ (Befehle: rewrite,"},
        {{"config", "set", "colour", "blue"},
         2,
         "tessarine-cli: unbekannte Einstellung „colour“ (Einstellungen: provider,"},
        {{"rewrite", "Hallo"},
         1,
         "API-Schlüssel abgelehnt. Prüfen Sie ihn und speichern Sie ihn erneut mit: "
         "tessarine-cli key set openai\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(run(row.arguments), row.status) << err.toStdString();
        EXPECT_TRUE(err.startsWith(row.sentence)) << err.toStdString();
        EXPECT_FALSE(err.contains("unknown")) << err.toStdString();
    }
    EXPECT_TRUE(run({"frobnicate"}) == 2 &&
                err.contains("Die Verwendung zeigt: tessarine-cli --help"))
        << err.toStdString();
}
