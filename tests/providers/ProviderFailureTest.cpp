// Failure paths that every client shares, run against each client over loopback HTTP.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <variant>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/AnthropicProvider.h"
#include "providers/EventStreamReader.h"
#include "providers/GeminiProvider.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using namespace test;

// Characters a URL query would change, so redaction must catch the encoded form too.
const QString key = QStringLiteral("k3y+S3CRET/value=0123456789");

struct ClientCase {
    const char* name;
    QString basePath;
    QByteArray generatePath;  // complete and stream
    QByteArray listPath;
    bool streamsIncrementally;
    std::function<std::unique_ptr<LLMProvider>(QString, QUrl, ClientOptions)> make;

    QByteArray pathOf(Operation operation) const {
        return operation == Operation::listModels ? listPath : generatePath;
    }
};

QByteArray methodOf(Operation operation) {
    return operation == Operation::listModels ? "GET" : "POST";
}

template <typename Client, typename... Extra>
auto maker(Extra... extra) {
    return [=](QString k, QUrl u, ClientOptions o) -> std::unique_ptr<LLMProvider> {
        return std::make_unique<Client>(k, u, extra..., o);
    };
}

const ClientCase kOpenAI{"OpenAI",     "/v1", "/v1/chat/completions",
                         "/v1/models", true,  maker<OpenAIProvider>(ProviderKind::openai)};
const ClientCase kCustom{"Custom",         "/api/v1/", "/api/v1/chat/completions",
                         "/api/v1/models", true,       maker<OpenAICompatibleProvider>()};
const ClientCase kAnthropic{"Anthropic",  "/v1", "/v1/messages",
                            "/v1/models", true,  maker<AnthropicProvider>()};
const ClientCase kGemini{"Gemini",         "/v1beta", "/v1beta/models/m1:generateContent",
                         "/v1beta/models", false,     maker<GeminiProvider>()};

const auto caseName = [](const auto& info) { return std::string(info.param.name); };

class ProviderFailure : public ::testing::TestWithParam<ClientCase> {
protected:
    std::unique_ptr<LLMProvider> client(QString apiKey = key, ClientOptions options = {}) const {
        return GetParam().make(std::move(apiKey), server.url(GetParam().basePath), options);
    }
    void route(Operation operation, const ScriptedResponse& response) {
        server.on(methodOf(operation), GetParam().pathOf(operation), response);
    }

    LoopbackModelServer server;
};

struct FailureRow {
    const char* name;
    std::optional<ScriptedResponse> response;  // none: nothing listens
    QString apiKey;
    std::variant<LLMError, TransportError::Kind> expected;  // an LLMError of this kind and status
    QString description;                                    // empty: any, but not empty
};

const QByteArray kGoogleKey = R"({
  "error": {
    "code": 400,
    "message": "API key not valid. Please pass a valid API key.",
    "status": "INVALID_ARGUMENT",
    "details": [
      {
        "@type": "type.googleapis.com/google.rpc.ErrorInfo",
        "reason": "API_KEY_INVALID",
        "domain": "googleapis.com",
        "metadata": {
          "service": "generativelanguage.googleapis.com"
        }
      },
      {
        "@type": "type.googleapis.com/google.rpc.LocalizedMessage",
        "locale": "en-US",
        "message": "API key not valid. Please pass a valid API key."
      }
    ]
  }
}
)";
const QByteArray kMissingModel = R"({"error":{"type":"invalid_request_error","detail":")" +
                                 QByteArray(600, 'x') +
                                 R"(","message":"The model gpt-9 does not exist."}})";
const QByteArray kEscapedKey =
    R"({"error":{"message":"Incorrect API key provided: k)" + key.toUtf8().sliced(1) + R"(."}})";
const ScriptedResponse kCutShort = ScriptedResponse::json(200, R"({"choices":[{"mess)")
                                       .withEnding(ScriptedResponse::Ending::closeMidBody);
const FailureRow kFailures[] = {
    {"empty key", ScriptedResponse::json(200, "{}"), QString(), LLMError::missingAPIKey(),
     "API key is missing. Open Settings and add one."},
    {"short JSON error",
     ScriptedResponse::json(400, R"({"error":{"message":"model: field required"}})"), key,
     LLMError::httpError(400, {}), "The provider rejected the request: model: field required"},
    // Read whole before it is cut, by every operation, streamed or not.
    {"pretty-printed JSON error longer than the kept text", ScriptedResponse::json(400, kGoogleKey),
     key, LLMError::httpError(400, {}),
     "The provider rejected the request: API key not valid. Please pass a valid API key."},
    {"long 404 naming the model", ScriptedResponse::json(404, kMissingModel), key,
     LLMError::httpError(404, {}),
     "Model not found. Open Settings → Provider and pick one that's available for this provider."},
    {"key spelt with a JSON escape", ScriptedResponse::json(400, kEscapedKey), key,
     LLMError::httpError(400, {}),
     "The provider rejected the request: Incorrect API key provided: [redacted]."},
    {"no data for the inactivity limit", ScriptedResponse::stalled(), key,
     TransportError::Kind::timedOut, "The request timed out."},
    {"refused connection", std::nullopt, key, TransportError::Kind::cannotConnect, {}},
    {"connection lost mid-body", kCutShort, key, TransportError::Kind::other, {}},
};

TEST_P(ProviderFailure, EachFailureIsReportedAsWhatItIs) {
    for (const FailureRow& row : kFailures) {
        const int connections = server.connectionCount();
        const auto* transport = std::get_if<TransportError::Kind>(&row.expected);
        const bool silent = transport && *transport == TransportError::Kind::timedOut;
        for (Operation operation : allOperations) {
            SCOPED_TRACE(std::string(row.name) + ", " + nameOf(operation));
            std::unique_ptr<LLMProvider> provider;
            const QUrl refused = refusedUrl(GetParam().basePath);
            if (row.response) {
                route(operation, *row.response);
                provider = client(row.apiKey, silent ? ClientOptions{300ms} : ClientOptions{});
            } else {
                provider = GetParam().make(key, refused, {});
            }
            CallRecorder call(start(*provider, operation));
            ASSERT_TRUE(call.wait(20000));
            ASSERT_TRUE(call.error.has_value());
            EXPECT_TRUE(call.pieces.isEmpty());
            if (transport) {
                ASSERT_NE(call.transportError(), nullptr);
                EXPECT_EQ(call.transportError()->kind(), *transport);
            } else {
                ASSERT_NE(call.llmError(), nullptr);
                EXPECT_EQ(call.llmError()->kind(), std::get<LLMError>(row.expected).kind());
                EXPECT_EQ(call.llmError()->status(), std::get<LLMError>(row.expected).status());
            }
            if (row.description.isEmpty()) {
                EXPECT_FALSE(call.error->description().isEmpty());
            } else {
                EXPECT_EQ(call.error->description(), row.description);
            }
            if (!row.response) {
                EXPECT_EQ(call.transportError()->code(), QNetworkReply::ConnectionRefusedError);
                EXPECT_EQ(call.error->description(),
                          QStringLiteral("Couldn't connect to 127.0.0.1:%1. Is the server running?")
                              .arg(refused.port()));
            }
            if (silent) {
                EXPECT_GE(call.finishedAfterMs, 250);
            }
        }
        if (row.apiKey.isEmpty()) {
            QTest::qWait(50);
            EXPECT_EQ(server.connectionCount(), connections) << "no traffic without a key";
        }
    }
}

TEST_P(ProviderFailure, ErrorStatusCarriesTheStatusAndTheStartOfTheBody) {
    // Seven lines of 150 characters: 1,056 characters with the line feeds.
    QByteArray body;
    for (char c = 'a'; c < 'h'; ++c) {
        body += QByteArray(150, c) + '\n';
    }
    for (Operation operation : allOperations) {
        SCOPED_TRACE(nameOf(operation));
        route(operation, ScriptedResponse::text(401, body));
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(call.wait());
        ASSERT_NE(call.llmError(), nullptr);
        EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::httpError);
        EXPECT_EQ(call.llmError()->status(), 401);
        const bool wholeLines = operation == Operation::stream && GetParam().streamsIncrementally;
        EXPECT_EQ(call.llmError()->text(),
                  wholeLines ? QString(150, 'a') + QString(150, 'b') + QString(150, 'c')
                             : QString::fromLatin1(body.left(400)));
        EXPECT_EQ(call.error->description(),
                  "API key rejected. Open Settings → Provider and re-check the key.");
    }
}

TEST_P(ProviderFailure, StoppingTheCallClosesTheConnectionAtOnce) {
    for (Operation operation : allOperations) {
        SCOPED_TRACE(nameOf(operation));
        route(operation, ScriptedResponse::stalled());
        const qsizetype before = server.requests().size();
        CallRecorder call(start(*client(), operation));
        ASSERT_TRUE(server.waitForRequests(before + 1));
        const int connection = server.requests().last().connection;
        // Half the operations are stopped by abort(), half by destroying the call.
        if (operation == Operation::stream) {
            call.call()->abort();
        } else {
            call.stop();
        }
        EXPECT_TRUE(server.waitForClientClose(connection, 5000));
        QTest::qWait(20);
        EXPECT_FALSE(call.finished());
    }
}

TEST_P(ProviderFailure, NoTextLeavingTheClientContainsTheKey) {
    const QByteArray encoded = QUrl::toPercentEncoding(key);
    const QByteArray echo =
        R"({"error":{"message":"bad key )" + key.toUtf8() + " (" + encoded + R"x()"}})x";
    const ScriptedResponse cut = ScriptedResponse::eventStream("data: {\"partial")
                                     .withEnding(ScriptedResponse::Ending::closeMidBody);
    for (const ScriptedResponse& response :
         {ScriptedResponse::json(400, echo), ScriptedResponse::json(422, echo), cut,
          ScriptedResponse::stalled()}) {
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

INSTANTIATE_TEST_SUITE_P(Clients, ProviderFailure,
                         ::testing::Values(kOpenAI, kCustom, kAnthropic, kGemini), caseName);

// Clients that read an error body line by line (Gemini reads answers whole).
using StreamingProviderFailure = ProviderFailure;

TEST_P(StreamingProviderFailure, ErrorStreamStopsReadingPastTheErrorTextAndCloses) {
    route(Operation::stream,
          ScriptedResponse::text(429, QByteArray(300, 'r') + '\n' + QByteArray(300, 's') + '\n')
              .withEnding(ScriptedResponse::Ending::stall));
    CallRecorder call(start(*client(), Operation::stream));
    ASSERT_TRUE(call.wait());
    ASSERT_NE(call.llmError(), nullptr);
    EXPECT_EQ(call.llmError()->status(), 429);
    EXPECT_EQ(call.llmError()->text(), QString(300, 'r') + QString(300, 's'));
    EXPECT_TRUE(server.waitForClientClose(server.requests().last().connection, 5000));
}

TEST_P(StreamingProviderFailure, LinePastTheBoundEndsTheStreamWithAClearError) {
    const QByteArray line = "data: " + QByteArray(EventStreamReader::kMaxLineBytes, 'z');
    route(Operation::stream, ScriptedResponse::eventStream(line + "\n\n"));
    CallRecorder call(start(*client(), Operation::stream));
    ASSERT_TRUE(call.wait(20000));
    ASSERT_NE(call.llmError(), nullptr);
    EXPECT_EQ(call.error->description(),
              "Couldn't parse the provider's response. The server sent a line longer than 1 MB.");
}

INSTANTIATE_TEST_SUITE_P(Clients, StreamingProviderFailure,
                         ::testing::Values(kOpenAI, kCustom, kAnthropic), caseName);

// Answers of status 200 that do not decode.
struct DecodeRow {
    const char* name;
    const ClientCase* client;
    Operation operation;
    QByteArray body;
};

class DecodeFailure : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(DecodeFailure, IsAnInvalidResponse) {
    const DecodeRow& row = GetParam();
    LoopbackModelServer server;
    server.on(methodOf(row.operation), row.client->pathOf(row.operation),
              ScriptedResponse::json(200, row.body));
    CallRecorder call(
        start(*row.client->make(key, server.url(row.client->basePath), {}), row.operation));
    ASSERT_TRUE(call.wait());
    EXPECT_TRUE(call.pieces.isEmpty());
    ASSERT_NE(call.llmError(), nullptr);
    EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::invalidResponse);
    EXPECT_TRUE(call.error->description().startsWith("Couldn't parse the provider's response."));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DecodeFailure,
    ::testing::Values(
        DecodeRow{"OpenAINullContent", &kOpenAI, Operation::complete,
                  R"({"choices":[{"message":{"content":null}}]})"},
        DecodeRow{"OpenAINoContent", &kOpenAI, Operation::complete,
                  R"({"choices":[{"message":{"role":"assistant"}}]})"},
        DecodeRow{"OpenAINoChoices", &kOpenAI, Operation::complete, R"({"object":"list"})"},
        DecodeRow{"OpenAINotJson", &kOpenAI, Operation::complete, "not json"},
        DecodeRow{"OpenAIModelWithoutId", &kOpenAI, Operation::listModels,
                  R"({"data":[{"id":"o1"},{}]})"},
        DecodeRow{"AnthropicNoContent", &kAnthropic, Operation::complete, R"({"type":"message"})"},
        DecodeRow{"GeminiCandidateWithoutParts", &kGemini, Operation::stream,
                  R"({"candidates":[{"content":{"role":"model"}}]})"}),
    caseName);

TEST(ProviderInactivityTimeout, StreamThatKeepsDeliveringIsNotCutOff) {
    LoopbackModelServer server;
    QList<QByteArray> payloads(12, R"({"choices":[{"delta":{"content":"x"}}]})");
    payloads.append("[DONE]");
    ScriptedResponse response = ScriptedResponse::eventStream(sseBody(payloads));
    // One event every 100 ms for 1.2 s, against a 500 ms inactivity limit.
    response.splitEvery(static_cast<int>(sseBody({payloads[0]}).size()), 100);
    server.on("POST", "/v1/chat/completions", response);
    CallRecorder call(OpenAIProvider(key, server.url("/v1"), ProviderKind::openai, {500ms})
                          .stream("s", "u", "m"));
    ASSERT_TRUE(call.wait(20000));
    EXPECT_EQ(call.completed, QString(12, 'x'));
}

}  // namespace
}  // namespace ts
