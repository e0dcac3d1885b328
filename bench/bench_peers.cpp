// Whole processes beside the tools users know, in the same run: `tessarine-cli diff` against
// git's word diff, dwdiff and wdiff on the same files, and `tessarine-cli rewrite` reading a long
// streamed answer against curl reading the same bytes from the same loopback server.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "LoopbackModelServer.h"
#include "ProseGenerator.h"

extern char** environ;

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "bench_peers";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

struct Finished {
    QByteArray errors;  // what the command wrote on standard error
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMB = 0;
    bool ok = false;
};

// Through peak_rss, which reports the child's own peak and CPU time. The event loop keeps running
// meanwhile, for a server in this process.
Finished runProcess(const QStringList& arguments, const std::vector<QByteArray>& extraEnv,
                    int expectedStatusAtMost) {
    static const QTemporaryDir scratch;
    const QByteArray measurements = scratch.filePath("peak_rss").toLocal8Bit();
    std::vector<QByteArray> storage{PEAK_RSS_PATH};
    for (const QString& argument : arguments) {
        storage.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& argument : storage) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<QByteArray> envStorage(extraEnv);
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) {
        const QByteArrayView entry(*e);
        const bool replaced =
            std::any_of(extraEnv.begin(), extraEnv.end(), [&](const QByteArray& own) {
                return entry.startsWith(own.left(own.indexOf('=') + 1));
            });
        if (!replaced) {
            env.push_back(*e);
        }
    }
    for (QByteArray& entry : envStorage) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, measurements.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Finished result;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return result;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    result.seconds = double(clock.nsecsElapsed()) / 1e9;
    QFile report(QString::fromLocal8Bit(measurements));
    report.open(QIODevice::ReadOnly);
    QList<QByteArray> fields;
    for (const QByteArray& line : report.readAll().split('\n')) {
        if (line.startsWith("peak_rss ")) {
            fields = line.split(' ');
        } else {
            result.errors += line + ' ';
        }
    }
    result.peakMB = fields.value(1).toDouble() / 1024.0;
    result.cpuSeconds = fields.value(2).toDouble() / 1e6;
    result.ok =
        fields.size() == 3 && WIFEXITED(status) && WEXITSTATUS(status) <= expectedStatusAtMost;
    return result;
}

// Diff tools exit with 1 when the files differ; a review must exit with 0.
void report(benchmark::State& state, const QStringList& arguments,
            const std::vector<QByteArray>& env = {}, double pieces = 0, int statusAtMost = 1,
            const std::function<void()>& beforeEach = {}) {
    application();
    if (QStandardPaths::findExecutable(arguments.first()).isEmpty() &&
        !QFile::exists(arguments.first())) {
        state.SkipWithError("not installed");
        return;
    }
    double peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        if (beforeEach) {
            beforeEach();
        }
        const Finished run = runProcess(arguments, env, statusAtMost);
        if (!run.ok) {
            state.SkipWithError(("the process failed: " + run.errors).constData());
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMB);
        cpu += run.cpuSeconds;
    }
    const double iterations = double(std::max<int64_t>(1, state.iterations()));
    state.counters["peak_MB"] = peak;
    state.counters["cpu_ms"] = 1e3 * cpu / iterations;
    if (pieces > 0) {
        state.counters["cpu_per_piece_us"] = 1e6 * cpu / iterations / pieces;
    }
}

// --- word diff ---

struct DiffCase {
    const char* name;
    int words;
    int changedPercent;  // negative: two unrelated texts
};

constexpr DiffCase kDiffCases[] = {
    {"2000w_10pct", 2000, 10},       {"20000w_1pct", 20000, 1},         {"200000w_1pct", 200000, 1},
    {"unrelated_20000w", 20000, -1}, {"unrelated_100000w", 100000, -1},
};

const QTemporaryDir& diffFiles() {
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        written = true;
        bench::ProseGenerator gen(3);
        for (const DiffCase& c : kDiffCases) {
            const QStringList original = gen.tokens(c.words);
            const QStringList improved = c.changedPercent < 0
                                             ? gen.tokens(c.words)
                                             : gen.edited(original, c.changedPercent / 100.0);
            for (const auto& [suffix, tokens] : {std::pair{".old", original}, {".new", improved}}) {
                QFile file(dir.filePath(QString::fromLatin1(c.name) + suffix));
                file.open(QIODevice::WriteOnly);
                file.write(tokens.join(QString()).toUtf8());
            }
        }
    }
    return dir;
}

void registerDiffs() {
    const QStringList tools[] = {
        {TESSARINE_CLI_PATH, "diff"},
        {"git", "diff", "--no-index", "--word-diff=porcelain"},
        {"dwdiff"},
        {"wdiff"},
    };
    for (const DiffCase& c : kDiffCases) {
        for (const QStringList& tool : tools) {
            const QString label =
                tool.first() == TESSARINE_CLI_PATH ? QStringLiteral("tessarine") : tool.first();
            const std::string name = "WordDiff/" + std::string(c.name) + "/" + label.toStdString();
            benchmark::RegisterBenchmark(
                name.c_str(),
                [tool, c](benchmark::State& state) {
                    const QString base = diffFiles().filePath(QString::fromLatin1(c.name));
                    report(state, tool + QStringList{base + ".old", base + ".new"});
                })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
    }
}

// --- streaming ---

QByteArray answer(int pieces) {
    QList<QByteArray> events;
    events.reserve(pieces + 2);
    for (int i = 0; i < pieces; ++i) {
        const QJsonObject delta{{"content", QStringLiteral(" word%1").arg(i % 100)}};
        events << QJsonDocument(
                      QJsonObject{
                          {"id", "chatcmpl-1"},
                          {"object", "chat.completion.chunk"},
                          {"choices",
                           QJsonArray{QJsonObject{
                               {"index", 0}, {"delta", delta}, {"finish_reason", QJsonValue()}}}}})
                      .toJson(QJsonDocument::Compact);
    }
    events << R"({"choices":[{"index":0,"delta":{"content":"\n<<<WHYS>>>\n- other: x"}}]})";
    events << "[DONE]";
    return ts::test::sseBody(events);
}

struct StreamFixture {
    explicit StreamFixture(int pieces) {
        server.on("POST", "/v1/chat/completions",
                  ts::test::ScriptedResponse::eventStream(answer(pieces)).splitEvery(16384));
        env = {"XDG_CONFIG_HOME=" + dir.filePath("config").toUtf8(),
               "XDG_STATE_HOME=" + dir.filePath("state").toUtf8(),
               "XDG_DATA_HOME=" + dir.filePath("data").toUtf8()};
        QProcessEnvironment processEnv = QProcessEnvironment::systemEnvironment();
        for (const QByteArray& entry : env) {
            const qsizetype equals = entry.indexOf('=');
            processEnv.insert(QString::fromUtf8(entry.left(equals)),
                              QString::fromUtf8(entry.mid(equals + 1)));
        }
        for (const QStringList& arguments :
             {QStringList{"config", "set", "openaiBaseURL", server.url("/v1").toString()},
              QStringList{"key", "set", "openai"}}) {
            QProcess setup;
            setup.setProcessEnvironment(processEnv);
            setup.start(TESSARINE_CLI_PATH, arguments);
            setup.write("sk-bench\n");
            setup.closeWriteChannel();
            setup.waitForFinished(30000);
        }
    }

    QTemporaryDir dir;
    ts::test::LoopbackModelServer server;
    std::vector<QByteArray> env;
};

StreamFixture& streamFixture(int pieces) {
    application();
    static std::map<int, std::unique_ptr<StreamFixture>> fixtures;
    std::unique_ptr<StreamFixture>& fixture = fixtures[pieces];
    if (!fixture) {
        fixture = std::make_unique<StreamFixture>(pieces);
    }
    return *fixture;
}

// Two lengths, to tell the cost per piece from the cost of starting and recording.
void CliStream(benchmark::State& state) {
    const int pieces = int(state.range(0));
    StreamFixture& fixture = streamFixture(pieces);
    report(state, {TESSARINE_CLI_PATH, "rewrite", "--no-style", "Benchmark input text"},
           fixture.env, pieces, 0, [&fixture] {
               // Every run records one review, as the first of the day would.
               QFile::remove(fixture.dir.filePath("state/tessarine/history.json"));
           });
}
BENCHMARK(CliStream)
    ->Arg(20000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void CurlStream(benchmark::State& state) {
    const int pieces = int(state.range(0));
    StreamFixture& fixture = streamFixture(pieces);
    report(state,
           {"curl", "-s", "-N", "-X", "POST", "-H", "Content-Type: application/json", "-d", "{}",
            fixture.server.url("/v1/chat/completions").toString()},
           {}, pieces, 0);
}
BENCHMARK(CurlStream)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

const bool kRegistered = (registerDiffs(), true);

}  // namespace
