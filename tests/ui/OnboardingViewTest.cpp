#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "AccessibilityWalk.h"
#include "LoopbackModelServer.h"
#include "desktop/platform/fake/FakePlatform.h"
#include "providers/OllamaInstaller.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "ui/DesktopControlTexts.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

using namespace ts;
using namespace ts::test;
using namespace std::chrono_literals;
using Step = OnboardingStep;

namespace {

// Before the test's main creates the application, so the window joins the accessibility bus.
const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

const QByteArray answer =
    R"({"choices":[{"index":0,"message":{"role":"assistant","content":"Hi, I hope you are well."}}]})";

QByteArray tags(const QStringList& names) {
    QJsonArray models;
    for (const QString& name : names) {
        models.append(QJsonObject{{"name", name}, {"size", 4920753328LL}});
    }
    return QJsonDocument(QJsonObject{{"models", models}}).toJson(QJsonDocument::Compact);
}

// What a screen reader finds showing in this process: names and texts of accessible objects.
}  // namespace

class OnboardingTest : public ::testing::Test {
protected:
    OnboardingTest() {
        settings.setOpenaiBaseURL(server.url("/v1").toString());
        server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({})));
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    OllamaInstaller::Environment localRuntime() {
        OllamaInstaller::Environment environment;
        environment.baseURLSetting = [this] { return server.url("/v1").toString(); };
        environment.locateExecutable = [this] { return executable; };
        environment.startDetached = [this](const QString& program, const QStringList& args) {
            launches.append(program + u' ' + args.join(u' '));
            return true;
        };
        environment.pollInterval = 100ms;
        environment.listingTimeout = 500ms;
        return environment;
    }

    QAbstractButton* button(const QString& label) const {
        for (QAbstractButton* b : view.findChildren<QAbstractButton*>()) {
            if (b->accessibleName() == label && b->isVisibleTo(&view)) {
                return b;
            }
        }
        return nullptr;
    }
    void click(const QString& label) {
        QAbstractButton* b = button(label);
        ASSERT_NE(b, nullptr) << qPrintable(label);
        b->click();
    }
    bool shows(const QString& text) const {
        for (QLabel* label : view.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&view) && label->text() == text) {
                return true;
            }
        }
        return false;
    }
    QAbstractButton& forward() const {
        return *view.findChild<QAbstractButton*>(QStringLiteral("onboardingForward"));
    }
    // Back to the first step, however far the flow went.
    void restart() {
        while (button("Back") != nullptr) {
            click("Back");
        }
    }
    QLineEdit& keyField() const { return *view.findChild<QLineEdit*>(); }
    void typeKey(const QString& text) {
        keyField().setFocus();
        QTest::keyClicks(&keyField(), text);
    }
    bool connected() {
        return QTest::qWaitFor([&] { return shows("Connected"); }, 10000);
    }
    // Tab until the named control has the focus; false when the chain never reaches it.
    bool tabTo(const QString& name) {
        for (int i = 0; i < 30; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (focus != nullptr && focus->accessibleName() == name) {
                return true;
            }
            QTest::keyClick(focus != nullptr ? focus : &view, Qt::Key_Tab);
        }
        return false;
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    MemoryKeyStore keys;
    LoopbackModelServer server;
    QString executable = QStringLiteral("/opt/test/bin/ollama");
    QStringList launches;
    OllamaInstaller installer{localRuntime()};
    FakeDesktopControl control;
    QList<QUrl> opened;
    int alerts = 0;
    OnboardingView view{OnboardingServices{
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; }}, installer,
        control, [this] { ++alerts; }, [this](const QUrl& url) { opened.append(url); }}};
};

TEST(OnboardingSteps, TableOfForwardAndBack) {
    const StepFacts none;
    StepFacts tested;
    tested.testSucceeded = true;
    StepFacts model;
    model.localModelInstalled = true;
    StepFacts local;
    local.storedProviderIsLocal = true;
    StepFacts granted;
    granted.desktopControlGranted = true;
    const struct {
        Step step;
        StepFacts facts;
        bool enabled;
        std::optional<Step> forward;
        std::optional<Step> back;
        const char* label;
    } rows[] = {
        {Step::welcome, none, true, {}, {}, "Continue"},
        {Step::cloudSetup, none, false, Step::accessibility, Step::welcome, "Continue"},
        {Step::cloudSetup, tested, true, Step::accessibility, Step::welcome, "Continue"},
        {Step::localSetup, none, false, Step::accessibility, Step::welcome, "Continue"},
        {Step::localSetup, model, true, Step::accessibility, Step::welcome, "Continue"},
        {Step::accessibility, none, true, Step::done, Step::cloudSetup, "Skip for now"},
        {Step::accessibility, local, true, Step::done, Step::localSetup, "Skip for now"},
        {Step::accessibility, granted, true, Step::done, Step::cloudSetup, "Continue"},
        {Step::done, none, true, {}, Step::accessibility, "Continue"},
    };
    for (const auto& row : rows) {
        const StepMoves moves = stepMoves(row.step, row.facts);
        SCOPED_TRACE(static_cast<int>(row.step));
        EXPECT_EQ(moves.forwardEnabled, row.enabled);
        EXPECT_EQ(moves.forward, row.forward);
        EXPECT_EQ(moves.back, row.back);
        EXPECT_EQ(moves.forwardLabel, row.label);
        EXPECT_EQ(moves.forwardFinishes, row.step == Step::done);
        EXPECT_EQ(moves.offersSkipSetup, row.step != Step::done);
    }
}

TEST(OnboardingTexts, ByteSizesAndPullStatus) {
    EXPECT_EQ(byteSize(0), "-");
    EXPECT_EQ(byteSize(-5), "-");
    EXPECT_EQ(byteSize(1288490189), "1.2 GiB");
    EXPECT_EQ(byteSize(4661211424), "4.3 GiB");
    EXPECT_EQ(byteSize(1048576), "1.0 MiB");
}

// Each fact of the session is stated, and none it lacks: the alert, the General tab and this
// step all show this text.
TEST(OnboardingTexts, DesktopControlSaysWhatTheSessionHas) {
    const char* const bus = "(AT-SPI)";
    const char* const fallback = "through this compositor's virtual keyboard";
    const char* const noFallback = "offers no virtual keyboard";
    const char* const cost = "costs them a little";
    const char* const getBus = "install the package at-spi2-core";
    const char* const x11Ready = "press the in-place hotkey";
    const char* const noXTest = "XTEST and XInput 2";
    const char* const noSession = "not running in an X11 or Wayland session";
    const std::vector<const char*> facts = {bus,    fallback, noFallback, cost,
                                            getBus, x11Ready, noXTest,    noSession};
    const auto wayland = SessionType::wayland;
    const struct {
        DesktopControlFacts given;
        std::vector<const char*> stated;
    } rows[] = {
        {{wayland, true, true, true}, {bus, fallback, cost}},
        {{wayland, true, true, false}, {bus, noFallback, cost}},
        {{wayland, true, false, true}, {getBus, fallback}},
        {{wayland, false, false, false}, {getBus, noFallback}},
        {{SessionType::x11, true, false, false}, {x11Ready}},
        {{SessionType::x11, false, false, false}, {noXTest}},
        {{SessionType::none, false, false, false}, {noSession}},
    };
    for (const auto& row : rows) {
        const QString text = desktopControlText(row.given);
        for (const char* fact : facts) {
            const bool stated =
                std::find(row.stated.begin(), row.stated.end(), fact) != row.stated.end();
            EXPECT_EQ(text.contains(QString::fromUtf8(fact)), stated)
                << fact << " in: " << text.toStdString();
        }
    }
}

// The cloud step tests with the default model, keeps the result only for the key it tested, and
// saves every change of the key at once.
TEST_F(OnboardingTest, ConnectionTestUsesTheDefaultModelAndAnyKeyChangeUndoesIt) {
    settings.setModel("gpt-4.1-hand-picked");
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, answer));
    click("Use a cloud model");
    ASSERT_EQ(view.step(), Step::cloudSetup);
    EXPECT_FALSE(forward().isEnabled());
    typeKey("sk-test");
    EXPECT_EQ(keys.readAPIKey(apiKeyAccount(ProviderKind::openai)), "sk-test");
    click("Test connection");
    ASSERT_TRUE(connected());
    EXPECT_TRUE(forward().isEnabled());
    ASSERT_EQ(server.requests().size(), 1);
    const QJsonObject body = server.requests()[0].json();
    EXPECT_EQ(body["model"].toString(), "gpt-4o-mini");
    EXPECT_TRUE(server.requests()[0].body.contains("Hi, hope you're well."));
    EXPECT_EQ(settings.model(), "gpt-4.1-hand-picked");

    typeKey("x");
    EXPECT_FALSE(shows("Connected"));
    EXPECT_FALSE(forward().isEnabled());
    EXPECT_EQ(keys.readAPIKey(apiKeyAccount(ProviderKind::openai)), "sk-testx");

    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::json(401, R"({"error":{"message":"bad key"}})"));
    click("Test connection");
    const QString rejected =
        "API key rejected. Open Settings \u2192 Provider and re-check the key.";
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows(rejected); }, 10000));
    EXPECT_FALSE(forward().isEnabled());

    // A pill stores its provider, shows its key and its key page, and clears the result.
    keys.saveAPIKey("sk-ant-kept", apiKeyAccount(ProviderKind::anthropic));
    click("Anthropic");
    EXPECT_EQ(settings.provider(), ProviderKind::anthropic);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyField().text() == "sk-ant-kept"; }, 2000));
    EXPECT_FALSE(shows(rejected));
    EXPECT_TRUE(shows("Stored in memory (not saved). Sent only to Anthropic."));
    click("Get an Anthropic key");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].host(), "console.anthropic.com");
}

TEST_F(OnboardingTest, ChoosingTheCloudLeavesTheLocalProviderAndBackFollowsTheStoredOne) {
    settings.setProvider(ProviderKind::ollama);
    click("Use a cloud model");
    EXPECT_EQ(settings.provider(), ProviderKind::anthropic);
    EXPECT_EQ(settings.model(), defaultModel(ProviderKind::anthropic));
    click("Back");
    click("Run locally");
    EXPECT_EQ(settings.provider(), ProviderKind::ollama);
    ASSERT_EQ(view.step(), Step::localSetup);
    // Forward is closed here without a model; the table above says where back goes.
    view.goForward();
    EXPECT_EQ(view.step(), Step::localSetup);
}

// On the welcome step "Continue" goes on with the card that had the focus.
TEST_F(OnboardingTest, ContinueOnWelcomeChoosesTheFocusedCard) {
    const std::pair<QString, Step> rows[] = {{"Run locally", Step::localSetup},
                                             {"Use a cloud model", Step::cloudSetup}};
    for (const auto& [card, step] : rows) {
        restart();
        ASSERT_EQ(view.step(), Step::welcome);
        button(card)->setFocus();
        forward().setFocus();  // as a click or Tab would
        forward().click();
        EXPECT_EQ(view.step(), step) << qPrintable(card);
    }
}

// "Run locally" then "Skip setup" before a local model is there gives the earlier provider
// back; with a model the local provider stays.
TEST_F(OnboardingTest, SkippingAnUnfinishedLocalSetupKeepsTheEarlierProvider) {
    const struct {
        QStringList models;
        ProviderKind kept;
    } rows[] = {{{}, ProviderKind::gemini}, {{"llama3.1:latest"}, ProviderKind::ollama}};
    for (const auto& row : rows) {
        settings.setProvider(ProviderKind::gemini);
        server.on("GET", "/api/tags", ScriptedResponse::json(200, tags(row.models)));
        restart();
        click("Run locally");
        if (!row.models.isEmpty()) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return forward().isEnabled(); }, 5000));
        }
        click("Skip setup");
        EXPECT_EQ(settings.provider(), row.kept);
    }
}

// "Skip setup" on any step but the last completes exactly like the last step's button.
TEST_F(OnboardingTest, SkipSetupFinishesLikeTheLastStep) {
    server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({"phi3.5:latest"})));
    const auto toAccessibility = [this] {
        click("Run locally");
        ASSERT_TRUE(QTest::qWaitFor([&] { return forward().isEnabled(); }, 5000));
        forward().click();
    };
    const struct {
        const char* name;
        std::function<void()> reach;
        Step at;
        QString button;
    } rows[] = {
        {"welcome", [] {}, Step::welcome, "Skip setup"},
        {"cloud step", [this] { click("Use a cloud model"); }, Step::cloudSetup, "Skip setup"},
        {"accessibility", toAccessibility, Step::accessibility, "Skip setup"},
        {"done",
         [&] {
             toAccessibility();
             forward().click();
         },
         Step::done, "Start using Tessarine"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        settings.setHasCompletedOnboarding(false);
        QSignalSpy finished(&view, &OnboardingView::finished);
        row.reach();
        ASSERT_EQ(view.step(), row.at);
        EXPECT_EQ(button("Skip setup") != nullptr, row.at != Step::done);
        click(row.button);
        EXPECT_EQ(finished.size(), 1);
        EXPECT_TRUE(settings.hasCompletedOnboarding());
    }
}

TEST_F(OnboardingTest, StatusLineFollowsTheRuntime) {
    const struct {
        QString executable;
        ScriptedResponse listing;
        QString line;
    } rows[] = {
        {"", ScriptedResponse::json(200, tags({})), "Ollama is not installed"},
        {"/opt/test/bin/ollama", ScriptedResponse::json(500, "{}"),
         "Ollama is installed but not running"},
        {"/opt/test/bin/ollama", ScriptedResponse::json(200, tags({})),
         "Ollama is running \u00b7 no models pulled yet"},
        {"/opt/test/bin/ollama", ScriptedResponse::json(200, tags({"mistral:latest"})),
         "Ollama is running \u00b7 1 model installed"},
        {"/opt/test/bin/ollama", ScriptedResponse::json(200, tags({"mistral", "gemma2:2b"})),
         "Ollama is running \u00b7 2 models installed"},
    };
    click("Run locally");
    for (const auto& row : rows) {
        executable = row.executable;
        server.on("GET", "/api/tags", row.listing);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shows(row.line); }, 5000)) << qPrintable(row.line);
    }
    // Installed but not running: the start card runs the server in the background.
    server.on("GET", "/api/tags", ScriptedResponse::json(500, "{}"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("Start Ollama") != nullptr; }, 5000));
    click("Start Ollama");
    EXPECT_EQ(launches, QStringList{"/opt/test/bin/ollama serve"});
    executable.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("Download Ollama") != nullptr; }, 5000));
    click("Download Ollama");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].host(), "ollama.com");
    // Hidden, the panel stops asking.
    click("Back");
    QTest::qWait(50);
    const qsizetype asked = server.requests().size();
    QTest::qWait(400);
    EXPECT_EQ(server.requests().size(), asked);
}

// A pull's progress moves the bar and the byte texts; cancel ends the transfer; a model pulled
// elsewhere opens the way forward at the next refresh.
TEST_F(OnboardingTest, LocalStepPullsWithProgressCancelsAndSeesOtherModels) {
    QByteArray lines = "{\"status\":\"pulling manifest\"}\n";
    for (int i = 1; i <= 6; ++i) {
        lines += QStringLiteral(
                     "{\"status\":\"pulling 8eeb52dfb3bb\",\"total\":4661211424,"
                     "\"completed\":%1}\n")
                     .arg(qint64(i) * 400000000)
                     .toUtf8();
    }
    ScriptedResponse pull = ScriptedResponse::json(200, lines);
    pull.splitEvery(100, 120).withEnding(ScriptedResponse::Ending::stall);
    server.on("POST", "/api/pull", pull);
    click("Run locally");
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("Install") != nullptr; }, 5000));
    EXPECT_FALSE(forward().isEnabled());
    click("Install");
    QProgressBar* bar = view.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    QList<int> values;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (bar->isVisibleTo(&view) && (values.isEmpty() || values.last() != bar->value())) {
                values.append(bar->value());
            }
            return shows("2.2 GiB / 4.3 GiB");
        },
        10000));
    EXPECT_TRUE(shows("Pulling 8eeb52dfb3bb"));
    EXPECT_GT(values.last(), values.first());
    EXPECT_EQ(bar->maximum(), 1000);

    int connection = 0;
    for (const RecordedRequest& request : server.requests()) {
        if (request.path == "/api/pull") {
            connection = request.connection;
        }
    }
    click("Cancel");
    EXPECT_TRUE(server.waitForClientClose(connection, 5000));
    EXPECT_FALSE(bar->isVisibleTo(&view));
    EXPECT_NE(button("Install"), nullptr);

    server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({"gemma2:2b"})));
    EXPECT_TRUE(QTest::qWaitFor([&] { return forward().isEnabled(); }, 5000));
    EXPECT_EQ(settings.provider(), ProviderKind::ollama);
    forward().click();
    EXPECT_EQ(view.step(), Step::accessibility);
    click("Back");
    EXPECT_EQ(view.step(), Step::localSetup);
}

TEST_F(OnboardingTest, DesktopControlIsCheckedWhileItsStepShows) {
    control.isAvailable = false;
    click("Run locally");
    server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({"llama3.1:latest"})));
    ASSERT_TRUE(QTest::qWaitFor([&] { return forward().isEnabled(); }, 5000));
    EXPECT_TRUE(shows("Installed"));
    forward().click();
    ASSERT_EQ(view.step(), Step::accessibility);
    EXPECT_EQ(forward().text(), "Skip for now");
    click("Check Again");
    EXPECT_EQ(alerts, 1);
    control.isAvailable = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows("Desktop control granted"); }, 2000));
    EXPECT_EQ(forward().text(), "Continue");
    forward().click();
    EXPECT_TRUE(shows("Ctrl+Alt+E"));
    EXPECT_TRUE(shows("Super+Ctrl+Alt+E"));
    EXPECT_FALSE(shows("(needs desktop control)"));
    EXPECT_TRUE(shows("Or pipe text through tessarine-cli rewrite"));
    click("Back");
    control.isAvailable = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return forward().text() == "Skip for now"; }, 2000));
    forward().click();
    EXPECT_TRUE(shows("(needs desktop control)"));
}

// From the first card to the last button with keys only, and every step's texts and controls
// reach a screen reader under their visible labels.
TEST_F(OnboardingTest, KeyboardAloneCompletesTheFlowAndAScreenReaderSeesEachStep) {
    const auto expectSeen = [](const QStringList& names) {
        const QSet<QString> seen = screenReaderSees();
        for (const QString& name : names) {
            EXPECT_TRUE(seen.contains(name)) << qPrintable(name);
        }
    };
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, answer));
    control.isAvailable = false;
    expectSeen({"Welcome to Tessarine", "Use a cloud model", "Run locally", "Skip setup",
                "Free. Private. On-device.", "OpenAI, Anthropic, or Gemini.",
                "You can configure Tessarine later in Settings.", "Continue",
                "Rewrite, proofread, and draft text in any app. Pick how you want to run the AI:"});
    ASSERT_TRUE(tabTo("Use a cloud model"));
    press(Qt::Key_Space);
    ASSERT_EQ(view.step(), Step::cloudSetup);
    ASSERT_TRUE(tabTo("API key"));
    QTest::keyClicks(QApplication::focusWidget(), "sk-keyboard");
    ASSERT_TRUE(tabTo("Test connection"));
    press(Qt::Key_Return);
    ASSERT_TRUE(connected());
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), "Test connection");
    // One radio group whose Tab stop is the chosen pill, read before the key field under it;
    // the outcome an alert.
    expectControls(view, {{"OpenAI", "radio button"},
                          {"Anthropic", "radio button", false},
                          {"Gemini", "radio button", false},
                          {"API key", "password text"},
                          {"Get an OpenAI key", "push button"},
                          {"Test connection", "push button"},
                          {"Connected", "alert", false},
                          {"Back", "push button"},
                          {"Continue", "push button"},
                          {"Skip setup", "push button"}});
    QStringList order;
    for (const QJsonValue& node : accessibilityNodes()) {
        order << node["name"].toString();
    }
    EXPECT_LT(order.indexOf("Gemini"), order.indexOf("API key"));
    ASSERT_TRUE(tabTo("Continue"));
    press(Qt::Key_Space);
    ASSERT_EQ(view.step(), Step::accessibility);
    expectSeen({"Optional, but it's the most useful feature.", "Skip for now", "Check Again"});
    ASSERT_TRUE(tabTo("Skip for now"));
    press(Qt::Key_Return);
    ASSERT_EQ(view.step(), Step::done);
    expectSeen(
        {"You're set", "Open Tessarine from anywhere", "Ctrl+Alt+E", "Start using Tessarine"});
    QSignalSpy finished(&view, &OnboardingView::finished);
    ASSERT_TRUE(tabTo("Start using Tessarine"));
    press(Qt::Key_Return);
    EXPECT_EQ(finished.size(), 1);

    restart();
    click("Run locally");
    server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({"mistral"})));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows("Installed"); }, 5000));
    expectSeen({"Run Tessarine on your computer", "RECOMMENDED MODELS", "Llama 3.1 8B", "Install",
                "Installed", "Ollama is running \u00b7 1 model installed"});
}

// Every step in both schemes under the build tree, distinct and non-empty.
TEST_F(OnboardingTest, ScreenshotsOfEveryStepInLightAndDark) {
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    QSet<QByteArray> seen;
    const auto shoot = [&](const QString& name, const QString& scheme) {
        QTest::qWait(60);
        const QImage image = view.grab().toImage();
        EXPECT_EQ(image.size(), QSize(OnboardingView::kWidth, OnboardingView::kHeight))
            << qPrintable(name);
        const QString path = QStringLiteral("%1/onboarding-%2-%3.png").arg(folder, name, scheme);
        EXPECT_TRUE(image.save(path)) << qPrintable(path);
        seen.insert(QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()),
            QCryptographicHash::Sha1));
    };
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(200, answer));
    ScriptedResponse pull = ScriptedResponse::json(
        200,
        "{\"status\":\"pulling 8eeb52dfb3bb\",\"total\":4661211424,\"completed\":1717986918}\n");
    server.on("POST", "/api/pull", pull.withEnding(ScriptedResponse::Ending::stall));
    control.isAvailable = false;
    for (const QString scheme : {"light", "dark"}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        settings.setProvider(ProviderKind::openai);
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        view.resize(OnboardingView::kWidth, OnboardingView::kHeight);
        shoot("welcome", scheme);
        click("Use a cloud model");
        typeKey("sk-screenshot");
        click("Test connection");
        ASSERT_TRUE(connected());
        shoot("cloud", scheme);
        click("Back");
        executable.clear();
        click("Run locally");
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows("Ollama is not installed"); }, 5000));
        shoot("local-not-installed", scheme);
        executable = "/opt/test/bin/ollama";
        server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({"llama3.1:latest"})));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows("Installed"); }, 5000));
        click("Install");  // the first card still offering it: Qwen
        ASSERT_TRUE(QTest::qWaitFor([&] { return shows("1.6 GiB / 4.3 GiB"); }, 5000));
        shoot("local-pulling", scheme);
        click("Cancel");
        forward().click();
        shoot("accessibility", scheme);
        forward().click();
        shoot("done", scheme);
        restart();
        server.on("GET", "/api/tags", ScriptedResponse::json(200, tags({})));
    }
    Palette::setAppearanceSource({});
    EXPECT_EQ(seen.size(), 12);
}
