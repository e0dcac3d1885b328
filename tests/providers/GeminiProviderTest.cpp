#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/GeminiProvider.h"

namespace ts {
namespace {

using namespace test;
using ::testing::ElementsAre;

const QString key = QStringLiteral("AIza-test&key=+0123456789");

const QByteArray twoCandidates = R"({"candidates":[
    {"content":{"role":"model","parts":[{"text":"a"},{"inlineData":{}},{"text":"b"}]}},
    {"content":{"role":"model","parts":[{"text":"c"},{"text":"d"}]},"finishReason":"STOP"}]})";

class GeminiProviderTest : public ::testing::Test {
protected:
    GeminiProvider client(const QString& base = QStringLiteral("/v1beta")) const {
        return GeminiProvider(key, server.url(base));
    }
    LoopbackModelServer server;
};

TEST_F(GeminiProviderTest, CompleteSendsTheKeyAsAQueryParameterOnly) {
    server.on("POST", "/v1beta/models/gemini-2.5-flash:generateContent",
              ScriptedResponse::json(200, twoCandidates));
    CallRecorder call(client().complete("Sys", "User text", "gemini-2.5-flash"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "abcd");

    const auto& request = server.requests()[0];
    EXPECT_EQ(request.queryItems().queryItemValue("key", QUrl::FullyDecoded), key);
    EXPECT_EQ(request.queryItems().queryItems().size(), 1);
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_FALSE(request.hasHeader("Authorization"));
    EXPECT_FALSE(request.hasHeader("x-goog-api-key"));
    for (const auto& [name, value] : request.headers) {
        EXPECT_FALSE(value.contains("AIza")) << name.constData();
    }
    const QJsonObject body = request.json();
    EXPECT_THAT(body.keys(), ElementsAre("contents", "generationConfig", "systemInstruction"));
    EXPECT_EQ(body["systemInstruction"].toObject(),
              (QJsonObject{{"parts", QJsonArray{QJsonObject{{"text", "Sys"}}}}}));
    EXPECT_EQ(body["contents"].toArray(),
              (QJsonArray{QJsonObject{{"role", "user"},
                                      {"parts", QJsonArray{QJsonObject{{"text", "User text"}}}}}}));
    EXPECT_EQ(body["generationConfig"].toObject().keys(), QStringList{"temperature"});
    EXPECT_DOUBLE_EQ(body["generationConfig"]["temperature"].toDouble(), 0.4);
}

TEST_F(GeminiProviderTest, KeyFollowsTheQueryItemsOfTheBaseURL) {
    server.on("GET", "/gw/v1beta/models", ScriptedResponse::json(200, R"({"models":[]})"));
    CallRecorder call(client("/gw/v1beta/?tenant=t1").listModels());
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.models, QStringList());
    const QUrlQuery query = server.requests()[0].queryItems();
    ASSERT_EQ(query.queryItems(QUrl::FullyDecoded).size(), 2);
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded)[0],
              (std::pair<QString, QString>("tenant", "t1")));
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded)[1], (std::pair<QString, QString>("key", key)));
}

TEST_F(GeminiProviderTest, StreamIsOneCompleteDeliveredAsOnePiece) {
    server.enqueue("POST", "/v1beta/models/m:generateContent",
                   ScriptedResponse::json(200, twoCandidates));
    server.enqueue("POST", "/v1beta/models/m:generateContent",
                   ScriptedResponse::json(200, R"({"candidates":[{"content":{"parts":[]}}]})"));
    CallRecorder whole(client().stream("s", "u", "m"));
    ASSERT_TRUE(whole.wait());
    EXPECT_THAT(whole.pieces, ElementsAre("abcd"));
    EXPECT_EQ(whole.completed, "abcd");
    CallRecorder empty(client().stream("s", "u", "m"));
    ASSERT_TRUE(empty.wait());
    EXPECT_THAT(empty.pieces, ElementsAre(""));
    EXPECT_EQ(empty.completed, "");
    EXPECT_FALSE(server.requests()[0].hasHeader("Accept"));
}

TEST_F(GeminiProviderTest, ListModelsKeepsGenerativeModelsWithoutPrefix) {
    server.on("GET", "/v1beta/models", ScriptedResponse::json(200, R"({"models":[
        {"name":"models/gemini-2.5-flash","supportedGenerationMethods":["generateContent",
          "countTokens"]},
        {"name":"models/text-embedding-004","supportedGenerationMethods":["embedContent"]},
        {"name":"models/aqa"},
        {"name":"models/gemini-2.0-pro","supportedGenerationMethods":["generateContent"]},
        {"name":"models/tuned/models/x","supportedGenerationMethods":["generateContent"]}],
        "nextPageToken":"more"})"));
    CallRecorder call(client().listModels());
    ASSERT_TRUE(call.wait());
    EXPECT_THAT(*call.models, ElementsAre("gemini-2.0-pro", "gemini-2.5-flash", "tuned/x"));
    const auto& request = server.requests()[0];
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(request.queryItems().queryItemValue("key", QUrl::FullyDecoded), key);
    EXPECT_FALSE(request.hasHeader("Content-Type"));
}

}  // namespace
}  // namespace ts
