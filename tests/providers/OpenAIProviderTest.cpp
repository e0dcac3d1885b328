#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTest>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

using namespace test;
using ::testing::ElementsAre;

const QString key = QStringLiteral("sk-test-0123456789abcdef");

QByteArray chunk(const QByteArray& delta, const QByteArray& extra = "") {
    return R"({"id":"chatcmpl-9","object":"chat.completion.chunk","model":"gpt-4o-mini",)"
           R"("choices":[{"index":0,"delta":)" +
           delta + R"(,"logprobs":null,"finish_reason":)" + (extra.isEmpty() ? "null" : extra) +
           "}]}";
}

// A transcript as the service sends it: a role-only first chunk, text, a finish chunk, a usage
// chunk with no choices, then the end marker.
QList<QByteArray> transcript() {
    return {
        chunk(R"({"role":"assistant","content":""})"),
        chunk(R"({"content":"Hel"})"),
        chunk(R"({"content":"lo, w\u00f6rld"})"),
        chunk(R"({"content":" – done"})"),
        chunk("{}", R"("stop")"),
        R"({"id":"chatcmpl-9","object":"chat.completion.chunk","choices":[],)"
        R"("usage":{"prompt_tokens":9,"completion_tokens":4,"total_tokens":13}})",
        "[DONE]",
    };
}

class OpenAIProviderTest : public ::testing::Test {
protected:
    OpenAIProvider client() const { return OpenAIProvider(key, server.url("/v1")); }

    LoopbackModelServer server;
};

TEST_F(OpenAIProviderTest, CompleteSendsTheChatRequestAndReturnsTheFirstChoice) {
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, R"({"id":"x","choices":[
                {"index":0,"message":{"role":"assistant","content":"Better text."}},
                {"index":1,"message":{"role":"assistant","content":"Other."}}]})"));
    CallRecorder call(client().complete("", "Fix “this”\nplease", "gpt-4o-mini"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "Better text.");

    ASSERT_EQ(server.requests().size(), 1);
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.query, "");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("Authorization"), "Bearer " + key.toUtf8());
    EXPECT_FALSE(request.hasHeader("Accept"));
    EXPECT_FALSE(request.body.contains('\n'));
    const QJsonObject body = request.json();
    EXPECT_THAT(body.keys(), ElementsAre("messages", "model", "temperature"));
    EXPECT_EQ(body["model"].toString(), "gpt-4o-mini");
    EXPECT_DOUBLE_EQ(body["temperature"].toDouble(), 0.4);
    const QJsonArray messages{
        QJsonObject{{"role", "system"}, {"content", ""}},
        QJsonObject{{"role", "user"}, {"content", "Fix “this”\nplease"}},
    };
    EXPECT_EQ(body["messages"].toArray(), messages);
}

TEST_F(OpenAIProviderTest, CompleteWithNoChoicesIsTheEmptyText) {
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, R"({"choices":[]})"));
    CallRecorder call(client().complete("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "");
}

TEST_F(OpenAIProviderTest, BaseURLWithOrWithoutTrailingSlashGivesTheSameURL) {
    server.on("GET", "/custom/v1/models", ScriptedResponse::json(200, R"({"data":[]})"));
    for (const QString& base : {QStringLiteral("/custom/v1"), QStringLiteral("/custom/v1/")}) {
        CallRecorder call(OpenAICompatibleProvider(key, server.url(base)).listModels());
        ASSERT_TRUE(call.wait());
        EXPECT_EQ(call.models, QStringList());
    }
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[0].path, "/custom/v1/models");
    EXPECT_EQ(server.requests()[1].path, "/custom/v1/models");
}

struct StreamCase {
    const char* name;
    QByteArray lineEnd;
    int splitEvery;  // 0: one write
    int delayMs;
};

class OpenAIStreamTranscript : public OpenAIProviderTest,
                               public ::testing::WithParamInterface<StreamCase> {};

TEST_P(OpenAIStreamTranscript, YieldsTheTextPiecesOnly) {
    ScriptedResponse response =
        ScriptedResponse::eventStream(sseBody(transcript(), GetParam().lineEnd));
    if (GetParam().splitEvery > 0) {
        response.splitEvery(GetParam().splitEvery, GetParam().delayMs);
    }
    server.on("POST", "/v1/chat/completions", response);
    CallRecorder call(client().stream("sys", "user", "gpt-4o-mini"));
    ASSERT_TRUE(call.wait());
    // The pieces of one network read are delivered together.
    EXPECT_EQ(call.pieces.join(QString()), "Hello, wörld – done");
    if (GetParam().splitEvery == 0) {
        EXPECT_EQ(call.pieces.size(), 1);
    }
    EXPECT_EQ(call.completed, "Hello, wörld – done");
    EXPECT_FALSE(call.error.has_value());

    const auto& request = server.requests().value(0);
    EXPECT_EQ(request.header("Accept"), "text/event-stream");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("Authorization"), "Bearer " + key.toUtf8());
    EXPECT_THAT(request.json().keys(), ElementsAre("messages", "model", "stream", "temperature"));
    EXPECT_EQ(request.json()["stream"], QJsonValue(true));
}

INSTANTIATE_TEST_SUITE_P(LineEndingsAndSplits, OpenAIStreamTranscript,
                         ::testing::Values(StreamCase{"LfOneWrite", "\n", 0, 0},
                                           StreamCase{"CrLfOneWrite", "\r\n", 0, 0},
                                           StreamCase{"CrOneWrite", "\r", 0, 0},
                                           StreamCase{"CrLfEvery3Bytes", "\r\n", 3, 1},
                                           StreamCase{"LfEvery7Bytes", "\n", 7, 1},
                                           StreamCase{"CrEvery5Bytes", "\r", 5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenAIProviderTest, StreamJoinsACharacterSplitBetweenReads) {
    const QByteArray body = sseBody({chunk(R"({"content":"grüß 😀"})"), "[DONE]"});
    const int umlaut = static_cast<int>(body.indexOf("\xC3\xBC")) + 1;
    const int emoji = static_cast<int>(body.indexOf("\xF0\x9F")) + 2;
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(body).splitAt({umlaut, emoji}, 30));
    CallRecorder call(client().stream("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    EXPECT_THAT(call.pieces, ElementsAre("grüß 😀"));
}

TEST_F(OpenAIProviderTest, StreamDeliversEachPieceBeforeTheBodyEnds) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(sseBody({chunk(R"({"content":"first"})")}))
                  .withEnding(ScriptedResponse::Ending::stall));
    CallRecorder call(client().stream("s", "u", "m"));
    ASSERT_TRUE(call.waitForPieces(1));
    EXPECT_THAT(call.pieces, ElementsAre("first"));
    EXPECT_FALSE(call.finished());
}

TEST_F(OpenAIProviderTest, StreamWithoutDoneEndsWithTheBody) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(sseBody({chunk(R"({"content":"only"})")})));
    CallRecorder call(client().stream("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "only");
}

// An owner may drop the call from its own signal; nothing of the call may be touched after.
TEST_F(OpenAIProviderTest, OwnerMayDropTheCallFromItsOwnSignals) {
    const QByteArray bodies[] = {
        sseBody({chunk(R"({"content":"A"})"), "[DONE]"}),
        sseBody({chunk(R"({"content":"A"})"), R"({"error":{"message":"gone"}})"}),
    };
    for (const QByteArray& body : bodies) {
        // Cut inside the last event, so its line is joined from two reads.
        server.on("POST", "/v1/chat/completions",
                  ScriptedResponse::eventStream(body).splitAt({int(body.size()) - 5}, 20));
        std::unique_ptr<ProviderCall> call = client().stream("s", "u", "m");
        bool ended = false;
        const auto drop = [&] {
            call.reset();
            ended = true;
        };
        QObject::connect(call.get(), &ProviderCall::completed, drop);
        QObject::connect(call.get(), &ProviderCall::failed, drop);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 10000));
    }
}

TEST_F(OpenAIProviderTest, ListModelsKeepsChatModelsSorted) {
    server.on("GET", "/v1/models", ScriptedResponse::json(200, R"({"object":"list","data":[
        {"id":"gpt-4o","object":"model"},{"id":"gpt-4o-realtime-preview"},
        {"id":"text-embedding-3-small"},{"id":"o3-mini"},{"id":"whisper-1"},{"id":"o1"},
        {"id":"chatgpt-4o-latest"},{"id":"gpt-4o-mini-search-preview"},{"id":"gpt-4o"},
        {"id":"o4-mini"},{"id":"gpt-3.5-turbo-instruct"},{"id":"gpt-4o-mini-tts"},
        {"id":"gpt-4o-audio-preview"},{"id":"omni-moderation-latest"},{"id":"GPT-5"}]})"));
    CallRecorder call(client().listModels());
    ASSERT_TRUE(call.wait());
    EXPECT_THAT(*call.models, ElementsAre("gpt-4o", "gpt-4o", "o1", "o3-mini", "o4-mini"));
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.header("Authorization"), "Bearer " + key.toUtf8());
    EXPECT_FALSE(request.hasHeader("Content-Type"));
    EXPECT_FALSE(request.hasHeader("Accept"));

    // A compatible server's models are named as it likes; none may be hidden.
    CallRecorder custom(OpenAICompatibleProvider(key, server.url("/v1")).listModels());
    ASSERT_TRUE(custom.wait());
    EXPECT_EQ(custom.models->size(), 15);
}

TEST_F(OpenAIProviderTest, EveryStatusOutside2xxIsAnHttpError) {
    // Qt files these under different error ranges of its own; none may read as a broken
    // connection or as an answer.
    for (int status : {300, 400, 402, 405, 407, 409, 410, 413, 418, 422, 451, 500, 501, 502, 503,
                       504, 529, 599}) {
        const QByteArray body =
            R"({"error":{"message":"status )" + QByteArray::number(status) + R"("}})";
        server.on("POST", "/v1/chat/completions", ScriptedResponse::json(status, body));
        CallRecorder whole(client().complete("s", "u", "m"));
        CallRecorder streamed(client().stream("s", "u", "m"));
        ASSERT_TRUE(whole.wait() && streamed.wait());
        for (const CallRecorder* call : {&whole, &streamed}) {
            ASSERT_NE(call->llmError(), nullptr) << status;
            EXPECT_EQ(call->llmError()->kind(), LLMError::Kind::httpError);
            EXPECT_EQ(call->llmError()->status(), status);
            EXPECT_EQ(call->llmError()->text(), QString::fromUtf8(body));
        }
    }
}

TEST_F(OpenAIProviderTest, BaseURLWithoutHttpIsATransportErrorNotAStatus) {
    CallRecorder call(OpenAICompatibleProvider(key, QUrl("gopher://127.0.0.1/v1")).listModels());
    ASSERT_TRUE(call.wait());
    ASSERT_NE(call.transportError(), nullptr);
    EXPECT_EQ(call.transportError()->code(), QNetworkReply::ProtocolUnknownError);
    EXPECT_EQ(call.llmError(), nullptr);
}

}  // namespace
}  // namespace ts
