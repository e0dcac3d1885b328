#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/AnthropicProvider.h"
#include "providers/GeminiProvider.h"
#include "providers/LLMError.h"
#include "providers/OpenAIProvider.h"

// Streams as real servers send them, for each protocol: each row is one response body and the
// text or the sentence the user ends up with.
namespace ts {
namespace {

using namespace test;

enum class Protocol { chat, messages, gemini };

struct PayloadRow {
    const char* name;
    Protocol protocol;
    QByteArray body;
    QString text;  // the answer, when there is no error
    QString error;
    QByteArray contentType = "text/event-stream";
};

QByteArray chunk(const QByteArray& delta) {
    return R"({"id":"c","object":"chat.completion.chunk","choices":[{"index":0,"delta":)" + delta +
           "}]}";
}

QByteArray delta(const QByteArray& text) {
    return R"({"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":")" +
           text + R"("}})";
}

QString status(int code) {
    return LLMError::httpError(code, {}).description();
}

QString reported(const QString& message) {
    return LLMError::reported(message).description();
}

const QByteArray kStop = "event: message_stop\ndata: {\"type\":\"message_stop\"}\n\n";

const PayloadRow kRows[] = {
    {"ChatDataWithoutSpace",
     Protocol::chat,
     "data:" + chunk(R"({"content":"A"})") + "\n\ndata:[DONE]\n\n",
     "A",
     {}},
    {"ChatDataOverTwoLines",
     Protocol::chat,
     "data: {\"choices\":[{\"delta\":\ndata: {\"content\":\"A\"}}]}\n\ndata: [DONE]\n\n",
     "A",
     {}},
    {"ChatCommentsAndOtherFields",
     Protocol::chat,
     ": keep-alive\n\nevent: message\nid: 7\nretry: 100\ndata: " + chunk(R"({"content":"B"})") +
         "\n\n" + "data: [DONE]\n\ndata: " + chunk(R"({"content":"after the end"})") + "\n\n",
     "B",
     {}},
    {"ChatRoleUsageAndEmptyChoices",
     Protocol::chat,
     sseBody({chunk(R"({"role":"assistant","content":""})"), chunk(R"({"content":"A"})"),
              chunk(R"({"content":null})"), chunk("{}"), R"({"choices":[],"usage":{"total":3}})",
              chunk(R"({"content":"B"})"), "[DONE]"}),
     "AB",
     {}},
    {"ChatBrokenChunkIsSkipped",
     Protocol::chat,
     sseBody({chunk(R"({"content":"A"})"), R"({"choices":[{"delta":{"cont)",
              chunk(R"({"content":7})"), chunk(R"({"content":"B"})")}),
     "AB",
     {}},
    {"ChatContentParts",
     Protocol::chat,
     sseBody({chunk(R"({"content":[{"type":"text","text":"A"},{"type":"text","text":"B"}]})"),
              "[DONE]"}),
     "AB",
     {}},
    {"ChatLastEventWithoutBlankLine",
     Protocol::chat,
     "data: " + chunk(R"({"content":"A"})") + "\r\n\r\ndata: " + chunk(R"({"content":"B"})"),
     "AB",
     {}},
    {"ChatErrorInvalidKey",
     Protocol::chat,
     sseBody(
         {chunk(R"({"content":"A"})"),
          R"({"error":{"message":"Incorrect API key","type":"invalid_request_error","code":"invalid_api_key"}})"}),
     {},
     status(401)},
    {"ChatErrorRateLimit",
     Protocol::chat,
     sseBody(
         {R"({"error":{"message":"Slow down","type":"requests","code":"rate_limit_exceeded"}})"}),
     {},
     status(429)},
    {"ChatErrorNumericOverload",
     Protocol::chat,
     sseBody({R"({"error":{"message":"Busy","code":503}})"}),
     {},
     status(503)},
    {"ChatErrorOtherInItsOwnWords",
     Protocol::chat,
     sseBody(
         {R"({"error":{"message":"Context too long","type":"invalid_request_error","code":"context_length_exceeded"}})"}),
     {},
     reported("Context too long")},
    {"ChatErrorAsText",
     Protocol::chat,
     sseBody({R"({"error":"upstream went away"})"}),
     {},
     reported("upstream went away")},
    {"ChatErrorEvent",
     Protocol::chat,
     "event: error\ndata: {\"message\":\"boom\"}\n\n",
     {},
     reported("boom")},
    {"ChatWholeJsonAnswer",
     Protocol::chat,
     R"({"choices":[{"message":{"role":"assistant","content":"Whole answer"}}]})",
     "Whole answer",
     {},
     "application/json"},
    {"ChatWholeJsonAnswerWithParts",
     Protocol::chat,
     R"({"choices":[{"message":{"content":[{"type":"text","text":"A"},{"type":"text","text":"B"}]}}]})",
     "AB",
     {},
     "application/json; charset=utf-8"},
    {"MessagesDataWithoutSpace",
     Protocol::messages,
     "event: content_block_delta\ndata:" + delta("A") + "\n\n" + kStop,
     "A",
     {}},
    {"MessagesPingsAndBrokenEventsSkipped",
     Protocol::messages,
     "event: ping\ndata: {\"type\":\"ping\"}\n\ndata: {\"type\":\"content_block_delta\",\"delta\":"
     "{\"te\n\ndata: {\"delta\":{\"text\":\"no type\"}}\n\n" +
         sseEvents({{"content_block_delta", delta("B")}}) + kStop,
     "B",
     {}},
    {"MessagesOverloaded",
     Protocol::messages,
     sseEvents(
         {{"content_block_delta", delta("A")},
          {"error",
           R"({"type":"error","error":{"type":"overloaded_error","message":"Overloaded"}})"}}),
     {},
     status(529)},
    {"MessagesRejectedKey",
     Protocol::messages,
     sseEvents({{"error", R"({"type":"error","error":{"type":"authentication_error"}})"}}),
     {},
     status(401)},
    {"MessagesRateLimited",
     Protocol::messages,
     sseEvents({{"error", R"({"type":"error","error":{"type":"rate_limit_error"}})"}}),
     {},
     status(429)},
    {"MessagesOtherError",
     Protocol::messages,
     sseEvents(
         {{"error", R"({"type":"error","error":{"type":"api_error","message":"Internal"}})"}}),
     {},
     reported("Internal")},
    {"MessagesErrorEventWithMessage",
     Protocol::messages,
     sseEvents({{"error", R"({"message":"Stream broke"})"}}),
     {},
     reported("Stream broke")},
    {"MessagesWholeJsonAnswer",
     Protocol::messages,
     R"({"type":"message","content":[{"type":"text","text":"Whole"}]})",
     "Whole",
     {},
     "application/json"},
    {"GeminiBlockedPrompt",
     Protocol::gemini,
     R"({"promptFeedback":{"blockReason":"SAFETY"}})",
     {},
     "Gemini blocked this response (SAFETY).",
     "application/json"},
    {"GeminiBlockedCandidate",
     Protocol::gemini,
     R"({"candidates":[{"content":{"role":"model"},"finishReason":"RECITATION"}]})",
     {},
     "Gemini blocked this response (RECITATION).",
     "application/json"},
    {"GeminiCandidateWithoutContent",
     Protocol::gemini,
     R"({"candidates":[{"finishReason":"PROHIBITED_CONTENT"}]})",
     {},
     "Gemini blocked this response (PROHIBITED_CONTENT).",
     "application/json"},
    {"GeminiCutAtTheTokenLimit",
     Protocol::gemini,
     R"({"candidates":[{"content":{"parts":[{"text":"Half"}]},"finishReason":"MAX_TOKENS"}]})",
     "Half",
     {},
     "application/json"},
    {"GeminiThoughtsLeftOut",
     Protocol::gemini,
     R"({"candidates":[{"content":{"parts":[{"text":"Hmm","thought":true},{"text":"Answer"}]}}]})",
     "Answer",
     {},
     "application/json"},
};

class StreamPayload : public ::testing::TestWithParam<PayloadRow> {};

TEST_P(StreamPayload, GivesTheTextOrTheSentence) {
    const PayloadRow& row = GetParam();
    LoopbackModelServer server;
    std::unique_ptr<LLMProvider> client;
    QByteArray path;
    switch (row.protocol) {
        case Protocol::chat:
            client = std::make_unique<OpenAIProvider>("sk-test", server.url("/v1"));
            path = "/v1/chat/completions";
            break;
        case Protocol::messages:
            client = std::make_unique<AnthropicProvider>("sk-ant", server.url("/v1"));
            path = "/v1/messages";
            break;
        case Protocol::gemini:
            client = std::make_unique<GeminiProvider>("AIza", server.url("/v1beta"));
            path = "/v1beta/models/m:generateContent";
            break;
    }
    server.on("POST", path, ScriptedResponse::text(200, row.body, row.contentType));
    CallRecorder call(client->stream("s", "u", "m"));
    ASSERT_TRUE(call.wait());
    if (row.error.isEmpty()) {
        EXPECT_EQ(call.pieces.join(QString()), row.text);
        EXPECT_EQ(call.completed, row.text);
    } else {
        ASSERT_TRUE(call.error.has_value());
        EXPECT_EQ(call.error->description(), row.error);
        EXPECT_FALSE(call.completed.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Protocols, StreamPayload, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ts
