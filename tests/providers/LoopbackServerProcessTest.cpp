// The stand-alone server that other processes' tests run beside the program under test.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "CallRecorder.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

TEST(LoopbackServerProcess, ServesTheScriptAndLogsRequests) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QJsonObject script{
        {"routes", QJsonArray{QJsonObject{
                       {"method", "POST"},
                       {"path", "/v1/chat/completions"},
                       {"sse", QJsonArray{R"({"choices":[{"delta":{"content":"he"}}]})",
                                          R"({"choices":[{"delta":{"content":"y"}}]})", "[DONE]"}},
                       {"splitEvery", 5},
                       {"delayMs", 1}}}}};
    QFile file(dir.filePath("script.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(script).toJson());
    file.close();

    QProcess server;
    server.start(QStringLiteral(TS_LOOPBACK_SERVER),
                 {file.fileName(), "--requests", dir.filePath("requests.jsonl")});
    ASSERT_TRUE(server.waitForReadyRead(10000));
    const int port = server.readLine().trimmed().toInt();
    ASSERT_GT(port, 0);

    test::CallRecorder call(
        OpenAIProvider("sk-process-test", QUrl(QStringLiteral("http://127.0.0.1:%1/v1").arg(port)))
            .stream("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "hey");

    QFile log(dir.filePath("requests.jsonl"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.exists() && log.size() > 0; }, 5000));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QJsonObject request = QJsonDocument::fromJson(log.readLine()).object();
    EXPECT_EQ(request["path"].toString(), "/v1/chat/completions");
    EXPECT_EQ(request["headers"]["authorization"].toString(), "Bearer sk-process-test");
    server.kill();
    server.waitForFinished();
}

}  // namespace
}  // namespace ts
