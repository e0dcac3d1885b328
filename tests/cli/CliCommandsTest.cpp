#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "LoopbackModelServer.h"
#include "cli/ConfigCommand.h"
#include "cli/DiffCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/KeyCommand.h"
#include "cli/ModelsCommand.h"
#include "cli/PromptsCommand.h"
#include "session/RequestSetup.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::cli;
using namespace ts::test;

namespace {

// The commands in process, with standard output and error captured in strings.
class CliCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        env.settings = [this]() -> SettingsStore& { return settings; };
        env.keys = [this]() -> KeyStore& { return keys; };
        env.history = [this]() -> HistoryStore& { return history; };
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString output() {
        outStream.flush();
        return out;
    }

    QString writeFile(const QString& name, const QByteArray& text) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    Invocation diff(const QString& oldFile, const QString& newFile, bool json = false) {
        Invocation invocation;
        invocation.command = Command::diff;
        invocation.oldFile = oldFile;
        invocation.newFile = newFile;
        invocation.json = json;
        return invocation;
    }

    QTemporaryDir dir;
    SettingsStore settings{path("tessarine.conf")};
    MemoryKeyStore keys;
    HistoryStore history{path("history.json")};
    QString out, err;
    QTextStream outStream{&out}, errStream{&err};
    CliEnvironment env{outStream, errStream, false, false, false, {}, {}, {}, {}, {}, {}};
};

TEST_F(CliCommands, DiffMarksWordsWithMarkersColoursOrJsonAndRefusesAnUnreadableFile) {
    const QString before = writeFile("old.txt", "Send the report today.");
    const QString after = writeFile("new.txt", "Send the numbers today.");

    EXPECT_EQ(runDiff(env, diff(before, after)), exitSuccess);
    EXPECT_EQ(output(), "Send the {+numbers +}[-report -]today.\n");

    out.clear();
    env.outIsTerminal = true;
    EXPECT_EQ(runDiff(env, diff(before, after)), exitSuccess);
    EXPECT_EQ(output(), "Send the \x1b[32mnumbers \x1b[0m\x1b[31;9mreport \x1b[0mtoday.\n");

    out.clear();
    EXPECT_EQ(runDiff(env, diff(before, after, true)), exitSuccess);
    // A replacement is one change: both its segments carry the same index.
    EXPECT_EQ(output(),
              R"([{"op":"equal","text":"Send the "},{"change":0,"op":"insert","text":"numbers "},)"
              R"({"change":0,"op":"delete","text":"report "},{"op":"equal","text":"today."}])"
              "\n");

    out.clear();
    EXPECT_EQ(runDiff(env, diff(path("missing.txt"), after)), exitUsage);
    EXPECT_TRUE(err.startsWith("tessarine-cli: cannot read " + path("missing.txt")))
        << err.toStdString();
    EXPECT_EQ(output(), "");
}

TEST_F(CliCommands, HistoryListsNewestFirstAsTextOrJson) {
    Invocation invocation;
    invocation.command = Command::history;
    EXPECT_EQ(runHistory(env, invocation), exitSuccess);
    EXPECT_EQ(output(), "No history yet.\n");

    const auto item = [](const QDateTime& date, const QString& original, const QString& model) {
        HistoryItem item;
        item.id = QUuid::createUuid();
        item.date = date;
        item.original = original;
        item.review.improved = "Improved " + model;
        item.model = model;
        return item;
    };
    const HistoryItem older = item(QDateTime(QDate(2024, 3, 5), QTime(9, 41)),
                                   "so could you maybe send the numbers\nthanks", "gpt-4o-mini");
    HistoryItem newer =
        item(QDateTime(QDate(2024, 3, 6), QTime(14, 7)), QString(100, 'a'), "llama3.1");
    newer.provider = ProviderKind::ollama;
    newer.mode = Mode::ask;  // not to be read as the Custom provider
    newer.rating = Rating::up;
    history.add(older);
    history.add(newer);

    out.clear();
    EXPECT_EQ(runHistory(env, invocation), exitSuccess);
    EXPECT_EQ(output(),
              "2024-03-06 14:07  Custom instruction  Ollama/llama3.1 [up]\n"
              "    " +
                  QString(71, 'a') + QChar(0x2026) +
                  "\n"
                  "  > Improved llama3.1\n"
                  "2024-03-05 09:41  Rewrite  OpenAI/gpt-4o-mini\n"
                  "    so could you maybe send the numbers\n"
                  "  > Improved gpt-4o-mini\n");

    out.clear();
    invocation.json = true;
    EXPECT_EQ(runHistory(env, invocation), exitSuccess);
    const QJsonArray array = QJsonDocument::fromJson(output().toUtf8()).array();
    ASSERT_EQ(array.size(), 2);
    EXPECT_EQ(array[0]["rating"].toString(), "up");
    EXPECT_FALSE(array[1].toObject().contains("rating"));
    EXPECT_EQ(array[1]["original"].toString(), older.original);
    EXPECT_EQ(QDateTime::fromString(array[1]["date"].toString(), Qt::ISODateWithMs), older.date);
}

TEST_F(CliCommands, ModelsListsTheCurrentProvidersModelsOrFails) {
    LoopbackModelServer server;
    ASSERT_TRUE(server.isListening());
    settings.setOpenaiBaseURL(server.url("/v1").toString());
    const auto run = [this](bool json = false) {
        ModelsCommand command(env, json);
        std::optional<int> status;
        QObject::connect(&command, &ModelsCommand::finished,
                         [&status](int code) { status = code; });
        command.start();
        EXPECT_TRUE(QTest::qWaitFor([&status] { return status.has_value(); }, 30000));
        return status.value_or(-1);
    };

    EXPECT_EQ(run(), exitFailure);
    EXPECT_EQ(err, "API key is missing. Store one with: tessarine-cli key set openai\n");
    EXPECT_TRUE(server.requests().isEmpty());

    keys.saveAPIKey("sk-loopback", apiKeyAccount(ProviderKind::openai));
    server.enqueue("GET", "/v1/models",
                   ScriptedResponse::json(200, R"({"data":[{"id":"gpt-4o"},{"id":"whisper-1"},)"
                                               R"({"id":"gpt-4.1-mini"}]})"));
    err.clear();
    EXPECT_EQ(run(), exitSuccess);
    EXPECT_EQ(output(), "gpt-4.1-mini\ngpt-4o\n");
    EXPECT_EQ(err, "");
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].header("Authorization"), "Bearer sk-loopback");
    server.enqueue("GET", "/v1/models", ScriptedResponse::json(200, R"({"data":[{"id":"o3"}]})"));
    out.clear();
    EXPECT_EQ(run(true), exitSuccess);
    EXPECT_EQ(output(), "[\"o3\"]\n");

    server.enqueue("GET", "/v1/models",
                   ScriptedResponse::json(401, R"({"error":{"message":"bad key"}})"));
    out.clear();
    EXPECT_EQ(run(), exitFailure);
    EXPECT_EQ(output(), "");
    EXPECT_FALSE(err.isEmpty());
}

TEST_F(CliCommands, ConfigSetValidatesWhatItStores) {
    const struct {
        const char* key;
        const char* value;
        int status;
        const char* stored;  // what `config get` shows afterwards; none: what it showed before
    } rows[] = {
        {"provider", "anthropic", exitSuccess, "Anthropic"},
        {"model", "claude-x", exitSuccess, "claude-x"},
        {"provider", "custom", exitSuccess, "Custom"},
        {"provider", "mistral", exitUsage, nullptr},
        {"defaultTone", "CASUAL", exitSuccess, "Casual"},
        {"defaultTone", "loud", exitUsage, nullptr},
        {"defaultContext", "chat", exitSuccess, "Chat"},
        {"appearance", "Dark", exitSuccess, "dark"},
        {"appearance", "blue", exitUsage, nullptr},
        {"customBaseURL", " http://127.0.0.1:8080/v1 ", exitSuccess, "http://127.0.0.1:8080/v1"},
        {"customBaseURL", "localhost:8080/v1", exitUsage, nullptr},
        {"openaiBaseURL", "http//host/v1", exitUsage, nullptr},
        {"anthropicBaseURL", "ftp://host", exitUsage, nullptr},
        {"ollamaBaseURL", "127.0.0.1:11434/v1", exitUsage, nullptr},
        {"geminiBaseURL", "", exitSuccess, ""},
        {"hotkeyKeyCode", "-1", exitUsage, nullptr},
        {"hotkeyModifiers", "x", exitUsage, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " = " + row.value);
        Invocation get;
        get.command = Command::configGet;
        get.configKey = row.key;
        out.clear();
        runConfig(env, get);
        const QString before = output();
        Invocation set;
        set.command = Command::configSet;
        set.configKey = row.key;
        set.configValue = row.value;
        EXPECT_EQ(runConfig(env, set), row.status);
        out.clear();
        runConfig(env, get);
        EXPECT_EQ(output(), row.stored ? QString(row.stored) + "\n" : before);
    }
    // The provider's default model follows a provider switch, as in the settings window.
    settings.setModel(defaultModel(settings.provider()));
    Invocation set;
    set.command = Command::configSet;
    set.configKey = "provider";
    set.configValue = "GEMINI";
    EXPECT_EQ(runConfig(env, set), exitSuccess);
    EXPECT_EQ(settings.model(), defaultModel(ProviderKind::gemini));
}

TEST_F(CliCommands, KeySetTrimsAndRefusesAnEmptyKey) {
    const struct {
        QByteArray input;
        int status;
        QString stored;
    } rows[] = {
        {" sk-pasted \r\n", exitSuccess, "sk-pasted"},
        {"  \n", exitUsage, "sk-pasted"},
        {"sk-a\nsk-b\n", exitUsage, "sk-pasted"},
    };
    for (const auto& row : rows) {
        env.readStandardInput = [&row] { return row.input; };
        Invocation set;
        set.command = Command::keySet;
        set.keyKind = ProviderKind::anthropic;
        EXPECT_EQ(runKeySet(env, set), row.status);
        EXPECT_EQ(keys.readAPIKey(apiKeyAccount(ProviderKind::anthropic)), row.stored);
    }
    EXPECT_TRUE(err.contains("tessarine-cli key clear anthropic"));
    Invocation local;
    local.command = Command::keySet;
    local.keyKind = ProviderKind::ollama;
    EXPECT_EQ(runKeySet(env, local), exitSuccess);
    EXPECT_TRUE(err.contains("needs no key"));
}

TEST_F(CliCommands, PromptsFollowTheStoreRules) {
    PromptStore prompts(path("prompts.json"));
    env.prompts = [&prompts]() -> PromptStore& { return prompts; };
    const auto run = [this](Command command, QString name = {}, QString value = {}) {
        Invocation invocation;
        invocation.command = command;
        invocation.promptsName = std::move(name);
        invocation.promptsValue = std::move(value);
        return runPrompts(env, invocation);
    };
    EXPECT_EQ(run(Command::promptsSave, "Pirate", "Talk like a pirate"), exitSuccess);
    EXPECT_EQ(run(Command::promptsSave, {}, "Make it formal"), exitSuccess);
    EXPECT_EQ(run(Command::promptsSave, "PIRATE", "Something else"), exitUsage);
    EXPECT_EQ(run(Command::promptsRename, "make it formal", "Pirate"), exitUsage);
    EXPECT_EQ(run(Command::promptsRename, "pir", "Sailor"), exitUsage);  // whole names only
    EXPECT_EQ(run(Command::promptsRename, "pirate", "Sailor"), exitSuccess);
    EXPECT_EQ(run(Command::promptsExport, {}, path("export.json")), exitSuccess);
    EXPECT_EQ(run(Command::promptsDelete, "sailor"), exitSuccess);
    ASSERT_EQ(prompts.items().size(), 1);
    out.clear();
    EXPECT_EQ(run(Command::promptsImport, {}, path("export.json")), exitSuccess);
    EXPECT_EQ(output(), "Imported 1 prompt; skipped 1 duplicate.\n");
    EXPECT_EQ(prompts.items().first().name, "Sailor");
    EXPECT_EQ(run(Command::promptsImport, {}, writeFile("bad.json", "{\"version\":2}")),
              exitFailure);
    for (int i = 0; i < 31; ++i) {
        run(Command::promptsSave, {}, QString("Instruction %1").arg(i));
    }
    EXPECT_EQ(prompts.items().size(), PromptStore::maxItems);
}

}  // namespace

TEST_F(CliCommands, ConfigSetApplicationDefaultsAndKeepModelLoadedNameTheFault) {
    const struct {
        const char* key;
        const char* value;
        int status;
        const char* shown;  // `config get` afterwards, or the fault on standard error
    } rows[] = {
        {"applicationDefaults", R"([{"app":"Slack","context":"chat","tone":"CASUAL"}])",
         exitSuccess, R"([{"app":"Slack","context":"Chat","tone":"Casual"}])"},
        {"applicationDefaults", R"([{"app":"Slack","context":"Chatty"}])", exitUsage,
         "entry 1: unknown context \"Chatty\" (valid: Email, Chat, Generic)"},
        {"applicationDefaults", R"([{"app":"Slack","context":"Chat","tone":"Loud"}])", exitUsage,
         "entry 1: unknown tone \"Loud\""},
        {"applicationDefaults",
         R"([{"app":"Geary","context":"Email"},{"app":"geary","context":"Chat"}])", exitUsage,
         "entry 2: duplicate app \"geary\""},
        {"applicationDefaults", "Slack=Chat", exitUsage, "not JSON"},
        {"applicationDefaults", "", exitSuccess, "[]"},
        {"keepModelLoaded", "1H", exitSuccess, "1h"},
        {"keepModelLoaded", "whilerunning", exitSuccess, "whileRunning"},
        {"keepModelLoaded", "2h", exitUsage, "(valid: 5m, 30m, 1h, whileRunning)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " = " + row.value);
        Invocation set;
        set.command = Command::configSet;
        set.configKey = row.key;
        set.configValue = row.value;
        err.clear();
        EXPECT_EQ(runConfig(env, set), row.status);
        if (row.status == exitUsage) {
            errStream.flush();
            EXPECT_TRUE(err.contains(row.shown)) << err.toStdString();
            continue;
        }
        Invocation get;
        get.command = Command::configGet;
        get.configKey = row.key;
        out.clear();
        runConfig(env, get);
        EXPECT_EQ(output(), QString(row.shown) + "\n");
    }
    // A refused value leaves the stored one.
    EXPECT_EQ(settings.applicationDefaults(), "[]");
    EXPECT_EQ(settings.keepModelLoaded(), "whileRunning");
}
