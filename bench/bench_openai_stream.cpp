// Streaming throughput of the chat-completions client over loopback HTTP. The raw-transfer
// case reads the same bytes without any decoding, so the difference between the two per-piece
// figures is the client's own cost.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <atomic>
#include <functional>

#include "providers/OpenAIProvider.h"

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "bench_openai_stream";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

QByteArray eventStream(int pieces) {
    QByteArray body;
    body.reserve(pieces * 200);
    for (int i = 0; i < pieces; ++i) {
        body += R"(data: {"id":"chatcmpl-1","object":"chat.completion.chunk","created":1,)"
                R"("model":"gpt-4o-mini","choices":[{"index":0,"delta":{"content":" tok)" +
                QByteArray::number(i % 100) + R"("},"logprobs":null,"finish_reason":null}]})" +
                "\n\n";
    }
    body += "data: [DONE]\n\n";
    return body;
}

// Answers every request on a connection with the same prepared response.
class BenchServer {
public:
    explicit BenchServer(QByteArray body) {
        m_response = "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body;
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto* buffer = new QByteArray;
                QObject::connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                    *buffer += socket->readAll();
                    const qsizetype head = buffer->indexOf("\r\n\r\n");
                    if (head < 0) {
                        return;
                    }
                    const qsizetype at = buffer->indexOf("Content-Length:");
                    const qsizetype length =
                        at < 0 || at > head
                            ? 0
                            : buffer->mid(at + 15, buffer->indexOf("\r\n", at) - at - 15)
                                  .trimmed()
                                  .toLongLong();
                    if (buffer->size() < head + 4 + length) {
                        return;
                    }
                    buffer->remove(0, head + 4 + length);
                    socket->write(m_response);
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

private:
    QTcpServer m_server;
    QByteArray m_response;
};

// One streamed answer; `beforeReading` runs once the call exists, before the loop reads it.
// Pieces of one read arrive together, so the text is counted, not the pieces.
qint64 streamOnce(const ts::OpenAIProvider& client, benchmark::State& state,
                  const std::function<void()>& beforeReading = {}) {
    QEventLoop loop;
    qint64 count = 0;
    std::unique_ptr<ts::ProviderCall> call = client.stream("system", "user", "gpt-4o-mini");
    QObject::connect(call.get(), &ts::ProviderCall::piece,
                     [&count](const QString& text) { count += text.size(); });
    QObject::connect(call.get(), &ts::ProviderCall::completed, &loop, &QEventLoop::quit);
    QObject::connect(call.get(), &ts::ProviderCall::failed, &loop, [&](const auto& error) {
        state.SkipWithError(error.description().toStdString().c_str());
        loop.quit();
    });
    if (beforeReading) {
        beforeReading();
    }
    loop.exec();
    return count;
}

void BM_OpenAIStream(benchmark::State& state) {
    application();
    const int pieces = static_cast<int>(state.range(0));
    BenchServer server(eventStream(pieces));
    const ts::OpenAIProvider client(QStringLiteral("sk-bench-0123456789"), server.url("/v1"));
    qint64 received = 0;
    for (auto _ : state) {
        received += streamOnce(client, state);
    }
    qint64 expected = 0;
    for (int i = 0; i < pieces; ++i) {
        expected += 4 + (i % 100 < 10 ? 1 : 2);  // " tok" and the number
    }
    if (received != expected * static_cast<qint64>(state.iterations())) {
        state.SkipWithError("pieces were lost");
    }
    state.counters["per_piece"] = benchmark::Counter(
        static_cast<double>(received), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The server in a thread of its own, so that the whole answer can be on its way while the
// client's thread is busy: a server or proxy that buffers delivers it as one large read.
class BufferedServer final : public QThread {
public:
    explicit BufferedServer(QByteArray body) : m_body(std::move(body)) {
        start();
        while (m_port.load() == 0) {
            QThread::msleep(1);
        }
    }
    ~BufferedServer() override {
        quit();
        wait();
    }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port.load()).arg(path));
    }

private:
    void run() override {
        BenchServer server(m_body);
        m_port = server.url({}).port();
        exec();
    }

    QByteArray m_body;
    std::atomic<int> m_port = 0;
};

void BM_OpenAIStreamOneRead(benchmark::State& state) {
    application();
    const int pieces = static_cast<int>(state.range(0));
    BufferedServer server(eventStream(pieces));
    const ts::OpenAIProvider client(QStringLiteral("sk-bench-0123456789"), server.url("/v1"));
    qint64 received = 0;
    for (auto _ : state) {
        state.PauseTiming();
        received += streamOnce(client, state, [&state] {
            // The request goes out; the answer piles up in the network thread meanwhile.
            QCoreApplication::processEvents();
            QThread::msleep(1500);
            state.ResumeTiming();
        });
    }
    benchmark::DoNotOptimize(received);
    state.counters["per_piece"] =
        benchmark::Counter(static_cast<double>(pieces) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RawTransfer(benchmark::State& state) {
    application();
    const int pieces = static_cast<int>(state.range(0));
    BenchServer server(eventStream(pieces));
    QNetworkAccessManager manager;
    for (auto _ : state) {
        QEventLoop loop;
        qint64 bytes = 0;
        QNetworkRequest request(server.url("/v1/chat/completions"));
        request.setRawHeader("Content-Type", "application/json");
        QNetworkReply* reply = manager.post(request, QByteArray("{}"));
        QObject::connect(reply, &QNetworkReply::readyRead,
                         [&] { bytes += reply->readAll().size(); });
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        benchmark::DoNotOptimize(bytes);
        reply->deleteLater();
    }
    state.counters["per_piece"] =
        benchmark::Counter(static_cast<double>(pieces) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_OpenAIStream)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenAIStreamOneRead)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_RawTransfer)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime();
