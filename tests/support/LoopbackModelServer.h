#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>
#include <deque>
#include <map>
#include <memory>
#include <utility>

namespace ts::test {

// What the server answers to one request.
struct ScriptedResponse {
    struct Chunk {
        QByteArray bytes;
        int delayMs = 0;  // before this chunk is written
    };
    enum class Ending {
        complete,      // the body as announced; the connection stays open for the next request
        closeMidBody,  // a longer body is announced, the chunks are sent, then the server closes
        stall,         // a longer body is announced, the chunks are sent, then nothing more
    };

    int status = 200;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QList<Chunk> chunks;
    Ending ending = Ending::complete;

    static ScriptedResponse json(int status, const QByteArray& body);
    static ScriptedResponse text(int status, const QByteArray& body,
                                 const QByteArray& contentType = "text/plain; charset=utf-8");
    static ScriptedResponse eventStream(const QByteArray& body);
    // A 200 whose announced body never comes.
    static ScriptedResponse stalled();

    QByteArray body() const;
    // The same body in pieces of `size` bytes (splitting lines, CR LF pairs and characters
    // wherever they fall), each written `delayMs` after the previous one.
    ScriptedResponse& splitEvery(int size, int delayMs = 0);
    // The same body cut at the given byte offsets.
    ScriptedResponse& splitAt(const QList<int>& offsets, int delayMs = 0);
    ScriptedResponse& withEnding(Ending value);
};

// Event-stream bodies.
struct SseEvent {
    QByteArray event;  // no "event:" line when empty
    QByteArray data;
};
QByteArray sseEvents(const QList<SseEvent>& events, const QByteArray& lineEnd = "\n");
QByteArray sseBody(const QList<QByteArray>& dataPayloads, const QByteArray& lineEnd = "\n");

// A loopback address nobody listens on: connections to it are refused.
QUrl refusedUrl(const QString& path);

struct RecordedRequest {
    int connection = 0;
    QByteArray method;
    QByteArray path;   // without the query
    QByteArray query;  // without the "?"
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // Case-insensitive; empty when absent.
    QByteArray header(const QByteArray& name) const;
    bool hasHeader(const QByteArray& name) const;
    QUrlQuery queryItems() const;
    QJsonObject json() const;
};

// A loopback HTTP/1.1 server that answers scripted responses by method and path and records
// every request and how each connection ended. Unrouted requests get a JSON 404.
class LoopbackModelServer final : public QObject {
public:
    explicit LoopbackModelServer(QObject* parent = nullptr);
    ~LoopbackModelServer() override;

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    // http://127.0.0.1:port followed by `path`.
    QUrl url(const QString& path = QString()) const;

    // The answer to every request for method and path (the last one set wins).
    void on(const QByteArray& method, const QByteArray& path, ScriptedResponse response);
    // A one-time answer, used before the standing one.
    void enqueue(const QByteArray& method, const QByteArray& path, ScriptedResponse response);

    const QList<RecordedRequest>& requests() const { return m_requests; }
    bool waitForRequests(qsizetype count, int timeoutMs = 10000) const;

    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // Whether the client closed the connection (as opposed to the server).
    bool clientClosed(int connection) const;
    bool waitForClientClose(int connection, int timeoutMs = 10000) const;

private:
    struct Connection;

    void onNewConnection();
    void serveNext(Connection& connection);
    void sendChunk(Connection& connection, const ScriptedResponse& response, qsizetype index);
    ScriptedResponse responseFor(const QByteArray& method, const QByteArray& path);

    QTcpServer m_server;
    QHash<QByteArray, ScriptedResponse> m_routes;
    QHash<QByteArray, std::deque<ScriptedResponse>> m_queued;
    QList<RecordedRequest> m_requests;
    std::map<int, std::unique_ptr<Connection>> m_connections;
    int m_nextConnection = 1;
};

}  // namespace ts::test
