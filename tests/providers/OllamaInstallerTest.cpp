#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "LoopbackModelServer.h"
#include "providers/OllamaInstaller.h"

namespace ts {
namespace {

using namespace std::chrono_literals;
using namespace test;
using Kind = OllamaInstaller::StateKind;
using Progress = OllamaInstaller::PullProgress;
using ::testing::ElementsAre;

const QByteArray twoModels = R"({"models":[
    {"name":"qwen2.5:7b","model":"qwen2.5:7b","size":4683087332,"digest":"a1"},
    {"name":"llama3.1:latest","model":"llama3.1:latest","size":4920753328,"digest":"b2"}]})";
const Progress starting{"Starting…", 0, 0};

class OllamaInstallerTest : public ::testing::Test {
protected:
    // A null setting stands for the loopback server's address.
    std::unique_ptr<OllamaInstaller> makeInstaller(const QString& setting = QString()) {
        OllamaInstaller::Environment environment;
        environment.baseURLSetting = [this, setting] {
            return setting.isNull() ? server.url("/v1").toString() : setting;
        };
        environment.locateExecutable = [this] { return executable; };
        environment.startDetached = [this](const QString& program, const QStringList& arguments) {
            launches.append(program + u' ' + arguments.join(u' '));
            return true;
        };
        environment.pollInterval = 100ms;
        environment.listingTimeout = 500ms;
        return std::make_unique<OllamaInstaller>(environment);
    }

    static bool refreshOnce(OllamaInstaller& installer) {
        QSignalSpy refreshed(&installer, &OllamaInstaller::refreshed);
        installer.refresh();
        return !refreshed.isEmpty() || refreshed.wait(10000);
    }

    LoopbackModelServer server;
    QString executable = QStringLiteral("/opt/test/bin/ollama");
    QStringList launches;
};

TEST_F(OllamaInstallerTest, ListsTheServersModelsAtTheRootOfTheConfiguredAddress) {
    server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
    auto installer = makeInstaller();
    EXPECT_EQ(installer->state().kind, Kind::checking);
    EXPECT_FALSE(installer->isModelInstalled("llama3.1"));  // nothing detected yet
    QSignalSpy changed(installer.get(), &OllamaInstaller::stateChanged);
    ASSERT_TRUE(refreshOnce(*installer));
    ASSERT_EQ(installer->state().kind, Kind::runningWithModels);
    EXPECT_THAT(installer->state().models,
                ElementsAre(OllamaInstaller::InstalledModel{"qwen2.5:7b", 4683087332},
                            OllamaInstaller::InstalledModel{"llama3.1:latest", 4920753328}));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].method + ' ' + server.requests()[0].path, "GET /api/tags");
    QStringList installed;
    for (const auto& model : OllamaInstaller::recommendedModels()) {
        if (installer->isModelInstalled(model.id)) {
            installed.append(model.id);
        }
    }
    EXPECT_THAT(installed, ElementsAre("llama3.1", "qwen2.5:7b"));

    // The same answer again changes nothing the views would redraw.
    ASSERT_TRUE(refreshOnce(*installer));
    EXPECT_EQ(changed.size(), 1);
    server.on("GET", "/api/tags", ScriptedResponse::json(200, R"({"models":[]})"));
    ASSERT_TRUE(refreshOnce(*installer));
    EXPECT_EQ(installer->state(), (OllamaInstaller::State{Kind::runningNoModels, {}}));
}

TEST_F(OllamaInstallerTest, AnyListingFailureIsInstalledNotRunning) {
    const auto ok = [](const char* body) { return ScriptedResponse::json(200, body); };
    const struct {
        const char* name;
        ScriptedResponse response;
        QString setting;
    } rows[] = {
        {"error status", ScriptedResponse::json(500, R"({"error":"boom"})"), {}},
        {"not json", ScriptedResponse::text(200, "<html>hello</html>"), {}},
        {"no models member", ok(R"({"data":[]})"), {}},
        {"model without size", ok(R"({"models":[{"name":"a"}]})"), {}},
        {"fractional size", ok(R"({"models":[{"name":"a","size":1.5}]})"), {}},
        {"name not a string", ok(R"({"models":[{"name":7,"size":1}]})"), {}},
        {"stalled past the listing timeout", ScriptedResponse::stalled(), {}},
        {"refused", {}, refusedUrl("/v1").toString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        server.on("GET", "/api/tags", row.response);
        auto installer = makeInstaller(row.setting);
        ASSERT_TRUE(refreshOnce(*installer));
        EXPECT_EQ(installer->state().kind, Kind::installedNotRunning);
        if (row.response.ending == ScriptedResponse::Ending::stall) {
            // Given up, not just left waiting.
            EXPECT_TRUE(server.waitForClientClose(server.requests().last().connection, 5000));
        }
    }
}

TEST_F(OllamaInstallerTest, ServerRootKeepsSchemeHostPortAndQueryOnly) {
    const std::pair<QString, QString> cases[] = {
        {"http://127.0.0.1:11434/v1", "http://127.0.0.1:11434"},
        {"http://gpu-box.local:8080/ollama/v1?token=abc", "http://gpu-box.local:8080?token=abc"},
        {"https://models.example.org/v1/", "https://models.example.org"},
        {"  http://10.0.0.5:11434/v1  ", "http://10.0.0.5:11434"}};
    for (const auto& [setting, root] : cases) {
        EXPECT_EQ(makeInstaller(setting)->serverRootURL().toString(), root)
            << setting.toStdString();
    }
    for (const QString unusable : {"", "http://[bad", "localhost:11434", "ftp://example.org/v1"}) {
        EXPECT_EQ(makeInstaller(unusable)->serverRootURL().toString(), "http://127.0.0.1:11434")
            << unusable.toStdString();
    }
}

TEST(OllamaModelNames, RecommendedModelIsSatisfiedByItsNameOrATagOfIt) {
    const struct {
        const char* recommended;
        QStringList satisfying, others;
    } cases[] = {
        {"llama3.1", {"llama3.1", "llama3.1:latest", "llama3.1:8b"}, {"llama3.10", "llama3.10:8b"}},
        {"qwen2.5:7b", {"qwen2.5:7b"}, {"qwen2.5:7b-instruct", "qwen2.5"}},
        {"mistral", {"mistral:7b"}, {"my-mistral"}}};
    for (const auto& c : cases) {
        for (const QString& installed : c.satisfying + c.others) {
            EXPECT_EQ(OllamaInstaller::satisfies(installed, c.recommended),
                      c.satisfying.contains(installed))
                << installed.toStdString() << " for " << c.recommended;
        }
    }
}

TEST_F(OllamaInstallerTest, PollingAsksNothingUntilThereIsAnExecutableAndStopsWhenTold) {
    executable.clear();
    auto installer = makeInstaller();
    EXPECT_FALSE(installer->launchApp());
    installer->startPolling();
    EXPECT_EQ(installer->state().kind, Kind::notInstalled);
    QTest::qWait(250);
    EXPECT_EQ(server.connectionCount(), 0);

    executable = QStringLiteral("/usr/bin/ollama");
    EXPECT_TRUE(installer->launchApp());
    EXPECT_THAT(launches, ElementsAre("/usr/bin/ollama serve"));
    server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return installer->state().kind == Kind::runningWithModels; }, 10000));
    ASSERT_TRUE(server.waitForRequests(3, 10000));  // and goes on asking
    installer->stopPolling();
    // Let a listing already on its way finish, then nothing more is asked.
    QTest::qWait(150);
    const qsizetype afterStop = server.requests().size();
    QTest::qWait(400);
    EXPECT_EQ(server.requests().size(), afterStop);
}

class InstallerPullTest : public OllamaInstallerTest {
protected:
    void SetUp() override {
        server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
        installer = makeInstaller();
        QObject::connect(installer.get(), &OllamaInstaller::pullingChanged, installer.get(),
                         [this](const QString& id) {
                             if (installer->pulling().contains(id)) {
                                 seen.append(installer->pulling().value(id));
                             }
                         });
    }
    qsizetype pullRequests() const {
        return std::count_if(server.requests().begin(), server.requests().end(),
                             [](const auto& r) { return r.path == "/api/pull"; });
    }
    qsizetype tagRequests() const { return server.requests().size() - pullRequests(); }
    bool waitForPullEnd(const QString& id) {
        return QTest::qWaitFor([&] { return !installer->pulling().contains(id); }, 10000);
    }

    std::unique_ptr<OllamaInstaller> installer;
    QList<Progress> seen;
};

TEST_F(InstallerPullTest, ReportsEveryProgressLineThenRefreshesOnSuccess) {
    ScriptedResponse response = ScriptedResponse::json(200, R"({"status":"pulling manifest"}
{"status":"pulling 8eeb52dfb3bb","digest":"sha256:8e","total":4661211424,"completed":1048576}
{"status":"pulling 8eeb52dfb3bb","digest":"sha256:8e","total":4661211424,"completed":4661211424}
{"status":"verifying sha256 digest"}
{"status":"success"}
)");
    server.on("POST", "/api/pull", response.splitEvery(37, 5));
    installer->pull("llama3.1");
    EXPECT_EQ(installer->pulling().value("llama3.1"), starting);
    ASSERT_TRUE(waitForPullEnd("llama3.1"));
    EXPECT_THAT(seen,
                ElementsAre(starting, Progress{"pulling manifest", 0, 0},
                            Progress{"pulling 8eeb52dfb3bb", 1048576, 4661211424},
                            Progress{"pulling 8eeb52dfb3bb", 4661211424, 4661211424},
                            Progress{"verifying sha256 digest", 0, 0}, Progress{"success", 0, 0}));
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method + ' ' + request.path, "POST /api/pull");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.body, R"({"name":"llama3.1","stream":true})");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return installer->state().kind == Kind::runningWithModels; }, 10000));
}

TEST_F(InstallerPullTest, ProgressAndOutcomeOfEachStream) {
    const QByteArray manifest = "{\"status\":\"pulling manifest\"}\n";
    const QByteArray success = "{\"status\":\"success\"}\n";
    using Ending = ScriptedResponse::Ending;
    const struct {
        const char* name;
        ScriptedResponse response;
        QList<Progress> seen;  // after "Starting…"
        const char* error;     // nullptr: succeeds; empty: fails with the network's own text
    } rows[] = {
        {"error status",
         ScriptedResponse::json(400, R"({"error":"model \"x\" not found"})"),
         {},
         "The provider rejected the request: Pull request failed"},
        // The last line has no line ending and a "completed" that is no integer.
        {"no success line",
         ScriptedResponse::json(200, manifest + "not json at all\n[1,2,3]\n\n" +
                                         R"({"status":"writing manifest","completed":"12"})"),
         {{"pulling manifest", 0, 0}, {"writing manifest", 0, 0}},
         nullptr},
        {"error line",
         ScriptedResponse::json(200, R"({"error":"pull model manifest: file does not exist"}
{"status":"success"}
)"),
         {},
         "pull model manifest: file does not exist"},
        {"broken connection",
         ScriptedResponse::json(200, manifest + R"({"status":"succ)")
             .withEnding(Ending::closeMidBody),
         {{"pulling manifest", 0, 0}},
         ""},
        {"success line, stream kept open",
         ScriptedResponse::json(200, success).withEnding(Ending::stall),
         {{"success", 0, 0}},
         nullptr},
    };
    qsizetype successes = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        seen.clear();
        server.on("POST", "/api/pull", row.response);
        QSignalSpy errorsChanged(installer.get(), &OllamaInstaller::pullErrorsChanged);
        QSignalSpy ended(installer.get(), &OllamaInstaller::pullEnded);
        const bool hadError = installer->pullErrors().contains("mistral");
        const qsizetype pullIndex = server.requests().size();
        installer->pull("mistral");
        // A new attempt starts without the last one's error.
        EXPECT_FALSE(installer->pullErrors().contains("mistral"));
        ASSERT_TRUE(waitForPullEnd("mistral"));
        EXPECT_EQ(errorsChanged.size(), int(hadError) + int(bool(row.error)));
        EXPECT_EQ(seen, QList<Progress>{starting} + row.seen);
        ASSERT_EQ(ended.size(), 1);
        EXPECT_EQ(ended[0][1].toBool(), !row.error);
        const QString error = installer->pullErrors().value("mistral");
        EXPECT_EQ(error.isEmpty(), !row.error);
        if (row.error && *row.error) {
            EXPECT_EQ(error, QString::fromUtf8(row.error));
        }
        if (!row.error) {
            // A finished download lists the models again; a failed one does not.
            ++successes;
            EXPECT_TRUE(QTest::qWaitFor([&] { return tagRequests() == successes; }, 10000));
        }
        if (row.response.ending == Ending::stall) {
            EXPECT_TRUE(server.waitForClientClose(server.requests()[pullIndex].connection, 5000));
        }
    }
    QTest::qWait(50);
    EXPECT_EQ(tagRequests(), successes);

    auto offline = makeInstaller(refusedUrl("/v1").toString());
    offline->pull("mistral");
    ASSERT_TRUE(QTest::qWaitFor([&] { return offline->pulling().isEmpty(); }, 10000));
    EXPECT_FALSE(offline->pullErrors().value("mistral").isEmpty());
}

TEST_F(InstallerPullTest, SecondPullOfTheSameModelIsIgnoredWhileOneRuns) {
    ScriptedResponse response = ScriptedResponse::json(
        200, "{\"status\":\"pulling manifest\"}\n{\"status\":\"success\"}\n");
    server.on("POST", "/api/pull", response.splitEvery(20, 100));
    installer->pull("llama3.1");
    installer->pull("llama3.1");
    installer->pull("mistral");
    EXPECT_EQ(installer->pulling().size(), 2);
    ASSERT_TRUE(waitForPullEnd("llama3.1"));
    ASSERT_TRUE(waitForPullEnd("mistral"));
    EXPECT_EQ(pullRequests(), 2);
}

// Cancelled from a receiver of its own progress: reading stops at once and the connection closes.
TEST_F(InstallerPullTest, CancelStopsReadingClosesTheConnectionAndStoresTheCancellation) {
    server.on("POST", "/api/pull",
              ScriptedResponse::json(200,
                                     "{\"status\":\"one\"}\n{\"status\":\"two\"}\n"
                                     "{\"status\":\"success\"}\n")
                  .withEnding(ScriptedResponse::Ending::stall));
    QObject::connect(installer.get(), &OllamaInstaller::pullingChanged, installer.get(),
                     [this](const QString& id) {
                         if (installer->pulling().value(id).status == "one") {
                             installer->cancelPull(id);
                         }
                     });
    QSignalSpy ended(installer.get(), &OllamaInstaller::pullEnded);
    installer->pull("llama3.1");
    ASSERT_TRUE(waitForPullEnd("llama3.1"));
    EXPECT_EQ(installer->pullErrors().value("llama3.1"), "Request cancelled.");
    ASSERT_EQ(ended.size(), 1);
    EXPECT_FALSE(ended[0][1].toBool());
    EXPECT_TRUE(server.waitForClientClose(server.requests()[0].connection, 5000));
    QTest::qWait(50);
    EXPECT_THAT(seen, ElementsAre(starting, Progress{"one", 0, 0}));
    EXPECT_EQ(tagRequests(), 0);

    // Cancelling what does not run changes nothing.
    installer->cancelPull("mistral");
    EXPECT_FALSE(installer->pullErrors().contains("mistral"));
}

}  // namespace
}  // namespace ts
