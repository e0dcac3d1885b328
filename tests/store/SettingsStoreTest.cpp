#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(QStringLiteral("tessarine/tessarine.conf")); }

    void writeRawFile(const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QTemporaryDir m_dir;
};

struct DefaultRow {
    const char* key;
    QVariant expected;
};

TEST_F(SettingsStoreTest, EmptyStoreReadsEveryDefaultWithoutWritingThem) {
    const std::vector<DefaultRow> table{
        {"provider", QStringLiteral("OpenAI")},
        {"model", QStringLiteral("gpt-4o-mini")},
        {"customBaseURL", QStringLiteral("https://api.openai.com/v1")},
        {"ollamaBaseURL", QStringLiteral("http://127.0.0.1:11434/v1")},
        {"defaultTone", QStringLiteral("Professional")},
        {"defaultContext", QStringLiteral("Email")},
        {"autoPaste", true},
        {"appearance", QStringLiteral("system")},
        {"hotkeyKeyCode", 14},
        {"hotkeyModifiers", 2304},
        {"inPlaceHotkeyKeyCode", 14},
        {"inPlaceHotkeyModifiers", 6400},
        {"inPlaceHotkeyEnabled", true},
        {"styleProfile", QString()},
        {"styleProfileEnabled", true},
        {"styleSamples", QString()},
        {"thumbedUpCountAtLastStyleRefresh", 0},
        {"hasPromptedForAccessibility", false},
        {"selectionButtonEnabled", false},
        {"hasCompletedOnboarding", false},
        {"hasRunOnboardingMigration", false},
        {"openaiBaseURL", QString()},
        {"anthropicBaseURL", QString()},
        {"geminiBaseURL", QString()},
    };
    SettingsStore store(path());
    ASSERT_EQ(SettingsStore::fields().size(), static_cast<qsizetype>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) {
        const QString key = QString::fromLatin1(table[i].key);
        SCOPED_TRACE(table[i].key);
        EXPECT_EQ(SettingsStore::fields()[static_cast<qsizetype>(i)].key, key);
        EXPECT_EQ(SettingsStore::fields()[static_cast<qsizetype>(i)].type,
                  table[i].expected.typeId());
        const QVariant value = store.value(key);
        EXPECT_EQ(value.typeId(), table[i].expected.typeId());
        EXPECT_EQ(value, table[i].expected);
    }
    EXPECT_EQ(store.provider(), ProviderKind::openai);
    EXPECT_EQ(store.defaultTone(), Tone::professional);
    EXPECT_EQ(store.defaultContext(), AppContext::email);
    EXPECT_EQ(store.hotkeyModifiers(), 2304);
    EXPECT_EQ(store.inPlaceHotkeyModifiers(), 6400);
    EXPECT_TRUE(store.inPlaceHotkeyEnabled());
    EXPECT_FALSE(store.selectionButtonEnabled());
    EXPECT_TRUE(store.styleProfileEnabled());
    EXPECT_TRUE(store.styleProfile().isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SettingsStoreTest, TypedGettersReadWhatTheirSettersWrote) {
    {
        SettingsStore writer(path());
        writer.setModel(QStringLiteral("gpt-4.1"));
        writer.setAutoPaste(false);
        writer.setHotkeyKeyCode(36);
        writer.setStyleProfile(QStringLiteral("Short, warm, \"direct\"; no jargon, ever."));
        writer.setGeminiBaseURL(QStringLiteral("http://127.0.0.1:9/v1beta"));
    }
    SettingsStore reader(path());
    EXPECT_EQ(reader.model(), QStringLiteral("gpt-4.1"));
    EXPECT_FALSE(reader.autoPaste());
    EXPECT_EQ(reader.hotkeyKeyCode(), 36);
    EXPECT_EQ(reader.styleProfile(), QStringLiteral("Short, warm, \"direct\"; no jargon, ever."));
    EXPECT_EQ(reader.geminiBaseURL(), QStringLiteral("http://127.0.0.1:9/v1beta"));
    EXPECT_EQ(reader.value(QStringLiteral("hotkeyKeyCode")), QVariant(36));
}

TEST_F(SettingsStoreTest, UnknownRawValuesFallBackAndStayStored) {
    struct Row {
        const char* provider;
        ProviderKind kind;
        const char* tone;
        Tone expectedTone;
        const char* context;
        AppContext expectedContext;
    };
    const std::vector<Row> table{
        {"openai", ProviderKind::openai, "professional", Tone::professional, "email",
         AppContext::email},
        {"OPENAI", ProviderKind::openai, "Formal", Tone::professional, "Chats", AppContext::email},
        {"custom", ProviderKind::openai, "", Tone::professional, "", AppContext::email},
        {"Custom", ProviderKind::custom, "Casual", Tone::casual, "Chat", AppContext::chat},
        {"Gemini", ProviderKind::gemini, "Concise", Tone::concise, "Generic", AppContext::generic},
        {"Ollama", ProviderKind::ollama, "Friendly", Tone::friendly, "Email", AppContext::email},
    };
    SettingsStore store(path());
    for (const Row& row : table) {
        SCOPED_TRACE(row.provider);
        store.setProviderRaw(QString::fromLatin1(row.provider));
        store.setDefaultToneRaw(QString::fromLatin1(row.tone));
        store.setDefaultContextRaw(QString::fromLatin1(row.context));
        EXPECT_EQ(store.provider(), row.kind);
        EXPECT_EQ(store.defaultTone(), row.expectedTone);
        EXPECT_EQ(store.defaultContext(), row.expectedContext);
        EXPECT_EQ(store.providerRaw(), QString::fromLatin1(row.provider));
    }
}

TEST_F(SettingsStoreTest, HandEditedValuesOfTheWrongShapeReadAsDefaults) {
    writeRawFile(
        "[General]\nhotkeyKeyCode=abc\nautoPaste=yes\nselectionButtonEnabled=true\n"
        "hotkeyModifiers=4352\nappearance=dark, really\n");
    SettingsStore store(path());
    EXPECT_EQ(store.hotkeyKeyCode(), 14);
    EXPECT_TRUE(store.autoPaste());
    EXPECT_TRUE(store.selectionButtonEnabled());
    EXPECT_EQ(store.hotkeyModifiers(), 4352);
    EXPECT_EQ(store.appearance(), QStringLiteral("dark, really"));
}

TEST_F(SettingsStoreTest, ProviderSwitchKeepsOnlyHandChosenModels) {
    struct Row {
        const char* name;
        const char* providerRaw;  // nullptr: never written
        const char* model;        // nullptr: never written
        ProviderKind target;
        const char* expectedModel;
    };
    const std::vector<Row> table{
        {"default model follows", nullptr, nullptr, ProviderKind::anthropic, "claude-sonnet-4-6"},
        {"hand-chosen model kept", "OpenAI", "gpt-4.1", ProviderKind::anthropic, "gpt-4.1"},
        {"empty model filled", "OpenAI", "", ProviderKind::gemini, "gemini-2.5-flash"},
        {"unknown raw counts as openai", "openai", "gpt-4o-mini", ProviderKind::ollama, "llama3.1"},
        {"other provider's default is hand-chosen", "Anthropic", "gpt-4o-mini",
         ProviderKind::gemini, "gpt-4o-mini"},
        {"anthropic default replaced", "Anthropic", "claude-sonnet-4-6", ProviderKind::custom,
         "gpt-4o-mini"},
        {"same provider changes nothing", "Gemini", "gemini-2.5-flash", ProviderKind::gemini,
         "gemini-2.5-flash"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        QFile::remove(path());
        SettingsStore store(path());
        if (row.providerRaw) {
            store.setProviderRaw(QString::fromLatin1(row.providerRaw));
        }
        if (row.model) {
            store.setModel(QString::fromLatin1(row.model));
        }
        store.setProvider(row.target);
        EXPECT_EQ(store.provider(), row.target);
        EXPECT_EQ(store.providerRaw(), rawValue(row.target));
        EXPECT_EQ(store.model(), QString::fromLatin1(row.expectedModel));
    }
}

TEST_F(SettingsStoreTest, OnboardingMigrationRunsOnceAcrossLaunches) {
    struct Row {
        const char* name;
        const char* providerRaw;
        bool keyBeforeFirstLaunch;
        bool completedAfterFirst;
    };
    const std::vector<Row> table{
        {"fresh install", nullptr, false, false},
        {"local provider", "Ollama", false, true},
        {"stored key", "Gemini", true, true},
        {"key of another provider only", "Anthropic", false, false},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        QFile::remove(path());
        MemoryKeyStore keys;
        keys.saveAPIKey(QStringLiteral("sk-other"), apiKeyAccount(ProviderKind::custom));
        if (row.providerRaw) {
            SettingsStore(path()).setProviderRaw(QString::fromLatin1(row.providerRaw));
        }
        const ProviderKind kind = SettingsStore(path()).provider();
        if (row.keyBeforeFirstLaunch) {
            keys.saveAPIKey(QStringLiteral("sk-1"), apiKeyAccount(kind));
        }
        {
            SettingsStore launch(path());
            launch.runOnboardingMigration(keys);
            EXPECT_TRUE(launch.hasRunOnboardingMigration());
            EXPECT_EQ(launch.hasCompletedOnboarding(), row.completedAfterFirst);
        }
        // A key that appears later does not re-run the migration.
        keys.saveAPIKey(QStringLiteral("sk-2"), apiKeyAccount(kind));
        {
            SettingsStore launch(path());
            launch.runOnboardingMigration(keys);
            EXPECT_EQ(launch.hasCompletedOnboarding(), row.completedAfterFirst);
            launch.setHasCompletedOnboarding(false);  // "Replay first-run setup…"
        }
        {
            SettingsStore launch(path());
            launch.runOnboardingMigration(keys);
            EXPECT_FALSE(launch.hasCompletedOnboarding());
            EXPECT_TRUE(launch.hasRunOnboardingMigration());
        }
    }
}

TEST_F(SettingsStoreTest, ChangeByAnotherWriterIsSeenAtTheNextRead) {
    SettingsStore store(path());
    EXPECT_EQ(store.model(), QStringLiteral("gpt-4o-mini"));
    {
        QSettings other(path(), QSettings::IniFormat);
        other.setValue(QStringLiteral("model"), QStringLiteral("from-another-instance"));
    }
    EXPECT_EQ(store.model(), QStringLiteral("from-another-instance"));

    // Another process shares no in-memory cache with this one.
    QProcess writer;
    writer.start(QStringLiteral(TS_SETTINGS_WRITER),
                 {QStringLiteral("set"), path(), QStringLiteral("model"),
                  QStringLiteral("from-another-process")});
    ASSERT_TRUE(writer.waitForFinished(30000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    EXPECT_EQ(store.model(), QStringLiteral("from-another-process"));
}

TEST_F(SettingsStoreTest, SettersNotifyOnlyOnChange) {
    SettingsStore store(path());
    QSignalSpy spy(&store, &SettingsStore::valueChanged);
    store.setModel(QStringLiteral("gpt-4.1"));
    store.setModel(QStringLiteral("gpt-4.1"));
    store.setAutoPaste(true);  // the default: no visible change
    store.setSelectionButtonEnabled(true);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("model"));
    EXPECT_EQ(spy.at(1).at(0).toString(), QStringLiteral("selectionButtonEnabled"));
    // Writing a default still stores it.
    EXPECT_TRUE(store.contains(QStringLiteral("autoPaste")));
}

TEST_F(SettingsStoreTest, ResetHotkeysRestoresBothShortcutsAndAnnouncesIt) {
    SettingsStore store(path());
    store.setHotkeyKeyCode(0);
    store.setHotkeyModifiers(512);
    store.setInPlaceHotkeyKeyCode(36);
    store.setInPlaceHotkeyModifiers(256);
    store.setInPlaceHotkeyEnabled(false);
    QSignalSpy reset(&store, &SettingsStore::hotkeysReset);
    store.resetHotkeys();
    EXPECT_EQ(reset.count(), 1);
    SettingsStore reread(path());
    EXPECT_EQ(reread.hotkeyKeyCode(), 14);
    EXPECT_EQ(reread.hotkeyModifiers(), 2304);
    EXPECT_EQ(reread.inPlaceHotkeyKeyCode(), 14);
    EXPECT_EQ(reread.inPlaceHotkeyModifiers(), 6400);
    EXPECT_TRUE(reread.inPlaceHotkeyEnabled());
}

TEST_F(SettingsStoreTest, GenericSetValueChecksKeyAndType) {
    struct Row {
        const char* key;
        QVariant value;
        bool accepted;
    };
    const std::vector<Row> table{
        {"model", QStringLiteral("m"), true},
        {"model", 3, false},
        {"autoPaste", false, true},
        {"autoPaste", QStringLiteral("false"), false},
        {"hotkeyKeyCode", 36, true},
        {"hotkeyKeyCode", QVariant(qlonglong(40)), true},
        {"hotkeyKeyCode", QVariant(qlonglong(1) << 40), false},
        {"hotkeyKeyCode", true, false},
        {"io.tessarine.history.v1", QStringLiteral("[]"), false},
        {"noSuchSetting", QStringLiteral("x"), false},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.key);
        QFile::remove(path());
        SettingsStore store(path());
        const QString key = QString::fromLatin1(row.key);
        EXPECT_EQ(store.setValue(key, row.value), row.accepted);
        EXPECT_EQ(store.contains(key), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(SettingsStore(path()).value(key).toString(), row.value.toString());
        }
    }
}

TEST_F(SettingsStoreTest, BinaryValuesSurviveTheFileExactly) {
    QByteArray bytes("[{\"a\":1}]\n\0\xff\xfe=,;\"", 17);
    SettingsStore(path()).setData(QStringLiteral("io.tessarine.history.v1"), bytes);
    EXPECT_EQ(SettingsStore(path()).data(QStringLiteral("io.tessarine.history.v1")), bytes);
    EXPECT_TRUE(SettingsStore(path()).data(QStringLiteral("io.tessarine.other")).isEmpty());
}

}  // namespace
}  // namespace ts
