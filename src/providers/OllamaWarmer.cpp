#include "providers/OllamaWarmer.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>

#include "providers/NetworkAccess.h"
#include "providers/OllamaInstaller.h"
#include "providers/WireFormat.h"

Q_LOGGING_CATEGORY(lcWarm, "tessarine.providers.warm")

namespace ts {
namespace {

constexpr int kListingTimeoutMs = 2000;
// A large model on a slow disk takes its time; the reply is only read to be let go.
constexpr int kLoadTimeoutMs = 300000;

qint64 steadyMs() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

QString keyOf(const OllamaWarmer::Target& target) {
    return target.root.toString() + u' ' + target.model;
}

QString keepAliveText(const QJsonValue& value) {
    return value.isString() ? value.toString() : QString::number(value.toInteger());
}

// api/ps lists what is in memory; a model asked for without a tag is loaded as name:latest.
bool reportsLoaded(const QByteArray& body, const QString& model) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    if (!root) {
        return false;
    }
    for (const QJsonValue& entry : root->value(QLatin1String("models")).toArray()) {
        for (const char* member : {"name", "model"}) {
            if (OllamaInstaller::satisfies(entry[QLatin1String(member)].toString(), model)) {
                return true;
            }
        }
    }
    return false;
}

QByteArray generateBody(const QString& model, const QJsonValue& keepAlive) {
    return QJsonDocument(QJsonObject{{QStringLiteral("model"), model},
                                     {QStringLiteral("keep_alive"), keepAlive}})
        .toJson(QJsonDocument::Compact);
}

}  // namespace

OllamaWarmer::OllamaWarmer(Clock clock, QObject* parent)
    : QObject(parent), clock_(clock ? std::move(clock) : Clock(steadyMs)) {}

OllamaWarmer::~OllamaWarmer() = default;

void OllamaWarmer::warm(const Target& target) {
    if (target.model.isEmpty() || !target.root.isValid()) {
        return;
    }
    const QString key = keyOf(target);
    const qint64 now = clock_();
    const auto last = lastTried_.constFind(key);
    if (last != lastTried_.cend() && now - *last < kInterval.count()) {
        return;
    }
    lastTried_.insert(key, now);
    QNetworkRequest request(wire::appendPath(target.root, QStringLiteral("api/ps")));
    request.setTransferTimeout(kListingTimeoutMs);
    QNetworkReply* reply = threadNetworkManager().get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, target] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 0) {
            // No server to ask: the request will say so itself.
            qCInfo(lcWarm, "local server not reachable (%s); nothing loaded",
                   qUtf8Printable(reply->errorString()));
            emit looked(target.model, false);
            return;
        }
        // A server too old to list what it holds gets the load anyway.
        if (status >= 200 && status <= 299 && reportsLoaded(reply->readAll(), target.model)) {
            qCInfo(lcWarm, "local model %s already loaded", qUtf8Printable(target.model));
            emit looked(target.model, false);
            return;
        }
        sendLoad(target);
        emit looked(target.model, true);
    });
}

void OllamaWarmer::sendLoad(const Target& target) {
    qCInfo(lcWarm, "asking the local server to load %s (keep_alive %s)",
           qUtf8Printable(target.model), qUtf8Printable(keepAliveText(target.keepAlive)));
    QNetworkRequest request(wire::appendPath(target.root, QStringLiteral("api/generate")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setTransferTimeout(kLoadTimeoutMs);
    QNetworkReply* reply =
        threadNetworkManager().post(request, generateBody(target.model, target.keepAlive));
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    if (target.keepAlive.isDouble() && target.keepAlive.toInteger() < 0) {
        held_.insert(keyOf(target), target);
    }
}

void OllamaWarmer::releaseHeld(std::chrono::milliseconds bound) {
    QElapsedTimer spent;
    spent.start();
    const auto left = [&] { return std::max<int>(1, int(bound.count() - spent.elapsed())); };
    for (const Target& target : std::as_const(held_)) {
        if (target.root.scheme() != QLatin1String("http") || spent.elapsed() >= bound.count()) {
            qCInfo(lcWarm, "%s left loaded", qUtf8Printable(target.model));
            continue;
        }
        // Plain blocking socket: this runs after the event loop has ended.
        QTcpSocket socket;
        socket.connectToHost(target.root.host(), target.root.port(80));
        const QByteArray body = generateBody(target.model, 0);
        const QByteArray path = wire::appendPath(target.root, QStringLiteral("api/generate"))
                                    .path(QUrl::FullyEncoded)
                                    .toUtf8();
        const bool sent =
            socket.waitForConnected(left()) &&
            socket.write("POST " + path + " HTTP/1.1\r\nHost: " + target.root.host().toUtf8() +
                         "\r\nContent-Type: application/json\r\nContent-Length: " +
                         QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body) >
                0 &&
            socket.waitForBytesWritten(left());
        // The answer says the server has acted; a closed connection could cancel it.
        const bool answered = sent && socket.waitForReadyRead(left());
        qCInfo(lcWarm, "released %s: %s", qUtf8Printable(target.model),
               answered ? "done" : "no answer");
    }
    held_.clear();
}

}  // namespace ts
