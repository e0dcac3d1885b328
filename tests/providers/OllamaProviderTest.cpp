#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTcpServer>

#include "CallRecorder.h"
#include "LoopbackModelServer.h"
#include "providers/OllamaError.h"
#include "providers/OllamaProvider.h"
#include "providers/ProviderFactory.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using test::CallRecorder;
using test::LoopbackModelServer;
using test::ScriptedResponse;
using ::testing::ElementsAre;

const QByteArray completion =
    R"({"id":"c1","choices":[{"index":0,"message":{"role":"assistant","content":"Done."}}]})";

enum class Operation { complete, listModels, stream };

std::unique_ptr<ProviderCall> start(const LLMProvider& client, Operation operation) {
    switch (operation) {
        case Operation::complete:
            return client.complete("system", "user", "llama3.1");
        case Operation::listModels:
            return client.listModels();
        case Operation::stream:
            return client.stream("system", "user", "llama3.1");
    }
    return nullptr;
}

// A port on the loopback interface nobody listens on.
QUrl refusedBase() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/v1").arg(port));
}

ScriptedResponse stalled() {
    ScriptedResponse response = ScriptedResponse::json(200, "");
    response.ending = ScriptedResponse::Ending::stall;
    return response;
}

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

TEST_F(OllamaProviderTest, CompletePostsToTheCompatibleEndpointWithThePlaceholderKey) {
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, completion));
    const OllamaProvider client(server.url("/v1"));
    EXPECT_EQ(client.kind(), ProviderKind::ollama);
    EXPECT_EQ(client.inner().kind(), ProviderKind::openai);
    CallRecorder call(client.complete("sys", "text", "llama3.1"));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.completed, "Done.");
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].header("Authorization"), "Bearer ollama");
    EXPECT_EQ(server.requests()[0].json()["model"].toString(), "llama3.1");
}

TEST_F(OllamaProviderTest, StreamDeliversThePiecesOfTheInnerStream) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(test::sseBody({
                  R"({"choices":[{"index":0,"delta":{"content":"Lo"}}]})",
                  R"({"choices":[{"index":0,"delta":{"content":"cal"}}]})",
                  "[DONE]",
              })));
    CallRecorder call(OllamaProvider(server.url("/v1")).stream("s", "u", "llama3.1"));
    ASSERT_TRUE(call.wait());
    EXPECT_THAT(call.pieces, ElementsAre("Lo", "cal"));
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

TEST_F(OllamaProviderTest, HttpErrorsPassThroughUnchanged) {
    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::json(404, R"({"error":{"message":"model \"nope\" not found"}})"));
    server.on("GET", "/v1/models", ScriptedResponse::json(500, "{}"));
    for (Operation operation : {Operation::complete, Operation::listModels}) {
        CallRecorder call(start(OllamaProvider(server.url("/v1")), operation));
        ASSERT_TRUE(call.wait());
        ASSERT_NE(call.llmError(), nullptr);
        EXPECT_EQ(call.llmError()->kind(), LLMError::Kind::httpError);
        EXPECT_EQ(call.error->as<OllamaError>(), nullptr);
    }
}

TEST_F(OllamaProviderTest, RefusedConnectionIsNotRunningForCompleteAndListModels) {
    const QUrl base = refusedBase();
    for (Operation operation : {Operation::complete, Operation::listModels}) {
        CallRecorder call(start(OllamaProvider(base), operation));
        ASSERT_TRUE(call.wait());
        ASSERT_TRUE(call.error.has_value());
        const OllamaError* error = call.error->as<OllamaError>();
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->baseURL(), base);
        EXPECT_EQ(call.error->description(),
                  "Couldn't reach Ollama at 127.0.0.1. Is `ollama serve` running?");
    }
}

TEST_F(OllamaProviderTest, StalledServerIsNotRunningAfterTheTimeout) {
    server.on("POST", "/v1/chat/completions", stalled());
    server.on("GET", "/v1/models", stalled());
    for (Operation operation : {Operation::complete, Operation::listModels}) {
        CallRecorder call(
            start(OllamaProvider(server.url("/v1"), ClientOptions{300ms}), operation));
        ASSERT_TRUE(call.wait(20000));
        ASSERT_TRUE(call.error.has_value());
        ASSERT_NE(call.error->as<OllamaError>(), nullptr);
        EXPECT_GE(call.finishedAfterMs, 250);
    }
}

TEST_F(OllamaProviderTest, StreamKeepsTheTransportErrorOfARefusedConnection) {
    CallRecorder call(start(OllamaProvider(refusedBase()), Operation::stream));
    ASSERT_TRUE(call.wait());
    EXPECT_EQ(call.error->as<OllamaError>(), nullptr);
    ASSERT_NE(call.transportError(), nullptr);
    EXPECT_EQ(call.transportError()->kind(), TransportError::Kind::cannotConnect);
}

TEST_F(OllamaProviderTest, StoppingAMappedCallClosesTheConnection) {
    server.on("POST", "/v1/chat/completions", stalled());
    CallRecorder call(start(OllamaProvider(server.url("/v1")), Operation::complete));
    ASSERT_TRUE(server.waitForRequests(1));
    call.stop();
    EXPECT_TRUE(server.waitForClientClose(server.requests()[0].connection, 5000));
}

TEST_F(OllamaProviderTest, FactoryBuildsAClientThatMapsUnreachableServers) {
    const QUrl base = refusedBase();
    auto client = makeProvider(
        ProviderConfig{.kind = ProviderKind::ollama, .ollamaBaseURL = base.toString()});
    CallRecorder call(client->complete("s", "u", "llama3.1"));
    ASSERT_TRUE(call.wait());
    ASSERT_NE(call.error->as<OllamaError>(), nullptr);
}

}  // namespace
}  // namespace ts
