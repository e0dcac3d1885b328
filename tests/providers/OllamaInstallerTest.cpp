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

QByteArray line(const QByteArray& json) {
    return json + '\n';
}

class OllamaInstallerTest : public ::testing::Test {
protected:
    std::unique_ptr<OllamaInstaller> makeInstaller(QString setting) {
        OllamaInstaller::Environment environment;
        environment.baseURLSetting = [this, setting] {
            return setting.isNull() ? server.url("/v1").toString() : setting;
        };
        environment.locateExecutable = [this] { return executable; };
        environment.startDetached = [this](const QString& program, const QStringList& arguments) {
            launches.append(program + u' ' + arguments.join(u' '));
            return true;
        };
        environment.pollInterval = pollInterval;
        environment.listingTimeout = 500ms;
        return std::make_unique<OllamaInstaller>(environment);
    }
    std::unique_ptr<OllamaInstaller> makeInstaller() { return makeInstaller(QString()); }

    static bool refreshOnce(OllamaInstaller& installer) {
        QSignalSpy refreshed(&installer, &OllamaInstaller::refreshed);
        installer.refresh();
        return !refreshed.isEmpty() || refreshed.wait(10000);
    }

    static bool waitForPullEnd(OllamaInstaller& installer, const QString& id) {
        return QTest::qWaitFor([&] { return !installer.pulling().contains(id); }, 10000);
    }

    LoopbackModelServer server;
    QString executable = QStringLiteral("/opt/test/bin/ollama");
    QStringList launches;
    std::chrono::milliseconds pollInterval = 3s;
};

TEST_F(OllamaInstallerTest, StartsCheckingAndWithoutExecutableIsNotInstalledWithoutTraffic) {
    executable.clear();
    auto installer = makeInstaller();
    EXPECT_EQ(installer->state().kind, Kind::checking);
    EXPECT_FALSE(installer->isInstalled());
    ASSERT_TRUE(refreshOnce(*installer));
    EXPECT_EQ(installer->state().kind, Kind::notInstalled);
    QTest::qWait(50);
    EXPECT_EQ(server.connectionCount(), 0);
}

TEST_F(OllamaInstallerTest, ListsTheServersModelsAtTheRootOfTheConfiguredAddress) {
    server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
    auto installer = makeInstaller();
    QSignalSpy changed(installer.get(), &OllamaInstaller::stateChanged);
    ASSERT_TRUE(refreshOnce(*installer));
    ASSERT_EQ(installer->state().kind, Kind::runningWithModels);
    EXPECT_THAT(installer->state().models,
                ElementsAre(OllamaInstaller::InstalledModel{"qwen2.5:7b", 4683087332},
                            OllamaInstaller::InstalledModel{"llama3.1:latest", 4920753328}));
    EXPECT_EQ(changed.size(), 1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].method + ' ' + server.requests()[0].path, "GET /api/tags");

    // The same answer again changes nothing the views would redraw.
    ASSERT_TRUE(refreshOnce(*installer));
    EXPECT_EQ(changed.size(), 1);

    server.on("GET", "/api/tags", ScriptedResponse::json(200, R"({"models":[]})"));
    ASSERT_TRUE(refreshOnce(*installer));
    EXPECT_EQ(installer->state().kind, Kind::runningNoModels);
    EXPECT_TRUE(installer->state().models.isEmpty());
}

TEST_F(OllamaInstallerTest, AnyListingFailureIsInstalledNotRunning) {
    const struct {
        const char* name;
        ScriptedResponse response;
    } rows[] = {
        {"error status", ScriptedResponse::json(500, R"({"error":"boom"})")},
        {"not json", ScriptedResponse::text(200, "<html>hello</html>")},
        {"no models member", ScriptedResponse::json(200, R"({"data":[]})")},
        {"model without size", ScriptedResponse::json(200, R"({"models":[{"name":"a"}]})")},
        {"fractional size", ScriptedResponse::json(200, R"({"models":[{"name":"a","size":1.5}]})")},
        {"name not a string", ScriptedResponse::json(200, R"({"models":[{"name":7,"size":1}]})")},
        {"stalled past the listing timeout", ScriptedResponse::stalled()},
    };
    for (const auto& row : rows) {
        server.on("GET", "/api/tags", row.response);
        auto installer = makeInstaller();
        ASSERT_TRUE(refreshOnce(*installer)) << row.name;
        EXPECT_EQ(installer->state().kind, Kind::installedNotRunning) << row.name;
    }
    // The stalled listing was given up: its connection is closed.
    EXPECT_TRUE(server.waitForClientClose(server.requests().last().connection, 5000));
    auto refused = makeInstaller(refusedUrl("/v1").toString());
    ASSERT_TRUE(refreshOnce(*refused));
    EXPECT_EQ(refused->state().kind, Kind::installedNotRunning);
}

TEST_F(OllamaInstallerTest, ServerRootKeepsSchemeHostPortAndQueryOnly) {
    const struct {
        QString setting;
        QString root;
    } cases[] = {
        {"http://127.0.0.1:11434/v1", "http://127.0.0.1:11434"},
        {"http://gpu-box.local:8080/ollama/v1?token=abc", "http://gpu-box.local:8080?token=abc"},
        {"https://models.example.org/v1/", "https://models.example.org"},
        {"  http://10.0.0.5:11434/v1  ", "http://10.0.0.5:11434"},
        {"", "http://127.0.0.1:11434"},
        {"http://[bad", "http://127.0.0.1:11434"},
        {"localhost:11434", "http://127.0.0.1:11434"},
        {"ftp://files.example.org/v1", "http://127.0.0.1:11434"},
    };
    for (const auto& c : cases) {
        auto installer = makeInstaller(c.setting);
        EXPECT_EQ(installer->serverRootURL().toString(), c.root) << c.setting.toStdString();
    }
}

TEST_F(OllamaInstallerTest, RecommendedModelCountsAsInstalledByNameOrTag) {
    const struct {
        QString installed;
        QString recommended;
        bool satisfied;
    } cases[] = {
        {"llama3.1", "llama3.1", true},
        {"llama3.1:latest", "llama3.1", true},
        {"llama3.1:8b", "llama3.1", true},
        {"llama3.10", "llama3.1", false},
        {"llama3.10:latest", "llama3.1", false},
        {"qwen2.5:7b", "qwen2.5:7b", true},
        {"qwen2.5:7b-instruct", "qwen2.5:7b", false},
        {"qwen2.5", "qwen2.5:7b", false},
        {"mistral:7b", "mistral", true},
        {"my-mistral", "mistral", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OllamaInstaller::satisfies(c.installed, c.recommended), c.satisfied)
            << c.installed.toStdString() << " for " << c.recommended.toStdString();
    }

    server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
    auto installer = makeInstaller();
    EXPECT_FALSE(installer->isModelInstalled("llama3.1"));  // nothing detected yet
    ASSERT_TRUE(refreshOnce(*installer));
    QStringList installed;
    for (const auto& model : OllamaInstaller::recommendedModels()) {
        if (installer->isModelInstalled(model.id)) {
            installed.append(model.id);
        }
    }
    EXPECT_THAT(installed, ElementsAre("llama3.1", "qwen2.5:7b"));
}

TEST_F(OllamaInstallerTest, LaunchStartsTheServerOnlyWhenThereIsAnExecutable) {
    auto installer = makeInstaller();
    EXPECT_EQ(installer->appURL(), executable);
    EXPECT_TRUE(installer->launchApp());
    EXPECT_THAT(launches, ElementsAre("/opt/test/bin/ollama serve"));

    executable.clear();
    EXPECT_FALSE(installer->launchApp());
    EXPECT_EQ(launches.size(), 1);
}

TEST_F(OllamaInstallerTest, PollingRefreshesAtOnceThenEveryIntervalUntilStopped) {
    pollInterval = 100ms;
    server.on("GET", "/api/tags", ScriptedResponse::json(200, R"({"models":[]})"));
    auto installer = makeInstaller();
    installer->startPolling();
    EXPECT_TRUE(installer->isPolling());
    ASSERT_TRUE(server.waitForRequests(1, 2000));
    ASSERT_TRUE(server.waitForRequests(4, 10000));
    installer->stopPolling();
    // Let a listing already on its way finish, then nothing more is asked.
    QTest::qWait(150);
    const qsizetype afterStop = server.requests().size();
    QTest::qWait(400);
    EXPECT_EQ(server.requests().size(), afterStop);
    EXPECT_EQ(installer->state().kind, Kind::runningNoModels);
}

TEST_F(OllamaInstallerTest, PollingNoticesTheServerComingUp) {
    pollInterval = 100ms;
    executable.clear();
    auto installer = makeInstaller();
    installer->startPolling();
    EXPECT_EQ(installer->state().kind, Kind::notInstalled);
    executable = QStringLiteral("/usr/bin/ollama");
    server.on("GET", "/api/tags", ScriptedResponse::json(200, twoModels));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return installer->state().kind == Kind::runningWithModels; }, 10000));
    installer->stopPolling();
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

    std::unique_ptr<OllamaInstaller> installer;
    QList<Progress> seen;
};

TEST_F(InstallerPullTest, ReportsEveryProgressLineThenRefreshesOnSuccess) {
    ScriptedResponse response = ScriptedResponse::json(
        200,
        line(R"({"status":"pulling manifest"})") +
            line(
                R"({"status":"pulling 8eeb52dfb3bb","digest":"sha256:8e","total":4661211424,"completed":1048576})") +
            line(
                R"({"status":"pulling 8eeb52dfb3bb","digest":"sha256:8e","total":4661211424,"completed":4661211424})") +
            line(R"({"status":"verifying sha256 digest"})") + line(R"({"status":"success"})"));
    server.on("POST", "/api/pull", response.splitEvery(37, 5));
    QSignalSpy ended(installer.get(), &OllamaInstaller::pullEnded);
    installer->pull("llama3.1");
    ASSERT_TRUE(installer->pulling().contains("llama3.1"));
    EXPECT_EQ(installer->pulling().value("llama3.1"), (Progress{"Starting…", 0, 0}));
    ASSERT_TRUE(waitForPullEnd(*installer, "llama3.1"));

    EXPECT_THAT(seen,
                ElementsAre(Progress{"Starting…", 0, 0}, Progress{"pulling manifest", 0, 0},
                            Progress{"pulling 8eeb52dfb3bb", 1048576, 4661211424},
                            Progress{"pulling 8eeb52dfb3bb", 4661211424, 4661211424},
                            Progress{"verifying sha256 digest", 0, 0}, Progress{"success", 0, 0}));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][1].toBool(), true);
    EXPECT_TRUE(installer->pullErrors().isEmpty());

    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/api/pull");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.body, R"({"name":"llama3.1","stream":true})");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return installer->state().kind == Kind::runningWithModels; }, 10000));
    EXPECT_EQ(tagRequests(), 1);
}

TEST_F(InstallerPullTest, ProgressAndOutcomeOfEachStream) {
    const QByteArray manifest = line(R"({"status":"pulling manifest"})");
    const QByteArray success = line(R"({"status":"success"})");
    const struct {
        const char* name;
        ScriptedResponse response;
        QList<Progress> seen;  // after "Starting…"
        bool succeeds;
    } rows[] = {
        // The last line has no line ending and a "completed" that is no integer.
        {"no success line",
         ScriptedResponse::json(200, manifest + "not json at all\n[1,2,3]\n\n" +
                                         R"({"status":"writing manifest","completed":"12"})"),
         {{"pulling manifest", 0, 0}, {"writing manifest", 0, 0}},
         true},
        {"error line",
         ScriptedResponse::json(
             200, line(R"({"error":"pull model manifest: file does not exist"})") + success),
         {{"", 0, 0}, {"success", 0, 0}},
         true},
        {"success line, stream kept open",
         ScriptedResponse::json(200, success).withEnding(ScriptedResponse::Ending::stall),
         {{"success", 0, 0}},
         true},
        {"broken connection",
         ScriptedResponse::json(200, manifest + R"({"status":"succ)")
             .withEnding(ScriptedResponse::Ending::closeMidBody),
         {{"pulling manifest", 0, 0}},
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        seen.clear();
        server.on("POST", "/api/pull", row.response);
        const qsizetype refreshes = tagRequests();
        installer->pull("mistral");
        ASSERT_TRUE(waitForPullEnd(*installer, "mistral"));
        EXPECT_EQ(seen, (QList<Progress>{Progress{"Starting…", 0, 0}} + row.seen));
        EXPECT_EQ(installer->pullErrors().value("mistral").isEmpty(), row.succeeds);
        if (row.succeeds) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return tagRequests() == refreshes + 1; }, 10000));
        }
        if (row.response.ending == ScriptedResponse::Ending::stall) {
            const auto pull = std::find_if(server.requests().rbegin(), server.requests().rend(),
                                           [](const auto& r) { return r.path == "/api/pull"; });
            EXPECT_TRUE(server.waitForClientClose(pull->connection, 5000));
        }
    }

    auto offline = makeInstaller(refusedUrl("/v1").toString());
    offline->pull("mistral");
    ASSERT_TRUE(waitForPullEnd(*offline, "mistral"));
    EXPECT_FALSE(offline->pullErrors().value("mistral").isEmpty());
}

TEST_F(InstallerPullTest, ErrorStatusStoresTheProviderErrorTextWithoutRefreshing) {
    const struct {
        int status;
        QString text;
    } cases[] = {
        {404, "Provider endpoint not found (404). Check Settings → Provider."},
        {500,
         "Provider is temporarily unavailable (500). Try again in a moment or switch "
         "provider in Settings."},
        {400, "The provider rejected the request: Pull request failed"},
    };
    for (const auto& c : cases) {
        server.on("POST", "/api/pull",
                  ScriptedResponse::json(c.status, R"({"error":"model \"x\" not found"})"));
        installer->pull("qwen2.5:7b");
        ASSERT_TRUE(waitForPullEnd(*installer, "qwen2.5:7b")) << c.status;
        EXPECT_EQ(installer->pullErrors().value("qwen2.5:7b"), c.text) << c.status;
    }
    QTest::qWait(50);
    EXPECT_EQ(tagRequests(), 0);
    EXPECT_THAT(seen, ElementsAre(Progress{"Starting…", 0, 0}, Progress{"Starting…", 0, 0},
                                  Progress{"Starting…", 0, 0}));
}

TEST_F(InstallerPullTest, NewPullClearsTheLastError) {
    server.enqueue("POST", "/api/pull", ScriptedResponse::json(500, "{}"));
    server.on("POST", "/api/pull", ScriptedResponse::json(200, line(R"({"status":"success"})")));
    QSignalSpy errors(installer.get(), &OllamaInstaller::pullErrorsChanged);
    installer->pull("mistral");
    ASSERT_TRUE(waitForPullEnd(*installer, "mistral"));
    ASSERT_TRUE(installer->pullErrors().contains("mistral"));
    installer->pull("mistral");
    EXPECT_FALSE(installer->pullErrors().contains("mistral"));
    ASSERT_TRUE(waitForPullEnd(*installer, "mistral"));
    EXPECT_FALSE(installer->pullErrors().contains("mistral"));
    EXPECT_EQ(errors.size(), 2);
}

TEST_F(InstallerPullTest, SecondPullOfTheSameModelIsIgnoredWhileOneRuns) {
    ScriptedResponse response = ScriptedResponse::json(
        200, line(R"({"status":"pulling manifest"})") + line(R"({"status":"success"})"));
    server.on("POST", "/api/pull", response.splitEvery(20, 100));
    installer->pull("llama3.1");
    installer->pull("llama3.1");
    installer->pull("mistral");
    EXPECT_EQ(installer->pulling().size(), 2);
    ASSERT_TRUE(waitForPullEnd(*installer, "llama3.1"));
    ASSERT_TRUE(waitForPullEnd(*installer, "mistral"));
    EXPECT_EQ(pullRequests(), 2);
}

TEST_F(InstallerPullTest, CancelClosesTheConnectionAndStoresTheCancellation) {
    server.on("POST", "/api/pull",
              ScriptedResponse::json(200, line(R"({"status":"pulling manifest"})"))
                  .withEnding(ScriptedResponse::Ending::stall));
    installer->pull("llama3.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2; }, 10000));
    QSignalSpy ended(installer.get(), &OllamaInstaller::pullEnded);
    installer->cancelPull("llama3.1");
    EXPECT_FALSE(installer->pulling().contains("llama3.1"));
    EXPECT_EQ(installer->pullErrors().value("llama3.1"), "Request cancelled.");
    ASSERT_EQ(ended.size(), 1);
    EXPECT_FALSE(ended[0][1].toBool());
    EXPECT_TRUE(server.waitForClientClose(server.requests()[0].connection, 5000));
    QTest::qWait(50);
    EXPECT_EQ(tagRequests(), 0);

    // Cancelling what does not run changes nothing.
    installer->cancelPull("mistral");
    EXPECT_FALSE(installer->pullErrors().contains("mistral"));
}

TEST_F(InstallerPullTest, CancelFromAProgressReceiverStopsReadingAtOnce) {
    server.on(
        "POST", "/api/pull",
        ScriptedResponse::json(200, line(R"({"status":"one"})") + line(R"({"status":"two"})") +
                                        line(R"({"status":"success"})")));
    QObject::connect(installer.get(), &OllamaInstaller::pullingChanged, installer.get(),
                     [this](const QString& id) {
                         if (installer->pulling().value(id).status == "one") {
                             installer->cancelPull(id);
                         }
                     });
    installer->pull("llama3.1");
    ASSERT_TRUE(waitForPullEnd(*installer, "llama3.1"));
    QTest::qWait(50);
    EXPECT_THAT(seen, ElementsAre(Progress{"Starting…", 0, 0}, Progress{"one", 0, 0}));
    EXPECT_EQ(installer->pullErrors().value("llama3.1"), "Request cancelled.");
}

}  // namespace
}  // namespace ts
