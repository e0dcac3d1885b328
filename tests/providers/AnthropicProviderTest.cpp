#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/AnthropicProvider.h"

namespace ts {
namespace {

using namespace test;
using ::testing::ElementsAre;

const QString key = QStringLiteral("sk-ant-test-0123456789");

SseEvent delta(const QByteArray& text) {
    return {"content_block_delta",
            R"({"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":)" +
                text + "}}"};
}

// The event sequence of a real answer, ping included.
QList<SseEvent> transcript() {
    return {
        {"message_start",
         R"({"type":"message_start","message":{"id":"msg_1","type":"message","role":"assistant",)"
         R"("content":[],"model":"claude-sonnet-4-6","stop_reason":null,"usage":{"input_tokens":9,)"
         R"("output_tokens":1}}})"},
        {"ping", R"({"type": "ping"})"},
        {"content_block_start",
         R"({"type":"content_block_start","index":0,"content_block":{"type":"text","text":""}})"},
        delta(R"("Dear")"),
        delta(R"("")"),
        delta(R"(" Sam,\n")"),
        delta(R"("thanks 🙏")"),
        {"content_block_stop", R"({"type":"content_block_stop","index":0})"},
        {"message_delta",
         R"({"type":"message_delta","delta":{"stop_reason":"end_turn","stop_sequence":null},)"
         R"("usage":{"output_tokens":12}})"},
        {"message_stop", R"({"type":"message_stop"})"},
        delta(R"("after the end")"),
    };
}

class AnthropicProviderTest : public ::testing::Test {
protected:
    AnthropicProvider client() const { return AnthropicProvider(key, server.url("/v1")); }
    LoopbackModelServer server;
};

TEST_F(AnthropicProviderTest, CompleteSendsTheMessagesRequestAndJoinsTextBlocks) {
    server.on("POST", "/v1/messages", ScriptedResponse::json(200, R"({"id":"msg","content":[
        {"type":"text","text":"One. "},{"type":"tool_use","id":"t","name":"x","input":{}},
        {"type":"text","text":"Two."}],"stop_reason":"end_turn"})"));
    CallRecorder call(client().complete("Be kind.", "hello", "claude-sonnet-4-6"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "One. Two.");

    const auto& request = server.requests()[0];
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("x-api-key"), key.toUtf8());
    EXPECT_EQ(request.header("anthropic-version"), "2023-06-01");
    EXPECT_FALSE(request.hasHeader("Authorization"));
    EXPECT_FALSE(request.hasHeader("Accept"));
    const QJsonObject body = request.json();
    EXPECT_THAT(body.keys(),
                ElementsAre("max_tokens", "messages", "model", "system", "temperature"));
    EXPECT_EQ(body["max_tokens"], QJsonValue(2048));
    EXPECT_DOUBLE_EQ(body["temperature"].toDouble(), 0.4);
    EXPECT_EQ(body["system"].toString(), "Be kind.");
    EXPECT_EQ(body["model"].toString(), "claude-sonnet-4-6");
    const QJsonArray messages{QJsonObject{{"role", "user"}, {"content", "hello"}}};
    EXPECT_EQ(body["messages"].toArray(), messages);
}

TEST_F(AnthropicProviderTest, CompleteWithoutTextBlocksIsTheEmptyText) {
    server.on("POST", "/v1/messages", ScriptedResponse::json(200, R"({"content":[]})"));
    CallRecorder call(client().complete("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "");
}

TEST_F(AnthropicProviderTest, StreamYieldsTextDeltasAndEndsAtMessageStop) {
    for (const QByteArray& lineEnd : {QByteArray("\n"), QByteArray("\r\n")}) {
        server.enqueue(
            "POST", "/v1/messages",
            ScriptedResponse::eventStream(sseEvents(transcript(), lineEnd)).splitEvery(11, 1));
        CallRecorder call(client().stream("s", "u", "m"));
        ASSERT_TRUE(call.wait());
        EXPECT_THAT(call.pieces, ElementsAre("Dear", " Sam,\n", "thanks 🙏"));
        EXPECT_EQ(call.completed, "Dear Sam,\nthanks 🙏");
    }
    const auto& request = server.requests().last();
    EXPECT_EQ(request.header("Accept"), "text/event-stream");
    EXPECT_EQ(request.json()["stream"], QJsonValue(true));
    EXPECT_EQ(request.json()["max_tokens"], QJsonValue(2048));
}

TEST_F(AnthropicProviderTest, ListModelsReturnsEveryIdSorted) {
    server.on("GET", "/v1/models", ScriptedResponse::json(200, R"({"data":[
        {"type":"model","id":"claude-sonnet-4-6","display_name":"Sonnet"},
        {"type":"model","id":"claude-3-haiku-20240307"},{"type":"model","id":"claude-opus-4-1"}],
        "has_more":true,"first_id":"a","last_id":"b"})"));
    CallRecorder call(client().listModels());
    ASSERT_TRUE(call.wait());
    EXPECT_THAT(*call.models,
                ElementsAre("claude-3-haiku-20240307", "claude-opus-4-1", "claude-sonnet-4-6"));
    const auto& request = server.requests()[0];
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(request.header("x-api-key"), key.toUtf8());
    EXPECT_EQ(request.header("anthropic-version"), "2023-06-01");
    EXPECT_FALSE(request.hasHeader("Content-Type"));
}

}  // namespace
}  // namespace ts
