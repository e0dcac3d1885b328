#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/OllamaError.h"
#include "providers/OllamaProvider.h"
#include "providers/ProviderFactory.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using namespace test;
using ::testing::ElementsAre;

TEST(OllamaErrorText, NamesTheHostOrTheWholeAddress) {
    struct Case {
        QString url;
        QString expected;
    };
    const Case cases[] = {
        {"http://127.0.0.1:11434/v1",
         "Couldn't reach Ollama at 127.0.0.1. Is `ollama serve` running?"},
        {"http://gpu-box.local:8080/v1",
         "Couldn't reach Ollama at gpu-box.local. Is `ollama serve` running?"},
        {"file:///run/ollama.sock",
         "Couldn't reach Ollama at file:///run/ollama.sock. Is `ollama serve` running?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OllamaError::notRunning(QUrl(c.url)).description(), c.expected)
            << c.url.toStdString();
    }
}

class OllamaProviderTest : public ::testing::Test {
protected:
    LoopbackModelServer server;
};

TEST_F(OllamaProviderTest, StreamDeliversThePiecesOfTheInnerStream) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(sseBody({
                  R"({"choices":[{"index":0,"delta":{"content":"Lo"}}]})",
                  R"({"choices":[{"index":0,"delta":{"content":"cal"}}]})",
                  "[DONE]",
              })));
    CallRecorder call(OllamaProvider(server.url("/v1")).stream("s", "u", "llama3.1"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.pieces.join(QString()), "Local");
    EXPECT_EQ(call.completed, "Local");
}

TEST_F(OllamaProviderTest, ListModelsReturnsEveryIdentifierSorted) {
    server.on("GET", "/v1/models", ScriptedResponse::json(200, R"({"object":"list","data":[
        {"id":"qwen2.5:7b","object":"model"},{"id":"llama3.1:latest","object":"model"}]})"));
    CallRecorder call(OllamaProvider(server.url("/v1")).listModels());
    ASSERT_TRUE(call.wait());
    ASSERT_TRUE(call.models.has_value());
    EXPECT_THAT(*call.models, ElementsAre("llama3.1:latest", "qwen2.5:7b"));
}

// An unreachable server reads as Ollama not running; answers from a running server pass through
// as they are.
TEST_F(OllamaProviderTest, FailuresOfTheServer) {
    const struct {
        const char* name;
        Operation operation;
        std::optional<ScriptedResponse> response;  // none: nothing listens
        bool notRunning;
    } rows[] = {
        {"complete, 404", Operation::complete,
         ScriptedResponse::json(404, R"({"error":{"message":"model \"nope\" not found"}})"), false},
        {"list, 500", Operation::listModels, ScriptedResponse::json(500, "{}"), false},
        {"complete, refused", Operation::complete, std::nullopt, true},
        {"list, refused", Operation::listModels, std::nullopt, true},
        {"stream, refused", Operation::stream, std::nullopt, true},
        {"complete, silent", Operation::complete, ScriptedResponse::stalled(), true},
        {"list, silent", Operation::listModels, ScriptedResponse::stalled(), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QUrl base = row.response ? server.url("/v1") : refusedUrl("/v1");
        if (row.response) {
            server.on(
                row.operation == Operation::listModels ? "GET" : "POST",
                row.operation == Operation::listModels ? "/v1/models" : "/v1/chat/completions",
                *row.response);
        }
        const bool silent =
            row.response && row.response->ending != ScriptedResponse::Ending::complete;
        CallRecorder call(start(
            OllamaProvider(base, silent ? ClientOptions{300ms} : ClientOptions{}), row.operation));
        ASSERT_TRUE(call.wait(20000));
        ASSERT_TRUE(call.error.has_value());
        const OllamaError* error = call.error->as<OllamaError>();
        ASSERT_EQ(error != nullptr, row.notRunning);
        if (error) {
            EXPECT_EQ(error->baseURL(), base);
            if (!row.response) {
                EXPECT_EQ(call.error->description(),
                          "Couldn't reach Ollama at 127.0.0.1. Is `ollama serve` running?");
            }
            if (silent) {
                EXPECT_GE(call.finishedAfterMs, 250);
            }
        } else if (row.response) {
            ASSERT_NE(call.llmError(), nullptr);
            EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::httpError);
        } else {
            ASSERT_NE(call.transportError(), nullptr);
            EXPECT_EQ(call.transportError()->kind(), TransportError::Kind::cannotConnect);
        }
    }
}

TEST_F(OllamaProviderTest, StoppingAMappedCallClosesTheConnection) {
    server.on("POST", "/v1/chat/completions", ScriptedResponse::stalled());
    CallRecorder call(start(OllamaProvider(server.url("/v1")), Operation::complete));
    ASSERT_TRUE(server.waitForRequests(1));
    call.stop();
    EXPECT_TRUE(server.waitForClientClose(server.requests()[0].connection, 5000));
}

TEST_F(OllamaProviderTest, FactoryBuildsAClientThatMapsUnreachableServers) {
    const QUrl base = refusedUrl("/v1");
    auto client = makeProvider(
        ProviderConfig{.kind = ProviderKind::ollama, .ollamaBaseURL = base.toString()});
    CallRecorder call(client->complete("s", "u", "llama3.1"));
    ASSERT_TRUE(call.wait());
    ASSERT_NE(call.error->as<OllamaError>(), nullptr);
}

}  // namespace
}  // namespace ts
