// Failure paths that every client shares, run against each client over loopback HTTP.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTest>
#include <functional>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/AnthropicProvider.h"
#include "providers/GeminiProvider.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using test::CallRecorder;
using test::LoopbackModelServer;
using test::ScriptedResponse;

// Characters a URL query would change, so redaction must catch the encoded form too.
const QString key = QStringLiteral("k3y+S3CRET/value=0123456789");

enum class Operation { complete, stream, listModels };

struct ClientCase {
    const char* name;
    QString basePath;
    std::function<std::unique_ptr<LLMProvider>(QString, QUrl, ClientOptions)> make;
    QByteArray generatePath;  // complete and stream
    QByteArray listPath;
    bool streamsIncrementally;
};

std::unique_ptr<ProviderCall> start(const LLMProvider& client, Operation operation) {
    switch (operation) {
        case Operation::complete:
            return client.complete("system", "user", "m1");
        case Operation::stream:
            return client.stream("system", "user", "m1");
        case Operation::listModels:
            return client.listModels();
    }
    return nullptr;
}

const Operation allOperations[] = {Operation::complete, Operation::stream, Operation::listModels};

const char* nameOf(Operation operation) {
    switch (operation) {
        case Operation::complete:
            return "complete";
        case Operation::stream:
            return "stream";
        case Operation::listModels:
            return "listModels";
    }
    return "";
}

class ProviderFailure : public ::testing::TestWithParam<ClientCase> {
protected:
    std::unique_ptr<LLMProvider> client(QString apiKey = key, ClientOptions options = {}) const {
        return GetParam().make(std::move(apiKey), server.url(GetParam().basePath), options);
    }
    QByteArray pathOf(Operation operation) const {
        return operation == Operation::listModels ? GetParam().listPath : GetParam().generatePath;
    }
    QByteArray methodOf(Operation operation) const {
        return operation == Operation::listModels ? "GET" : "POST";
    }
    void route(Operation operation, const ScriptedResponse& response) {
        server.on(methodOf(operation), pathOf(operation), response);
    }
    static ScriptedResponse stalled() {
        ScriptedResponse response = ScriptedResponse::eventStream("");
        response.ending = ScriptedResponse::Ending::stall;
        return response;
    }

    LoopbackModelServer server;
};

TEST_P(ProviderFailure, EmptyKeyFailsWithoutAnyTraffic) {
    for (Operation operation : allOperations) {
        CallRecorder call(start(*client(QString()), operation));
        ASSERT_TRUE(call.wait()) << nameOf(operation);
        ASSERT_NE(call.llmError(), nullptr);
        EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::missingAPIKey);
        EXPECT_EQ(call.error->description(), "API key is missing. Open Settings and add one.");
        EXPECT_TRUE(call.pieces.isEmpty());
    }
    QTest::qWait(50);
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_P(ProviderFailure, ErrorStatusCarriesTheStatusAndTheStartOfTheBody) {
    // Seven lines of 150 characters: 1,056 characters with the line feeds.
    QByteArray body;
    for (char c = 'a'; c < 'h'; ++c) {
        body += QByteArray(150, c) + '\n';
    }
    for (Operation operation : allOperations) {
        route(operation, ScriptedResponse::text(401, body));
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(call.wait()) << nameOf(operation);
        ASSERT_NE(call.llmError(), nullptr) << nameOf(operation);
        EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::httpError);
        EXPECT_EQ(call.llmError()->status(), 401);
        const bool wholeLines = operation == Operation::stream && GetParam().streamsIncrementally;
        const QString expected = wholeLines
                                     ? QString(150, 'a') + QString(150, 'b') + QString(150, 'c')
                                     : QString::fromLatin1(body.left(400));
        EXPECT_EQ(call.llmError()->text(), expected) << nameOf(operation);
        EXPECT_EQ(call.error->description(),
                  "API key rejected. Open Settings → Provider and re-check the key.");
    }
}

TEST_P(ProviderFailure, ErrorStreamStopsReadingPastTheErrorTextAndCloses) {
    if (!GetParam().streamsIncrementally) {
        GTEST_SKIP() << "answers whole";
    }
    ScriptedResponse response =
        ScriptedResponse::text(429, QByteArray(300, 'r') + '\n' + QByteArray(300, 's') + '\n');
    response.ending = ScriptedResponse::Ending::stall;
    route(Operation::stream, response);
    CallRecorder call(start(*client(), Operation::stream));
    ASSERT_TRUE(call.wait());
    ASSERT_NE(call.llmError(), nullptr);
    EXPECT_EQ(call.llmError()->status(), 429);
    EXPECT_EQ(call.llmError()->text(), QString(300, 'r') + QString(300, 's'));
    EXPECT_TRUE(server.waitForClientClose(server.requests().last().connection, 5000));
}

TEST_P(ProviderFailure, ErrorStatusWithShortJsonBodyShowsTheProviderMessage) {
    for (Operation operation : allOperations) {
        route(operation,
              ScriptedResponse::json(400, R"({"error":{"message":"model: field required"}})"));
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(call.wait());
        ASSERT_TRUE(call.error.has_value()) << nameOf(operation);
        EXPECT_EQ(call.error->description(),
                  "The provider rejected the request: model: field required");
    }
}

TEST_P(ProviderFailure, NoDataForTheInactivityTimeoutIsATimedOutTransportError) {
    for (Operation operation : allOperations) {
        route(operation, stalled());
        CallRecorder call(start(*client(key, ClientOptions{300ms}), operation));
        ASSERT_TRUE(call.wait(20000)) << nameOf(operation);
        ASSERT_NE(call.transportError(), nullptr) << nameOf(operation);
        EXPECT_EQ(call.transportError()->kind(), TransportError::Kind::timedOut);
        EXPECT_EQ(call.error->description(), "The request timed out.");
        EXPECT_GE(call.finishedAfterMs, 250);
    }
}

TEST_P(ProviderFailure, RefusedConnectionIsACannotConnectTransportError) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    QUrl base = server.url(GetParam().basePath);
    base.setPort(closed.serverPort());
    closed.close();
    for (Operation operation : allOperations) {
        CallRecorder call(start(*GetParam().make(key, base, {}), operation));
        ASSERT_TRUE(call.wait()) << nameOf(operation);
        ASSERT_NE(call.transportError(), nullptr);
        EXPECT_EQ(call.transportError()->kind(), TransportError::Kind::cannotConnect);
        EXPECT_EQ(call.transportError()->code(), QNetworkReply::ConnectionRefusedError);
        EXPECT_FALSE(call.error->description().isEmpty());
    }
}

TEST_P(ProviderFailure, StoppingTheCallClosesTheConnectionAtOnce) {
    for (Operation operation : allOperations) {
        route(operation, stalled());
        const qsizetype before = server.requests().size();
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(server.waitForRequests(before + 1)) << nameOf(operation);
        const int connection = server.requests().last().connection;
        // Half the operations are stopped by abort(), half by destroying the call.
        if (operation == Operation::stream) {
            call.call()->abort();
        } else {
            call.stop();
        }
        EXPECT_TRUE(server.waitForClientClose(connection, 5000)) << nameOf(operation);
        QTest::qWait(20);
        EXPECT_FALSE(call.finished());
    }
}

TEST_P(ProviderFailure, NoTextLeavingTheClientContainsTheKey) {
    const QByteArray encoded = QUrl::toPercentEncoding(key);
    const QByteArray echo =
        R"({"error":{"message":"bad key )" + key.toUtf8() + " (" + encoded + R"x()"}})x";
    ScriptedResponse cut = ScriptedResponse::eventStream("data: {\"partial");
    cut.ending = ScriptedResponse::Ending::closeMidBody;
    for (const ScriptedResponse& response :
         {ScriptedResponse::json(400, echo), ScriptedResponse::json(422, echo), cut, stalled()}) {
        for (Operation operation : allOperations) {
            route(operation, response);
            CallRecorder call(start(*client(key, ClientOptions{300ms}), operation));
            ASSERT_TRUE(call.wait(20000)) << nameOf(operation);
            ASSERT_TRUE(call.error.has_value());
            const QString description = call.error->description();
            EXPECT_FALSE(description.contains(key)) << description.toStdString();
            EXPECT_FALSE(description.contains(QString::fromLatin1(encoded)))
                << description.toStdString();
            if (call.llmError()) {
                EXPECT_FALSE(call.llmError()->text().contains(key));
                EXPECT_TRUE(call.llmError()->text().contains(QStringLiteral("[redacted]")));
            }
            if (call.transportError()) {
                EXPECT_FALSE(call.transportError()->description().contains(encoded));
            }
        }
    }
}

TEST_P(ProviderFailure, ConnectionLostMidBodyIsATransportError) {
    ScriptedResponse cut = ScriptedResponse::json(200, R"({"choices":[{"mess)");
    cut.ending = ScriptedResponse::Ending::closeMidBody;
    for (Operation operation : allOperations) {
        route(operation, cut);
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(call.wait()) << nameOf(operation);
        ASSERT_NE(call.transportError(), nullptr) << nameOf(operation);
        EXPECT_EQ(call.transportError()->kind(), TransportError::Kind::other);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, ProviderFailure,
    ::testing::Values(ClientCase{"OpenAI", "/v1",
                                 [](QString k, QUrl u, ClientOptions o) {
                                     return std::make_unique<OpenAIProvider>(
                                         k, u, ProviderKind::openai, o);
                                 },
                                 "/v1/chat/completions", "/v1/models", true},
                      ClientCase{"Custom", "/api/v1/",
                                 [](QString k, QUrl u, ClientOptions o) {
                                     return std::make_unique<OpenAICompatibleProvider>(k, u, o);
                                 },
                                 "/api/v1/chat/completions", "/api/v1/models", true},
                      ClientCase{"Anthropic", "/v1",
                                 [](QString k, QUrl u, ClientOptions o) {
                                     return std::make_unique<AnthropicProvider>(k, u, o);
                                 },
                                 "/v1/messages", "/v1/models", true},
                      ClientCase{"Gemini", "/v1beta",
                                 [](QString k, QUrl u, ClientOptions o) {
                                     return std::make_unique<GeminiProvider>(k, u, o);
                                 },
                                 "/v1beta/models/m1:generateContent", "/v1beta/models", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProviderInactivityTimeout, StreamThatKeepsDeliveringIsNotCutOff) {
    LoopbackModelServer server;
    QList<QByteArray> payloads;
    for (int i = 0; i < 12; ++i) {
        payloads.append(R"({"choices":[{"delta":{"content":"x"}}]})");
    }
    payloads.append("[DONE]");
    ScriptedResponse response = ScriptedResponse::eventStream(test::sseBody(payloads));
    // One event every 100 ms for 1.2 s, against a 500 ms inactivity limit.
    response.splitEvery(static_cast<int>(test::sseBody({payloads[0]}).size()), 100);
    server.on("POST", "/v1/chat/completions", response);
    CallRecorder call(OpenAIProvider(key, server.url("/v1"), ProviderKind::openai, {500ms})
                          .stream("s", "u", "m"));
    ASSERT_TRUE(call.wait(20000));
    EXPECT_EQ(call.completed, QString(12, 'x'));
}

}  // namespace
}  // namespace ts
