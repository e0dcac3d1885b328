// The review session end to end: settings, factory, chat-completions client over loopback HTTP,
// streaming preview, parse and history record. Also the command line's start-up for a dry run.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "LoopbackModelServer.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

extern char** environ;

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "bench_session";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

class NoClipboard final : public ts::ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return std::nullopt; }
    void replaceWithText(const QString&) override {}
};

QByteArray answer(int pieces) {
    QList<QByteArray> events;
    for (int i = 0; i < pieces; ++i) {
        const QJsonObject delta{{"content", QStringLiteral(" word%1").arg(i % 100)}};
        events << QJsonDocument(QJsonObject{{"choices", QJsonArray{QJsonObject{{"index", 0},
                                                                               {"delta", delta}}}}})
                      .toJson(QJsonDocument::Compact);
    }
    events << R"({"choices":[{"index":0,"delta":{"content":"\n<<<WHYS>>>\n- other: x"}}]})";
    events << "[DONE]";
    return ts::test::sseBody(events);
}

void SessionStream(benchmark::State& state) {
    application();
    const int pieces = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    ts::SettingsStore settings(dir.filePath("tessarine.conf"));
    ts::HistoryStore history(dir.filePath("history.json"));
    ts::MemoryKeyStore keys;
    NoClipboard clipboard;
    ts::test::LoopbackModelServer server;
    settings.setOpenaiBaseURL(server.url("/v1").toString());
    keys.saveAPIKey("sk-bench", ts::apiKeyAccount(ts::ProviderKind::openai));
    server.on("POST", "/v1/chat/completions",
              ts::test::ScriptedResponse::eventStream(answer(pieces)).splitEvery(4096));
    ts::AppState session(
        {{settings, keys, [&]() -> ts::HistoryStore& { return history; }}, clipboard});
    session.setText("Benchmark input text");
    qint64 previews = 0;
    QObject::connect(&session, &ts::AppState::streamingImprovedChanged, [&] { ++previews; });
    QElapsedTimer clock;
    qint64 totalNs = 0;
    for (auto _ : state) {
        clock.start();
        QEventLoop loop;
        const auto done = QObject::connect(&session, &ts::AppState::phaseChanged, [&] {
            if (session.phase().kind != ts::AppState::Phase::reviewing) {
                loop.quit();
            }
        });
        session.run();
        loop.exec();
        QObject::disconnect(done);
        totalNs += clock.nsecsElapsed();
        if (session.phase().kind != ts::AppState::Phase::result) {
            state.SkipWithError(session.phase().message.toUtf8().constData());
            break;
        }
    }
    state.counters["pieces"] = pieces;
    state.counters["per_piece_us"] =
        static_cast<double>(totalNs) / 1e3 /
        (static_cast<double>(pieces) *
         static_cast<double>(std::max<int64_t>(1, state.iterations())));
    benchmark::DoNotOptimize(previews);
}
BENCHMARK(SessionStream)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Process start to exit of `tessarine-cli rewrite --dry-run TEXT`.
void CliDryRunStartup(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray config = "XDG_CONFIG_HOME=" + dir.path().toUtf8();
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) {
        if (strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0) {
            env.push_back(*e);
        }
    }
    env.push_back(const_cast<char*>(config.constData()));
    env.push_back(nullptr);
    char program[] = TESSARINE_CLI_PATH;
    char mode[] = "rewrite";
    char flag[] = "--dry-run";
    char text[] = "Can you send the numbers by Thursday?";
    char* argv[] = {program, mode, flag, text, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &actions, nullptr, argv, env.data()) != 0) {
            state.SkipWithError("cannot start tessarine-cli");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tessarine-cli failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(CliDryRunStartup)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
