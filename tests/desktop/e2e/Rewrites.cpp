#include "Rewrites.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "X11TestTools.h"

namespace ts::test {

ScriptedResponse rewriteAnswer(const QString& improved) {
    const QJsonObject message{{"role", "assistant"},
                              {"content", improved + "\n<<<WHYS>>>\n- clarity: x"}};
    const QJsonObject choice{{"index", 0}, {"message", message}, {"finish_reason", "stop"}};
    return ScriptedResponse::json(
        200,
        QJsonDocument(QJsonObject{{"choices", QJsonArray{choice}}}).toJson(QJsonDocument::Compact));
}

QList<RecordedRequest> chatRequests(const LoopbackModelServer& server) {
    QList<RecordedRequest> out;
    for (const RecordedRequest& request : server.requests()) {
        if (request.path.endsWith("/chat/completions")) {
            out.append(request);
        }
    }
    return out;
}

bool waitForChatRequests(const LoopbackModelServer& server, qsizetype count, int timeoutMs) {
    return QTest::qWaitFor([&] { return chatRequests(server).size() >= count; }, timeoutMs);
}

QString lastUserMessage(const LoopbackModelServer& server) {
    const QList<RecordedRequest> chats = chatRequests(server);
    return chats.isEmpty() ? QString() : chats.last().json()["messages"][1]["content"].toString();
}

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool saveUntil(const QString& path, const QString& expected) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        xdotool({"key", "ctrl+s"});
        if (QTest::qWaitFor([&] { return fileText(path) == expected.toUtf8(); }, 500)) {
            return true;
        }
    }
    return false;
}

}  // namespace ts::test
