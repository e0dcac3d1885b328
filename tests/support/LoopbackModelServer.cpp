#include "LoopbackModelServer.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace ts::test {
namespace {

QByteArray routeKey(const QByteArray& method, const QByteArray& path) {
    return method + ' ' + path;
}

// How much longer than the chunks a truncated body claims to be.
constexpr qsizetype missingBytes = 1000;

}  // namespace

struct LoopbackModelServer::Connection {
    int id = 0;
    QTcpSocket* socket = nullptr;
    std::unique_ptr<QObject> pending;  // owns the timers of the response being written
    QByteArray buffer;
    bool busy = false;
    bool serverClosed = false;
    bool clientClosed = false;
};

ScriptedResponse ScriptedResponse::json(int status, const QByteArray& body) {
    return text(status, body, "application/json");
}

ScriptedResponse ScriptedResponse::text(int status, const QByteArray& body,
                                        const QByteArray& contentType) {
    ScriptedResponse response;
    response.status = status;
    response.headers = {{"Content-Type", contentType}};
    response.chunks = {{body, 0}};
    return response;
}

ScriptedResponse ScriptedResponse::eventStream(const QByteArray& body) {
    ScriptedResponse response = text(200, body, "text/event-stream");
    response.headers.append(std::pair<QByteArray, QByteArray>("Cache-Control", "no-cache"));
    return response;
}

ScriptedResponse ScriptedResponse::stalled() {
    return json(200, "").withEnding(Ending::stall);
}

QByteArray ScriptedResponse::body() const {
    QByteArray all;
    for (const Chunk& chunk : chunks) {
        all += chunk.bytes;
    }
    return all;
}

ScriptedResponse& ScriptedResponse::splitEvery(int size, int delayMs) {
    const QByteArray all = body();
    chunks.clear();
    for (qsizetype at = 0; at < all.size(); at += size) {
        chunks.append({all.mid(at, size), delayMs});
    }
    return *this;
}

ScriptedResponse& ScriptedResponse::splitAt(const QList<int>& offsets, int delayMs) {
    const QByteArray all = body();
    chunks.clear();
    qsizetype from = 0;
    for (int offset : offsets) {
        chunks.append({all.mid(from, offset - from), delayMs});
        from = offset;
    }
    chunks.append({all.mid(from), delayMs});
    return *this;
}

ScriptedResponse& ScriptedResponse::withEnding(Ending value) {
    ending = value;
    return *this;
}

QByteArray sseEvents(const QList<SseEvent>& events, const QByteArray& lineEnd) {
    QByteArray body;
    for (const SseEvent& event : events) {
        if (!event.event.isEmpty()) {
            body += "event: " + event.event + lineEnd;
        }
        body += "data: " + event.data + lineEnd + lineEnd;
    }
    return body;
}

QByteArray sseBody(const QList<QByteArray>& dataPayloads, const QByteArray& lineEnd) {
    QList<SseEvent> events;
    for (const QByteArray& payload : dataPayloads) {
        events.append({{}, payload});
    }
    return sseEvents(events, lineEnd);
}

QUrl refusedUrl(const QString& path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(probe.serverPort()).arg(path));
}

QByteArray RecordedRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

bool RecordedRequest::hasHeader(const QByteArray& name) const {
    return std::any_of(headers.begin(), headers.end(), [&](const auto& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QUrlQuery RecordedRequest::queryItems() const {
    return QUrlQuery(QString::fromUtf8(query));
}

QJsonObject RecordedRequest::json() const {
    return QJsonDocument::fromJson(body).object();
}

LoopbackModelServer::LoopbackModelServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackModelServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

LoopbackModelServer::~LoopbackModelServer() {
    for (auto& [id, connection] : m_connections) {
        connection->pending.reset();
        if (connection->socket) {
            connection->socket->disconnect(this);
            connection->socket->abort();
            delete connection->socket;
        }
    }
}

QUrl LoopbackModelServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void LoopbackModelServer::on(const QByteArray& method, const QByteArray& path,
                             ScriptedResponse response) {
    m_routes.insert(routeKey(method, path), std::move(response));
}

void LoopbackModelServer::enqueue(const QByteArray& method, const QByteArray& path,
                                  ScriptedResponse response) {
    m_queued[routeKey(method, path)].push_back(std::move(response));
}

bool LoopbackModelServer::waitForRequests(qsizetype count, int timeoutMs) const {
    return QTest::qWaitFor([&] { return m_requests.size() >= count; }, timeoutMs);
}

bool LoopbackModelServer::clientClosed(int connection) const {
    const auto it = m_connections.find(connection);
    return it != m_connections.end() && it->second->clientClosed;
}

bool LoopbackModelServer::waitForClientClose(int connection, int timeoutMs) const {
    return QTest::qWaitFor([&] { return clientClosed(connection); }, timeoutMs);
}

void LoopbackModelServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto connection = std::make_unique<Connection>();
        connection->id = m_nextConnection++;
        connection->socket = socket;
        Connection* raw = connection.get();
        m_connections.emplace(raw->id, std::move(connection));
        connect(socket, &QTcpSocket::readyRead, this, [this, raw] {
            raw->buffer += raw->socket->readAll();
            serveNext(*raw);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, raw] {
            raw->clientClosed = !raw->serverClosed;
            if (raw->pending) {
                raw->pending.release()->deleteLater();
            }
            raw->socket->disconnect(this);
            raw->socket->deleteLater();
            raw->socket = nullptr;
        });
    }
}

void LoopbackModelServer::serveNext(Connection& connection) {
    if (connection.busy || !connection.socket) {
        return;
    }
    const qsizetype headEnd = connection.buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return;
    }
    RecordedRequest request;
    request.connection = connection.id;
    const QList<QByteArray> lines = connection.buffer.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    const QByteArray target = requestLine.value(1);
    const qsizetype question = target.indexOf('?');
    request.path = question < 0 ? target : target.left(question);
    request.query = question < 0 ? QByteArray() : target.mid(question + 1);
    qsizetype contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            continue;
        }
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("content-length", Qt::CaseInsensitive) == 0) {
            contentLength = value.toLongLong();
        }
    }
    const qsizetype bodyStart = headEnd + 4;
    if (connection.buffer.size() < bodyStart + contentLength) {
        return;
    }
    request.body = connection.buffer.mid(bodyStart, contentLength);
    connection.buffer.remove(0, bodyStart + contentLength);
    const ScriptedResponse response = responseFor(request.method, request.path);
    m_requests.append(std::move(request));

    connection.busy = true;
    connection.pending = std::make_unique<QObject>();
    qsizetype length = response.body().size();
    if (response.ending != ScriptedResponse::Ending::complete) {
        length += missingBytes;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) +
                      (response.status == 200 ? " OK\r\n" : " Status\r\n");
    for (const auto& [name, value] : response.headers) {
        head += name + ": " + value + "\r\n";
    }
    connection.socket->write(head + "Content-Length: " + QByteArray::number(length) + "\r\n\r\n");
    connection.socket->flush();
    sendChunk(connection, response, 0);
}

void LoopbackModelServer::sendChunk(Connection& connection, const ScriptedResponse& response,
                                    qsizetype index) {
    if (index < response.chunks.size()) {
        QTimer::singleShot(response.chunks[index].delayMs, connection.pending.get(),
                           [this, &connection, response, index] {
                               if (connection.socket) {
                                   connection.socket->write(response.chunks[index].bytes);
                                   connection.socket->flush();
                                   sendChunk(connection, response, index + 1);
                               }
                           });
    } else if (response.ending == ScriptedResponse::Ending::complete) {
        // Not from inside the timer that is being destroyed with `pending`.
        QTimer::singleShot(0, this, [this, &connection] {
            connection.pending.reset();
            connection.busy = false;
            serveNext(connection);
        });
    } else if (response.ending == ScriptedResponse::Ending::closeMidBody) {
        connection.serverClosed = true;
        connection.socket->disconnectFromHost();
    }
}

ScriptedResponse LoopbackModelServer::responseFor(const QByteArray& method,
                                                  const QByteArray& path) {
    const QByteArray key = routeKey(method, path);
    auto queued = m_queued.find(key);
    if (queued != m_queued.end() && !queued->empty()) {
        ScriptedResponse response = std::move(queued->front());
        queued->pop_front();
        return response;
    }
    const auto standing = m_routes.constFind(key);
    if (standing != m_routes.constEnd()) {
        return *standing;
    }
    return ScriptedResponse::json(404, R"({"error":{"message":"no route for )" + key + R"("}})");
}

}  // namespace ts::test
