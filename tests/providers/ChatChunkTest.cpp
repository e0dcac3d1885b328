#include <gtest/gtest.h>

#include "providers/AnthropicProvider.h"
#include "providers/ChatChunk.h"
#include "providers/StreamTextCache.h"
#include "providers/WireFormat.h"

// The chunk reader that skips the JSON document must never disagree with the decoder: it either
// gives the decoder's text or leaves the chunk to it.
namespace ts {
namespace {

// What the stream decoder makes of a chunk when no fast path is taken.
std::optional<QString> decoded(const QByteArray& payload) {
    const std::optional<QJsonObject> chunk = wire::parseObject(payload);
    if (!chunk || chunk->contains(QLatin1String("error"))) {
        return std::nullopt;
    }
    return chatChunk::text(*chunk);
}

const QByteArray kHead = R"({"id":"c1","object":"chat.completion.chunk","choices":[{"index":0,)";

QByteArray usual(const QByteArray& content) {
    return kHead + R"("delta":{"content":)" + content + R"(},"finish_reason":null}]})";
}

const struct {
    const char* name;
    QByteArray payload;
    bool fast;  // whether the usual shape is recognised without the decoder
} kRows[] = {
    {"plain", usual(R"("Hello")"), true},
    {"escapes", usual(R"("a\"b\\c\/d\n\t\r\b\f")"), true},
    {"unicode escapes and a surrogate pair", usual(R"("caf\u00e9 \ud83d\ude00")"), true},
    {"lone surrogate", usual(R"("\ud83d x")"), false},
    {"raw UTF-8", usual("\"gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80\""), true},
    {"not UTF-8", usual("\"bad \xFF\""), false},
    {"raw line break", usual("\"a\nb\""), false},
    {"null text", usual("null"), true},
    {"role first", kHead + R"("delta":{"role":"assistant","content":""}}]})", true},
    {"empty delta", kHead + R"("delta":{}}]})", true},
    {"other member order",
     R"({"choices":[{"delta":{"content":"x","role":"assistant"},"index":0}],"id":"c"})", true},
    {"spaces everywhere", R"({ "choices" : [ { "delta" : { "content" : "x" } } ] })", true},
    {"names inside the text", usual(R"("say \"delta\", \"index\" and \"error\"")"), true},
    {"extra delta member", kHead + R"("delta":{"content":"x","refusal":null}}]})", false},
    {"content parts", kHead + R"("delta":{"content":[{"type":"text","text":"x"}]}}]})", false},
    {"two choices",
     R"({"choices":[{"index":0,"delta":{"content":"a"}},{"index":1,"delta":{"content":"b"}}]})",
     false},
    {"cut short", usual(R"("x")").chopped(1), false},
    {"trailing garbage", usual(R"("x")") + "}", false},
    {"error member", R"({"error":{"message":"m"},"choices":[{"delta":{"content":"x"}}]})", false},
    {"second choice without delta",
     R"({"choices":[{"delta":{"content":"a"}},{"finish_reason":"stop"}]})", false},
    {"delta outside the choices", R"({"choices":[],"x":{"delta":{"content":"hi"}}})", false},
    {"choices not at the top", R"({"x":{"choices":[{"delta":{"content":"hi"}}]}})", false},
    {"bad literal after", R"({"choices":[{"delta":{"content":"hi"}}],"a":tru})", false},
    {"double comma", R"({"choices":[{"delta":{"content":"hi"}}],,})", false},
    {"trailing comma in an array", R"({"choices":[{"delta":{"content":"hi"}}],"a":[1,2,]})", false},
    {"brackets crossed", R"({"choices":[{"delta":{"content":"hi"}]}})", false},
    {"escaped duplicate of choices",
     R"({"choices":[{"delta":{"content":"hi"}}],"cho\u0069ces":[]})", false},
    {"escaped error", R"({"err\u006fr":{"message":"m"},"choices":[{"delta":{"content":"hi"}}]})",
     false},
    {"error type", R"({"type":"error","choices":[{"delta":{"content":"hi"}}]})", false},
};

TEST(ChatChunk, FastReadingAgreesWithTheDecoder) {
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.name);
        const std::optional<QString> fast = chatChunk::fastText(row.payload);
        EXPECT_EQ(fast.has_value(), row.fast);
        if (fast) {
            EXPECT_EQ(fast, decoded(row.payload));
        }
    }
}

TEST(ChatChunk, RepeatedShapeIsReadOnlyWhereItIsTheSame) {
    StreamTextCache cache("content", &chatChunk::decodedText);
    const QByteArray first = usual(R"("Hello")");
    cache.learn(first, "Hello");
    const struct {
        QByteArray payload;
        std::optional<QString> text;
    } rows[] = {
        {usual(R"(" world \u00e9")"), " world é"},
        {usual(R"("")"), ""},
        {usual(R"("a","refusal":"b")"), std::nullopt},  // no longer one string
        {usual(R"("a\")"), std::nullopt},
        {usual("null"), std::nullopt},
        {R"({"id":"c2","object":"chat.completion.chunk","choices":[{"index":0,"delta":{"content":"x"},"finish_reason":null}]})",
         std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.payload.toStdString());
        const std::optional<QString> text = cache.text(row.payload);
        EXPECT_EQ(text, row.text);
        if (text) {
            EXPECT_EQ(text, decoded(row.payload));
        }
    }
    // A name spelt with escapes may be a second member of that name: nothing is learnt.
    StreamTextCache escaped("text", &AnthropicProvider::deltaText);
    escaped.learn(R"({"type":"content_block_delta","delta":{"text":"a","te\u0078t":"a"}})", "a");
    EXPECT_FALSE(
        escaped.text(R"({"type":"content_block_delta","delta":{"text":"ZZ","te\u0078t":"a"}})")
            .has_value());
    // A chunk whose string is not the text the decoder found teaches nothing.
    StreamTextCache wrong("content", &chatChunk::decodedText);
    wrong.learn(first, "Other");
    EXPECT_FALSE(wrong.text(usual(R"("x")")).has_value());
}

}  // namespace
}  // namespace ts
