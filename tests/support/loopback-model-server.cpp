// A scripted model server beside a process under test:
//   loopback-model-server SCRIPT.json [--requests LOG.jsonl]
// prints its port on standard output, then serves until killed. With --requests every request
// is appended to LOG as one JSON object per line (method, path, query, headers, body).
//
// SCRIPT: {"routes": [{"method": "POST", "path": "/v1/chat/completions", "status": 200,
//   "headers": {"Content-Type": "text/event-stream"}, "body": "...", "sse": ["payload", ...],
//   "chunks": [{"data": "...", "delayMs": 5}], "splitEvery": 7, "delayMs": 2,
//   "ending": "complete" | "close" | "stall", "headDelayMs": 0, "once": false}]}
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <cstdio>

#include "LoopbackModelServer.h"

using ts::test::LoopbackModelServer;
using ts::test::ScriptedResponse;

namespace {

ScriptedResponse responseFromJson(const QJsonObject& route) {
    ScriptedResponse response;
    response.status = route.value(QLatin1String("status")).toInt(200);
    const QJsonObject headers = route.value(QLatin1String("headers")).toObject();
    for (auto it = headers.begin(); it != headers.end(); ++it) {
        response.headers.append({it.key().toUtf8(), it.value().toString().toUtf8()});
    }
    if (route.contains(QLatin1String("sse"))) {
        QList<QByteArray> payloads;
        for (const QJsonValue& payload : route.value(QLatin1String("sse")).toArray()) {
            payloads.append(payload.isString()
                                ? payload.toString().toUtf8()
                                : QJsonDocument(payload.toObject()).toJson(QJsonDocument::Compact));
        }
        response.chunks = {{ts::test::sseBody(payloads), 0}};
        if (headers.isEmpty()) {
            response.headers = {{"Content-Type", "text/event-stream"}};
        }
    } else if (route.contains(QLatin1String("chunks"))) {
        for (const QJsonValue& chunk : route.value(QLatin1String("chunks")).toArray()) {
            response.chunks.append({chunk[QLatin1String("data")].toString().toUtf8(),
                                    chunk[QLatin1String("delayMs")].toInt()});
        }
    } else {
        const QJsonValue body = route.value(QLatin1String("body"));
        response.chunks = {{body.isString()
                                ? body.toString().toUtf8()
                                : QJsonDocument(body.toObject()).toJson(QJsonDocument::Compact),
                            0}};
        if (headers.isEmpty()) {
            response.headers = {{"Content-Type", "application/json"}};
        }
    }
    if (const int size = route.value(QLatin1String("splitEvery")).toInt(); size > 0) {
        response.splitEvery(size, route.value(QLatin1String("delayMs")).toInt());
    }
    const QString ending = route.value(QLatin1String("ending")).toString();
    if (ending == QLatin1String("close")) {
        response.ending = ScriptedResponse::Ending::closeMidBody;
    } else if (ending == QLatin1String("stall")) {
        response.ending = ScriptedResponse::Ending::stall;
    }
    response.headDelayMs = route.value(QLatin1String("headDelayMs")).toInt();
    return response;
}

QJsonObject requestToJson(const ts::test::RecordedRequest& request) {
    QJsonObject headers;
    for (const auto& [name, value] : request.headers) {
        headers.insert(QString::fromUtf8(name).toLower(), QString::fromUtf8(value));
    }
    return QJsonObject{{QStringLiteral("method"), QString::fromUtf8(request.method)},
                       {QStringLiteral("path"), QString::fromUtf8(request.path)},
                       {QStringLiteral("query"), QString::fromUtf8(request.query)},
                       {QStringLiteral("headers"), headers},
                       {QStringLiteral("body"), QString::fromUtf8(request.body)}};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: loopback-model-server SCRIPT.json [--requests LOG]\n");
        return 2;
    }
    QFile scriptFile(args[1]);
    if (!scriptFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 2;
    }
    const QJsonObject script = QJsonDocument::fromJson(scriptFile.readAll()).object();
    const qsizetype logAt = args.indexOf(QStringLiteral("--requests"));
    const QString logPath = logAt > 0 ? args.value(logAt + 1) : QString();

    LoopbackModelServer server;
    if (!server.isListening()) {
        std::fprintf(stderr, "cannot listen on the loopback interface\n");
        return 1;
    }
    for (const QJsonValue& value : script.value(QLatin1String("routes")).toArray()) {
        const QJsonObject route = value.toObject();
        const QByteArray method = route.value(QLatin1String("method")).toString("GET").toUtf8();
        const QByteArray path = route.value(QLatin1String("path")).toString().toUtf8();
        if (route.value(QLatin1String("once")).toBool()) {
            server.enqueue(method, path, responseFromJson(route));
        } else {
            server.on(method, path, responseFromJson(route));
        }
    }

    qsizetype logged = 0;
    QTimer logTimer;
    if (!logPath.isEmpty()) {
        QObject::connect(&logTimer, &QTimer::timeout, [&] {
            QFile log(logPath);
            if (logged == server.requests().size() || !log.open(QIODevice::Append)) {
                return;
            }
            for (; logged < server.requests().size(); ++logged) {
                log.write(QJsonDocument(requestToJson(server.requests()[logged]))
                              .toJson(QJsonDocument::Compact) +
                          '\n');
            }
        });
        logTimer.start(10);
    }
    std::printf("%u\n", static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    return app.exec();
}
