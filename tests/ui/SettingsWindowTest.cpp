#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTest>

#include "AccessibilityWalk.h"
#include "LoopbackModelServer.h"
#include "SettingsTestSupport.h"
#include "store/SettingsWatcher.h"
#include "ui/settings/ProviderTab.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"
#include "ui/theme/TextContrast.h"

using namespace ts;
using namespace ts::test;

namespace {

// Before the test's main creates the application, so the window joins the accessibility bus.
const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

ScriptedResponse modelList(const QStringList& ids) {
    QJsonArray data;
    for (const QString& id : ids) {
        data.append(QJsonObject{{"id", id}, {"object", "model"}});
    }
    return ScriptedResponse::json(
        200, QJsonDocument(QJsonObject{{"object", "list"}, {"data", data}}).toJson());
}

}  // namespace

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() {
        stores.settings.setOpenaiBaseURL(server.url("/v1").toString());
        stores.settings.setAnthropicBaseURL(server.url("/anthropic/v1").toString());
        stores.settings.setOllamaBaseURL(server.url("/ollama/v1").toString());
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
    }

    void open() {
        window = std::make_unique<SettingsWindow>(stores.services());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    ProviderTab& provider() { return window->providerTab(); }
    QLineEdit* keyField() { return named<QLineEdit>(*window, "API key"); }
    qsizetype requestsTo(const QByteArray& path) const {
        return std::count_if(server.requests().begin(), server.requests().end(),
                             [&](const RecordedRequest& r) { return r.path == path; });
    }
    void waitForModels() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !provider().isLoadingModels(); }, 10000));
    }

    SettingsStores stores;
    LoopbackModelServer server;
    std::unique_ptr<SettingsWindow> window;
};

TEST_F(SettingsWindowTest, SwitchingToAnthropicLoadsItsKeyStoresItsModelAndRefreshes) {
    stores.keys.saveAPIKey("sk-ant-test", apiKeyAccount(ProviderKind::anthropic));
    server.on("GET", "/anthropic/v1/models",
              ScriptedResponse::json(200, R"({"data":[{"id":"claude-sonnet-4-6"}]})"));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyField() != nullptr; }));
    EXPECT_EQ(keyField()->text(), "");
    QTest::mouseClick(button(*window, "Anthropic"), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyField()->text() == "sk-ant-test"; }));
    EXPECT_EQ(stores.settings.providerRaw(), "Anthropic");
    EXPECT_EQ(stores.settings.model(), "claude-sonnet-4-6");
    ASSERT_TRUE(server.waitForRequests(1));
    waitForModels();
    EXPECT_EQ(requestsTo("/anthropic/v1/models"), 1);
    EXPECT_EQ(provider().fetchedModels(), QStringList{"claude-sonnet-4-6"});

    // Back to OpenAI, which has no key: an empty field and no request.
    QTest::mouseClick(button(*window, "OpenAI"), Qt::LeftButton, {}, QPoint(6, 6));
    QTest::qWait(200);
    EXPECT_EQ(keyField()->text(), "");
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(provider().fetchedModels().isEmpty());
}

TEST_F(SettingsWindowTest, KeyTypedByCharacterMakesOneRequestHalfASecondAfterTheLast) {
    server.on("GET", "/v1/models", modelList({"gpt-4o-mini"}));
    open();
    keyField()->setFocus();
    QTest::keyClicks(keyField(), "sk-typed-key", Qt::NoModifier, 60);
    QElapsedTimer sinceLast;
    sinceLast.start();
    ASSERT_TRUE(server.waitForRequests(1));
    const qint64 waited = sinceLast.elapsed();
    EXPECT_GE(waited, 420);  // the last click's own handling counts before
    EXPECT_LT(waited, 1500);
    QTest::qWait(700);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].header("Authorization"), "Bearer sk-typed-key");
    EXPECT_EQ(stores.keys.readAPIKey(apiKeyAccount(ProviderKind::openai)), "sk-typed-key");
    QFile file(stores.settings.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("sk-typed"));
}

struct ListCase {
    const char* name;
    QStringList listed;
    QString modelAfter;
};

class SettingsModelLists : public SettingsWindowTest,
                           public ::testing::WithParamInterface<ListCase> {};

TEST_P(SettingsModelLists, FetchedListDecidesTheModel) {
    const ListCase& c = GetParam();
    stores.keys.saveAPIKey("sk-x", apiKeyAccount(ProviderKind::openai));
    stores.settings.setModel("gpt-4o-mini");
    server.on("GET", "/v1/models", modelList(c.listed));
    open();
    ASSERT_TRUE(server.waitForRequests(1));
    waitForModels();
    EXPECT_EQ(provider().fetchedModels(), c.listed);
    EXPECT_EQ(stores.settings.model(), c.modelAfter);
    EXPECT_EQ(named<QLineEdit>(*window, "Model")->text(), c.modelAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SettingsModelLists,
    ::testing::Values(ListCase{"lacksCurrent", {"gpt-4.1", "o3"}, "gpt-4.1"},
                      ListCase{"holdsCurrent", {"gpt-4.1", "gpt-4o-mini"}, "gpt-4o-mini"},
                      ListCase{"empty", {}, "gpt-4o-mini"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindowTest, OllamaShowsNoKeyFieldAndListsWithoutAKey) {
    server.on("GET", "/ollama/v1/models", modelList({"llama3.1", "qwen3"}));
    stores.keys.saveAPIKey("sk-openai", apiKeyAccount(ProviderKind::openai));
    stores.settings.setProvider(ProviderKind::ollama);
    open();
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(keyField(), nullptr);
    EXPECT_TRUE(showsText(*window, "Runs locally. No key needed."));
    EXPECT_TRUE(showsText(*window, "Your text never leaves this computer."));
    EXPECT_EQ(server.requests()[0].path, "/ollama/v1/models");
    EXPECT_FALSE(server.requests()[0].header("Authorization").contains("sk-openai"));
    waitForModels();
    EXPECT_EQ(provider().fetchedModels(), (QStringList{"llama3.1", "qwen3"}));
}

struct TestCase {
    const char* name;
    int status;
    QByteArray body;
    QString outcome;
};

class SettingsConnectionTests : public SettingsWindowTest,
                                public ::testing::WithParamInterface<TestCase> {};

TEST_P(SettingsConnectionTests, ShowsTheOutcome) {
    const TestCase& c = GetParam();
    stores.keys.saveAPIKey("sk-x", apiKeyAccount(ProviderKind::openai));
    server.on("GET", "/v1/models", modelList({"gpt-4o-mini"}));
    server.on("POST", "/v1/chat/completions", ScriptedResponse::json(c.status, c.body));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyField()->text() == "sk-x"; }));
    button(*window, "Test Connection")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !provider().testResult().isEmpty(); }, 10000));
    EXPECT_EQ(provider().testResult(), c.outcome);
    const RecordedRequest& sent = server.requests().last();
    EXPECT_TRUE(sent.json()["messages"].toArray().last()["content"].toString().contains(
        "Hi, hope you're well."));
    EXPECT_EQ(sent.json()["model"].toString(), "gpt-4o-mini");
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SettingsConnectionTests,
    ::testing::Values(
        TestCase{"connected", 200,
                 R"({"choices":[{"index":0,"message":{"role":"assistant","content":"Hi."}}]})",
                 "Connected."},
        TestCase{"rejected", 401, R"({"error":{"message":"bad key"}})",
                 "Error: API key rejected. Open Settings \u2192 Provider and re-check the key."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindowTest, AChangeFromAnotherProcessShowsInTheWindow) {
    SettingsWatcher watcher(stores.settings);
    SettingsServices services = stores.services();
    services.watcher = &watcher;
    window = std::make_unique<SettingsWindow>(services);
    window->show();
    SettingsStore elsewhere(stores.settings.filePath());
    elsewhere.setModel("gpt-4.1-mini");
    elsewhere.setAutoPaste(false);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return named<QLineEdit>(*window, "Model")->text() == "gpt-4.1-mini"; }, 5000));
    window->select(SettingsWindow::Tab::defaults);
    auto* autoPaste = named<QAbstractButton>(*window, "Auto-paste from clipboard");
    ASSERT_NE(autoPaste, nullptr);
    EXPECT_FALSE(autoPaste->isChecked());
}

// Every tab's controls reach a screen reader under their visible labels, and Tab walks them.
TEST_F(SettingsWindowTest, EveryTabIsReadableAndReachableByKeyboard) {
    open();
    const std::pair<SettingsWindow::Tab, QStringList> tabs[] = {
        {SettingsWindow::Tab::provider,
         {"OpenAI", "Anthropic", "Ollama", "API key", "Model", "Refresh model list",
          "Test Connection", "Advanced"}},
        {SettingsWindow::Tab::defaults,
         {"Auto-paste from clipboard", "Default tone", "Default context"}},
        {SettingsWindow::Tab::style,
         {"Apply my style profile to every review", "Your writing samples",
          "Refresh from 0 samples + 0 thumbs"}},
        {SettingsWindow::Tab::prompts, {"Import\u2026", "Export\u2026", "No saved prompts yet."}},
        {SettingsWindow::Tab::shortcut,
         {"Rewrite in place", "Reset to defaults (Ctrl+Alt+E \u00b7 Super+Ctrl+Alt+E)",
          "Opens or toggles the Tessarine window from anywhere."}},
        {SettingsWindow::Tab::general,
         {"Launch at login", "Open Login Items", "Appearance",
          "Show floating action on text selection (beta)", "Replay first-run setup\u2026"}},
    };
    for (const auto& [tab, names] : tabs) {
        window->select(tab);
        QTest::qWait(100);
        const QSet<QString> seen = screenReaderSees();
        for (const QString& name : names + QStringList{"Tessarine", SettingsWindow::label(tab)}) {
            EXPECT_TRUE(seen.contains(name))
                << qPrintable(SettingsWindow::label(tab) + ": " + name);
        }
        // From the sidebar, Tab reaches every named control of the page.
        window->findChild<QWidget*>("settingsTabs")->setFocus();
        QSet<QString> focused;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focused.insert(QApplication::focusWidget()->accessibleName());
            if (auto* b = qobject_cast<QAbstractButton*>(QApplication::focusWidget())) {
                focused.insert(b->text());
            }
        }
        // Texts take no focus, the other radio cards are reached with the arrow keys, and a
        // disabled button is skipped.
        const QSet<QString> notTabbed{"Anthropic", "Ollama", "Refresh from 0 samples + 0 thumbs",
                                      "No saved prompts yet.",
                                      "Opens or toggles the Tessarine window from anywhere."};
        for (const QString& name : names) {
            if (!notTabbed.contains(name)) {
                EXPECT_TRUE(focused.contains(name)) << "Tab misses " << qPrintable(name);
            }
        }
    }
    // Arrow keys move through the sidebar.
    window->select(SettingsWindow::Tab::provider);
    QTest::keyClick(window->findChild<QWidget*>("settingsTabs"), Qt::Key_Down);
    EXPECT_EQ(window->selection(), SettingsWindow::Tab::defaults);
}

// The recorders and the pickers by their labels, not their values; the window a frame.
TEST_F(SettingsWindowTest, ControlsAreNamedByTheirLabels) {
    open();
    window->select(SettingsWindow::Tab::shortcut);
    window->findChild<QWidget*>("settingsTabs")->setFocus();
    expectControls(*window, {{"OPEN TESSARINE", "push button"},
                             {"REWRITE IN PLACE", "push button"},
                             {"Rewrite in place", "check box"},
                             {"Shortcut", "list item", false}});
    window->select(SettingsWindow::Tab::general);
    window->findChild<QWidget*>("settingsTabs")->setFocus();
    expectControls(*window, {{"Appearance", "combo box"}, {"Launch at login", "check box"}});
}

// Esc and Ctrl+W close the window, except while a recorder listens (Esc then cancels it); the
// banner's way in lands in the chosen provider's key field.
TEST_F(SettingsWindowTest, ClosesWithEscOrCtrlWAndOpensOnTheKeyField) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> closers[] = {{Qt::Key_Escape, Qt::NoModifier},
                                                                 {Qt::Key_W, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : closers) {
        open();
        window->select(SettingsWindow::Tab::shortcut);
        auto* recorder = named<QAbstractButton>(*window, "OPEN TESSARINE");
        recorder->click();
        QTest::keyClick(recorder, Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(recorder, key, modifiers);
        EXPECT_FALSE(window->isVisible()) << key;
    }
    open();
    stores.settings.setProvider(ProviderKind::anthropic);
    window->select(SettingsWindow::Tab::general);
    window->showKeyField();
    EXPECT_EQ(window->selection(), SettingsWindow::Tab::provider);
    EXPECT_EQ(QApplication::focusWidget(), keyField());
}

// The test's outcome points at the field above it, and goes when another provider is chosen.
TEST_F(SettingsWindowTest, TestOutcomeBelongsToItsProvider) {
    open();
    provider().selectProvider(ProviderKind::openai);
    provider().testConnection();
    EXPECT_EQ(provider().testResult(), "Error: API key is missing. Add the key above.");
    provider().selectProvider(ProviderKind::gemini);
    EXPECT_EQ(provider().testResult(), "");
}

// The prompts' file dialog keeps the desktop's colours in dark mode: the window's style sheet
// does not reach it, so its labels stay readable on its own background.
TEST_F(SettingsWindowTest, FileDialogStaysReadableInDarkMode) {
    Palette::setAppearanceSource([] { return QStringLiteral("dark"); });
    qApp->setStyleSheet(windowStyleSheet(Palette::current()));
    open();
    window->select(SettingsWindow::Tab::prompts);
    button(*window, "Import\u2026")->click();
    QFileDialog* dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            dialog = dialog ? dialog : qobject_cast<QFileDialog*>(top);
        }
        return dialog != nullptr && dialog->isVisible();
    }));
    QTest::qWait(50);
    int checked = 0;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) {
            continue;
        }
        // As drawn in the dialog, on whatever the dialog paints behind it.
        const QImage image =
            dialog->grab(QRect(label->mapTo(dialog, QPoint(0, 0)), label->size())).toImage();
        const QColor background = image.pixelColor(0, 0);
        double best = 1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                best = std::max(best, wcagContrast(image.pixelColor(x, y), background));
            }
        }
        EXPECT_GE(best, 4.5) << qPrintable(label->text());
        ++checked;
    }
    EXPECT_GT(checked, 0);
    dialog->close();
    Palette::setAppearanceSource({});
    qApp->setStyleSheet(QString());
}

// Every tab in both schemes, saved for review under the build tree; distinct and non-empty.
TEST_F(SettingsWindowTest, ScreenshotsOfEveryTabInLightAndDark) {
    stores.prompts.save("Make it sound like a pirate", std::nullopt);
    stores.prompts.save("Summarise in three bullet points for a busy manager", std::nullopt);
    stores.settings.setStyleSamples(
        "Hi team, quick note on the launch: we ship Thursday.\n\nThanks all, great week. Drinks "
        "are on me Friday.");
    open();
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    QSet<QByteArray> seen;
    int shots = 0;
    for (const QString& scheme : {QStringLiteral("light"), QStringLiteral("dark")}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        for (int i = 0; i < 6; ++i) {
            const auto tab = static_cast<SettingsWindow::Tab>(i);
            window->select(tab);
            QTest::qWait(80);
            const QImage image = window->grab().toImage();
            ASSERT_FALSE(image.isNull());
            const QString path = QStringLiteral("%1/settings-%2-%3.png")
                                     .arg(folder, SettingsWindow::label(tab).toLower(), scheme);
            EXPECT_TRUE(image.save(path)) << qPrintable(path);
            seen.insert(QCryptographicHash::hash(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()),
                QCryptographicHash::Sha1));
            ++shots;
        }
    }
    Palette::setAppearanceSource({});
    EXPECT_EQ(seen.size(), shots);
}

// On a compositor configured by hand the Shortcut tab shows the lines to add, read by a screen
// reader and copied whole by its button; light and dark screenshots of that state.
TEST_F(SettingsWindowTest, ShortcutTabShowsTheCompositorLinesToAdd) {
    const QStringList lines{QStringLiteral("bindsym Ctrl+Alt+e exec /usr/bin/tessarine --toggle"),
                            QStringLiteral("bindsym Mod4+Ctrl+Alt+e exec /usr/bin/tessarine "
                                           "--in-place")};
    SettingsServices services = stores.services();
    services.hotkeyDoor = [&] { return HotkeyDoor{HotkeyMechanism::compositorConfig, lines}; };
    window = std::make_unique<SettingsWindow>(services);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->select(SettingsWindow::Tab::shortcut);
    QTest::qWait(100);
    const QSet<QString> seen = screenReaderSees();
    EXPECT_TRUE(seen.contains(QStringLiteral("Copy"))) << "the button is named by its label";
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](const QString& text) {
        return text.contains(lines.last());
    })) << "the lines are read out";
    auto* copy = named<QAbstractButton>(*window, QStringLiteral("Copy"));
    ASSERT_NE(copy, nullptr);
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), lines.join(QLatin1Char('\n')) + '\n');

    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    for (const QString& scheme : {QStringLiteral("light"), QStringLiteral("dark")}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        QTest::qWait(80);
        const QString path =
            QStringLiteral("%1/settings-shortcut-wayland-%2.png").arg(folder, scheme);
        EXPECT_TRUE(window->grab().toImage().save(path)) << qPrintable(path);
    }
    Palette::setAppearanceSource({});
}
