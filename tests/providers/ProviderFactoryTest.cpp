#include <gtest/gtest.h>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/AnthropicProvider.h"
#include "providers/GeminiProvider.h"
#include "providers/OllamaProvider.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"
#include "providers/ProviderFactory.h"

namespace ts {
namespace {

struct Built {
    ProviderKind kind;
    QString key;
    QString baseURL;
};

// What the client would send to: its kind, the key it carries and its base URL.
std::optional<Built> inspect(const LLMProvider& provider) {
    if (auto* p = dynamic_cast<const OpenAIProvider*>(&provider)) {
        return Built{p->kind(), p->apiKey(), p->baseURL().toString()};
    }
    if (auto* p = dynamic_cast<const OpenAICompatibleProvider*>(&provider)) {
        if (p->inner().kind() != ProviderKind::openai) {
            return std::nullopt;
        }
        return Built{p->kind(), p->inner().apiKey(), p->inner().baseURL().toString()};
    }
    if (auto* p = dynamic_cast<const AnthropicProvider*>(&provider)) {
        return Built{p->kind(), p->apiKey(), p->baseURL().toString()};
    }
    if (auto* p = dynamic_cast<const GeminiProvider*>(&provider)) {
        return Built{p->kind(), p->apiKey(), p->baseURL().toString()};
    }
    if (auto* p = dynamic_cast<const OllamaProvider*>(&provider)) {
        if (p->inner().baseURL() != p->baseURL()) {
            return std::nullopt;
        }
        return Built{p->kind(), p->inner().apiKey(), p->baseURL().toString()};
    }
    return std::nullopt;
}

struct FactoryCase {
    const char* name;
    ProviderConfig config;
    ProviderKind kind;
    QString key;
    QString baseURL;
};

ProviderConfig config(ProviderKind kind, QString custom = {}, QString ollama = {},
                      QString openai = {}, QString anthropic = {}, QString gemini = {}) {
    return ProviderConfig{
        kind, QStringLiteral("stored-key"), custom, ollama, openai, anthropic, gemini, {}};
}

const QString openaiBase = QStringLiteral("https://api.openai.com/v1");

class Factory : public ::testing::TestWithParam<FactoryCase> {};

// A set base URL that is no http(s) address must never mean the public service: the text and
// the key would go to a third party.
const QString refused;

TEST_P(Factory, BuildsTheClientOfTheKind) {
    const FactoryCase& c = GetParam();
    const std::unique_ptr<LLMProvider> provider = makeProvider(c.config);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(provider->kind(), c.kind);
    if (c.baseURL == refused) {
        EXPECT_FALSE(inspect(*provider).has_value());
        test::CallRecorder stream(provider->stream("s", "u", "m"));
        test::CallRecorder models(provider->listModels());
        ASSERT_TRUE(stream.wait() && models.wait());
        EXPECT_EQ(stream.error->description(), kInvalidBaseURLMessage);
        EXPECT_EQ(models.error->description(), kInvalidBaseURLMessage);
        return;
    }
    const std::optional<Built> built = inspect(*provider);
    ASSERT_TRUE(built.has_value());
    EXPECT_EQ(built->kind, c.kind);
    EXPECT_EQ(built->key, c.key);
    EXPECT_EQ(built->baseURL, c.baseURL);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Factory,
    ::testing::Values(
        FactoryCase{"OpenAI", config(ProviderKind::openai), ProviderKind::openai, "stored-key",
                    openaiBase},
        FactoryCase{"OpenAIOverride", config(ProviderKind::openai, {}, {}, "http://proxy:8080/v1"),
                    ProviderKind::openai, "stored-key", "http://proxy:8080/v1"},
        FactoryCase{"OpenAIMalformedOverride", config(ProviderKind::openai, {}, {}, "::nope"),
                    ProviderKind::openai, "stored-key", refused},
        FactoryCase{"OpenAIWithoutScheme",
                    config(ProviderKind::openai, {}, {}, "localhost:8080/v1"), ProviderKind::openai,
                    "stored-key", refused},
        FactoryCase{"OpenAIOtherScheme", config(ProviderKind::openai, {}, {}, "ftp://host/v1"),
                    ProviderKind::openai, "stored-key", refused},
        FactoryCase{"Anthropic", config(ProviderKind::anthropic), ProviderKind::anthropic,
                    "stored-key", "https://api.anthropic.com/v1"},
        FactoryCase{"AnthropicOverride",
                    config(ProviderKind::anthropic, {}, {}, {}, "https://gw.example/anthropic/v1"),
                    ProviderKind::anthropic, "stored-key", "https://gw.example/anthropic/v1"},
        FactoryCase{"AnthropicMalformedOverride",
                    config(ProviderKind::anthropic, {}, {}, {}, "http//gw.example/v1"),
                    ProviderKind::anthropic, "stored-key", refused},
        FactoryCase{"Gemini", config(ProviderKind::gemini), ProviderKind::gemini, "stored-key",
                    "https://generativelanguage.googleapis.com/v1beta"},
        FactoryCase{"GeminiOverride",
                    config(ProviderKind::gemini, {}, {}, {}, {}, "http://127.0.0.1:9/v1beta"),
                    ProviderKind::gemini, "stored-key", "http://127.0.0.1:9/v1beta"},
        FactoryCase{"GeminiWithoutScheme",
                    config(ProviderKind::gemini, {}, {}, {}, {}, "127.0.0.1:8080/v1beta"),
                    ProviderKind::gemini, "stored-key", refused},
        FactoryCase{"OllamaDefault", config(ProviderKind::ollama), ProviderKind::ollama, "ollama",
                    "http://127.0.0.1:11434/v1"},
        FactoryCase{"OllamaSetting", config(ProviderKind::ollama, {}, "http://10.0.0.5:11434/v1"),
                    ProviderKind::ollama, "ollama", "http://10.0.0.5:11434/v1"},
        FactoryCase{"OllamaMalformedSetting", config(ProviderKind::ollama, {}, "http://[bad"),
                    ProviderKind::ollama, "ollama", refused},
        FactoryCase{"CustomSetting", config(ProviderKind::custom, "https://llm.example/v1/"),
                    ProviderKind::custom, "stored-key", "https://llm.example/v1/"},
        FactoryCase{"CustomEmptyFallsBackToOpenAI", config(ProviderKind::custom),
                    ProviderKind::custom, "stored-key", openaiBase},
        FactoryCase{"CustomMalformed", config(ProviderKind::custom, "not a url"),
                    ProviderKind::custom, "stored-key", refused},
        FactoryCase{"CustomBlank", config(ProviderKind::custom, "  "), ProviderKind::custom,
                    "stored-key", openaiBase},
        FactoryCase{"CustomIgnoresTheOpenAIOverride",
                    config(ProviderKind::custom, {}, {}, "http://proxy:8080/v1"),
                    ProviderKind::custom, "stored-key", openaiBase}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactoryOverLoopback, OllamaNeedsNoStoredKeyAndCustomSendsTheStoredOne) {
    test::LoopbackModelServer server;
    server.on("POST", "/v1/chat/completions",
              test::ScriptedResponse::json(200, R"({"choices":[{"message":{"content":"hi"}}]})"));
    ProviderConfig local{.kind = ProviderKind::ollama,
                         .ollamaBaseURL = server.url("/v1").toString()};
    ProviderConfig custom{.kind = ProviderKind::custom,
                          .apiKey = "user-key",
                          .customBaseURL = server.url("/v1/").toString()};
    for (const ProviderConfig& config : {local, custom}) {
        test::CallRecorder call(makeProvider(config)->complete("s", "u", "llama3.1"));
        ASSERT_TRUE(call.wait());
        EXPECT_EQ(call.completed, "hi");
    }
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[0].header("Authorization"), "Bearer ollama");
    EXPECT_EQ(server.requests()[1].header("Authorization"), "Bearer user-key");
}

}  // namespace
}  // namespace ts
