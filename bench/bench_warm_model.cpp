// What asking the local runtime to load the model ahead buys, against a loopback server that takes
// 2 s to load a model before its first answer: the in-place rewrite from the hotkey to the first
// answer text (the load overlaps the copy out of a real editor, mousepad on the test X server),
// and a request sent 1 s after the main window was shown. Argument 0 is today's behaviour (no
// load asked for), 1 the warmed one. Times in milliseconds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/platform/x11/X11Platform.h"
#include "providers/OllamaWarmer.h"
#include "providers/ProviderFactory.h"
#include "session/ModelWarmup.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

namespace {

using namespace ts;

constexpr int kLoadMs = 2000;
const QByteArray kAnswer = "Could you send the numbers?\n<<<WHYS>>>\n- clarity: x";

bool spinUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void spinFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    spinUntil([&] { return clock.elapsed() >= ms; }, ms + 100);
}

// The local runtime as far as timing goes: a model is in memory only after a 2 s load, which the
// first request that needs it (a load request or a chat request) starts; the others wait for it.
class SlowLocalServer final : public QObject {
public:
    SlowLocalServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString baseURL() const {
        return QStringLiteral("http://127.0.0.1:%1/v1").arg(server_.serverPort());
    }
    void unload() {
        loaded_ = false;
        loading_ = false;
        firstText_ = -1;
    }
    // Milliseconds on `clock` when the first answer text went out; -1 before.
    qint64 firstText() const { return firstText_; }
    qint64 chatArrived() const { return chatArrived_; }
    QElapsedTimer clock;

private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = buffers_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        qsizetype length = 0;
        for (const QByteArray& line : buffer.left(end).split('\n')) {
            if (line.toLower().startsWith("content-length:")) {
                length = line.mid(15).trimmed().toLongLong();
            }
        }
        if (buffer.size() < end + 4 + length) {
            return;
        }
        const QByteArray path = buffer.left(end).split(' ').value(1);
        buffers_.remove(socket);
        if (path == "/api/ps") {
            reply(socket, "application/json",
                  loaded_ ? R"({"models":[{"name":"llama3.1:latest","model":"llama3.1:latest"}]})"
                          : R"({"models":[]})");
            return;
        }
        const bool chat = path.endsWith("/chat/completions");
        if (chat) {
            chatArrived_ = clock.elapsed();
        }
        whenLoaded([this, socket, chat] {
            if (!chat) {
                reply(socket, "application/json", R"({"done":true})");
                return;
            }
            firstText_ = clock.elapsed();
            const QByteArray piece =
                QJsonDocument(
                    QJsonObject{
                        {"choices",
                         QJsonArray{QJsonObject{
                             {"index", 0},
                             {"delta", QJsonObject{{"content", QString::fromUtf8(kAnswer)}}}}}}})
                    .toJson(QJsonDocument::Compact);
            reply(socket, "text/event-stream", "data: " + piece + "\n\ndata: [DONE]\n\n");
        });
    }
    void whenLoaded(std::function<void()> then) {
        if (loaded_) {
            then();
            return;
        }
        waiting_.push_back(std::move(then));
        if (!loading_) {
            loading_ = true;
            QTimer::singleShot(kLoadMs, Qt::PreciseTimer, this, [this] {
                loaded_ = true;
                for (const auto& next : std::exchange(waiting_, {})) {
                    next();
                }
            });
        }
    }
    static void reply(QTcpSocket* socket, const QByteArray& type, const QByteArray& body) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type +
                      "\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
    std::vector<std::function<void()>> waiting_;
    bool loaded_ = false;
    bool loading_ = false;
    qint64 firstText_ = -1;
    qint64 chatArrived_ = -1;
};

QByteArray tool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    spinUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
    return process.readAllStandardOutput();
}

// The application, the X11 desktop with mousepad focused, the settings and the server.
struct Setup {
    Setup() {
        qputenv("QT_QPA_PLATFORM", "xcb");
        app = std::make_unique<QApplication>(argc, argv);
        platform = std::make_unique<X11Platform>();
        server = std::make_unique<SlowLocalServer>();
        settings = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("tessarine.conf")));
        settings->setProvider(ProviderKind::ollama);
        settings->setOllamaBaseURL(server->baseURL());
        history = std::make_unique<HistoryStore>(dir.filePath(QStringLiteral("history.json")));
        const QString path = dir.filePath(QStringLiteral("bench-warm.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        file.write("so could you maybe send the numbers");
        file.close();
        editor.start(QStringLiteral("mousepad"), {QStringLiteral("--disable-server"), path});
        QByteArray window;
        spinUntil(
            [&] {
                window = tool(QStringLiteral("xdotool"),
                              {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), QStringLiteral("bench-warm.txt")})
                             .trimmed();
                return !window.isEmpty();
            },
            20000);
        tool(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                         QString::fromLatin1(window.split('\n').last())});
        ready = spinUntil(
            [&] {
                const auto front = platform->platform().frontmost.current();
                return front && front->windowClass == QLatin1String("Mousepad");
            },
            10000);
        // Let the fresh window take keystrokes before the first measurement.
        spinFor(500);
    }
    ~Setup() {
        editor.kill();
        editor.waitForFinished(5000);
    }

    int argc = 1;
    char name[17] = "bench_warm_model";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<X11Platform> platform;
    QTemporaryDir dir;
    std::unique_ptr<SlowLocalServer> server;  // after the application, in its thread
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<HistoryStore> history;
    MemoryKeyStore keys;
    QProcess editor;
    bool ready = false;
};

Setup* setup(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("needs an X server (run through scripts/run-benchmarks.sh)");
        return nullptr;
    }
    static Setup instance;
    if (!instance.ready) {
        state.SkipWithError("mousepad did not come up focused");
        return nullptr;
    }
    return &instance;
}

void warmNow(Setup& s) {
    // A fresh warmer each time: the once-a-minute rule is not what is measured.
    static std::unique_ptr<OllamaWarmer> warmer;
    warmer = std::make_unique<OllamaWarmer>();
    warmer->warm(*localModelToWarm(*s.settings));
}

void BM_InPlaceHotkeyToFirstText(benchmark::State& state) {
    Setup* s = setup(state);
    if (s == nullptr) {
        return;
    }
    const bool warm = state.range(0) == 1;
    Platform p = s->platform->platform();
    InPlaceRunner runner(InPlaceRunner::Services{
        p, RequestServices{*s->settings, s->keys, [s]() -> HistoryStore& { return *s->history; }},
        [](const QString&, ToastKind, auto) {}, [] {}});
    bool finished = false;
    QObject::connect(&runner, &InPlaceRunner::requestFinished, [&] { finished = true; });
    double requestAt = 0;
    for (auto _ : state) {
        s->server->unload();
        p.keys.send(KeyChord{'a', Modifier::control});
        spinFor(100);
        finished = false;
        s->server->clock.start();
        if (warm) {
            warmNow(*s);
        }
        runner.runInPlace(Mode::rewrite);
        if (!spinUntil([&] { return finished; }, 15000) || s->server->firstText() < 0) {
            state.SkipWithError("the rewrite did not finish");
            return;
        }
        state.SetIterationTime(static_cast<double>(s->server->firstText()) / 1e3);
        requestAt += static_cast<double>(s->server->chatArrived());
    }
    // When the model request reached the server: the copy and capture that a load overlaps.
    state.counters["request_at_ms"] = requestAt / static_cast<double>(state.iterations());
}
BENCHMARK(BM_InPlaceHotkeyToFirstText)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_RequestOneSecondAfterTheWindowShows(benchmark::State& state) {
    Setup* s = setup(state);
    if (s == nullptr) {
        return;
    }
    const bool warm = state.range(0) == 1;
    for (auto _ : state) {
        s->server->unload();
        s->server->clock.start();
        if (warm) {
            warmNow(*s);
        }
        spinFor(1000);
        const qint64 sentAt = s->server->clock.elapsed();
        const std::unique_ptr<LLMProvider> provider = makeProvider(ProviderConfig{
            ProviderKind::ollama, QString(), QString(), s->settings->ollamaBaseURL()});
        const std::unique_ptr<ProviderCall> call = provider->stream(
            QStringLiteral("system"), QStringLiteral("text"), QStringLiteral("llama3.1"));
        bool first = false;
        qint64 firstAt = 0;
        QObject::connect(call.get(), &ProviderCall::piece, [&] {
            if (!first) {
                first = true;
                firstAt = s->server->clock.elapsed();
            }
        });
        if (!spinUntil([&] { return first; }, 15000)) {
            state.SkipWithError("no answer text");
            return;
        }
        state.SetIterationTime(static_cast<double>(firstAt - sentAt) / 1e3);
    }
}
BENCHMARK(BM_RequestOneSecondAfterTheWindowShows)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
