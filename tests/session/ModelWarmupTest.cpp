#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "LoopbackModelServer.h"
#include "providers/OllamaWarmer.h"
#include "session/ModelWarmup.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

using test::LoopbackModelServer;
using test::RecordedRequest;
using test::ScriptedResponse;

ScriptedResponse loaded(const QByteArray& names) {
    return ScriptedResponse::json(200, "{\"models\":[" + names + "]}");
}

// A local server on the loopback interface, asked through the settings as the shell asks it.
class ModelWarmupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isListening());
        settings.setProvider(ProviderKind::ollama);
        settings.setOllamaBaseURL(server.url("/v1").toString());
        server.on("GET", "/api/ps", loaded(""));
        server.on("POST", "/api/generate", ScriptedResponse::json(200, R"({"done":true})"));
    }

    // What the shell does on a trigger; true when the look at the server ended.
    bool trigger(int waitMs = 5000) {
        const std::optional<OllamaWarmer::Target> target = localModelToWarm(settings);
        if (!target) {
            return false;
        }
        QSignalSpy looked(&warmer, &OllamaWarmer::looked);
        warmer.warm(*target);
        return looked.wait(waitMs);
    }
    QList<QByteArray> paths() const {
        QList<QByteArray> out;
        for (const RecordedRequest& request : server.requests()) {
            out << request.method + ' ' + request.path;
        }
        return out;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    LoopbackModelServer server;
    qint64 now = 1000;
    OllamaWarmer warmer{[this] { return now; }};
};

TEST_F(ModelWarmupTest, AskedToLoadWithKeepAliveAndNoPromptThenNotAgainWithinTheMinute) {
    settings.setModel("llama3.1");
    settings.setKeepModelLoaded("30m");
    ASSERT_TRUE(trigger());
    ASSERT_TRUE(server.waitForRequests(2));
    EXPECT_EQ(paths(), (QList<QByteArray>{"GET /api/ps", "POST /api/generate"}));
    EXPECT_EQ(server.requests()[1].json(),
              (QJsonObject{{"model", "llama3.1"}, {"keep_alive", "30m"}}));

    now += 59000;
    EXPECT_FALSE(trigger(300)) << "asked again within the minute";
    // Another model is another load.
    settings.setModel("qwen2.5:7b");
    EXPECT_TRUE(trigger());
    settings.setModel("llama3.1");
    now += 2000;
    EXPECT_TRUE(trigger());
    ASSERT_TRUE(server.waitForRequests(6));
    QStringList loaded;
    for (const RecordedRequest& request : server.requests()) {
        if (request.path == "/api/generate") {
            loaded << request.json()["model"].toString();
        }
    }
    EXPECT_EQ(loaded, (QStringList{"llama3.1", "qwen2.5:7b", "llama3.1"}));
}

TEST_F(ModelWarmupTest, AModelTheServerHasLoadedIsLeftAlone) {
    const struct {
        const char* model;
        QByteArray ps;
        bool load;
    } rows[] = {
        {"llama3.1", R"({"name":"llama3.1:latest","model":"llama3.1:latest"})", false},
        {"llama3.1:8b", R"({"name":"llama3.1:8b","model":"llama3.1:8b"})", false},
        {"llama3.1", R"({"name":"llama3.10:latest","model":"llama3.10:latest"})", true},
        {"mistral", R"({"name":"llama3.1:latest","model":"llama3.1:latest"})", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        server.on("GET", "/api/ps", loaded(row.ps));
        settings.setModel(row.model);
        now += 61000;
        QSignalSpy looked(&warmer, &OllamaWarmer::looked);
        warmer.warm(*localModelToWarm(settings));
        ASSERT_TRUE(looked.wait(5000));
        EXPECT_EQ(looked.first().at(1).toBool(), row.load);
    }
}

TEST_F(ModelWarmupTest, TheDurationFollowsTheSettingAndOtherProvidersAreNeverAsked) {
    const struct {
        const char* setting;
        QJsonValue keepAlive;
    } rows[] = {
        {"5m", "5m"}, {"30m", "30m"}, {"1h", "1h"}, {"whileRunning", -1}, {"forever", "5m"}};
    for (const auto& row : rows) {
        settings.setKeepModelLoaded(row.setting);
        EXPECT_EQ(localModelToWarm(settings)->keepAlive, row.keepAlive) << row.setting;
    }
    EXPECT_EQ(localModelToWarm(settings)->root, server.url());
    for (ProviderKind kind : {ProviderKind::openai, ProviderKind::anthropic, ProviderKind::gemini,
                              ProviderKind::custom}) {
        settings.setProvider(kind);
        settings.setCustomBaseURL(server.url("/v1").toString());
        settings.setOpenaiBaseURL(server.url("/v1").toString());
        EXPECT_FALSE(trigger(50)) << rawValue(kind).toStdString();
    }
    QTest::qWait(200);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(ModelWarmupTest, NoServerNoLoad) {
    settings.setOllamaBaseURL(test::refusedUrl("/v1").toString());
    QSignalSpy looked(&warmer, &OllamaWarmer::looked);
    warmer.warm(*localModelToWarm(settings));
    ASSERT_TRUE(looked.wait(5000));
    EXPECT_FALSE(looked.first().at(1).toBool());
}

// Kept loaded while Tessarine runs, the model is let go at quit: one unload, bounded.
TEST_F(ModelWarmupTest, AModelHeldWhileRunningIsReleasedAtQuit) {
    settings.setKeepModelLoaded("whileRunning");
    ASSERT_TRUE(trigger());
    ASSERT_TRUE(server.waitForRequests(2));
    EXPECT_EQ(server.requests()[1].json()["keep_alive"].toInt(), -1);
    // The server answers in this thread's event loop: the release waits its bound and goes.
    warmer.releaseHeld(std::chrono::milliseconds(300));
    ASSERT_TRUE(server.waitForRequests(3));
    EXPECT_EQ(server.requests()[2].path, "/api/generate");
    EXPECT_EQ(server.requests()[2].json(), (QJsonObject{{"model", "llama3.1"}, {"keep_alive", 0}}));
    warmer.releaseHeld(std::chrono::milliseconds(300));
    QTest::qWait(200);
    EXPECT_EQ(server.requests().size(), 3);
}

}  // namespace
}  // namespace ts
