#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "SettingsPayload.h"
#include "TestFiles.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"

namespace ts {
namespace {

using test::modeOf;

// Another process writing one setting, as tessarine-cli config set does.
void setElsewhere(const QString& path, const QString& key, const QString& value) {
    QProcess writer;
    writer.start(QStringLiteral(TS_SETTINGS_WRITER), {"set", path, key, value});
    ASSERT_TRUE(writer.waitForFinished(30000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
}

// The semantic signals of one store, counted.
struct TopicSpies {
    explicit TopicSpies(SettingsStore& store)
        : hotkeys(&store, &SettingsStore::hotkeysChanged),
          selectionButton(&store, &SettingsStore::selectionButtonChanged),
          appearance(&store, &SettingsStore::appearanceChanged),
          provider(&store, &SettingsStore::providerChanged) {}
    std::vector<qsizetype> counts() const {
        return {hotkeys.count(), selectionButton.count(), appearance.count(), provider.count()};
    }
    QSignalSpy hotkeys, selectionButton, appearance, provider;
};

class SettingsStoreTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath("tessarine/tessarine.conf"); }

    QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, EmptyStoreReadsEveryDefaultWithoutWritingThem) {
    SettingsStore store(path());
    QStringList read;
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        const QVariant value = store.value(field.key);
        EXPECT_EQ(value.typeId(), field.type) << field.key.toStdString();
        read.append(field.key + QLatin1Char('=') + value.toString());
    }
    EXPECT_EQ(read.join(QLatin1Char(' ')),
              "provider=OpenAI model=gpt-4o-mini customBaseURL=https://api.openai.com/v1 "
              "ollamaBaseURL=http://127.0.0.1:11434/v1 defaultTone=Professional "
              "defaultContext=Email autoPaste=true appearance=system hotkeyKeyCode=14 "
              "hotkeyModifiers=2304 inPlaceHotkeyKeyCode=14 inPlaceHotkeyModifiers=6400 "
              "inPlaceHotkeyEnabled=true styleProfile= styleProfileEnabled=true styleSamples= "
              "thumbedUpCountAtLastStyleRefresh=0 hasPromptedForAccessibility=false "
              "selectionButtonEnabled=false hasCompletedOnboarding=false "
              "hasRunOnboardingMigration=false openaiBaseURL= anthropicBaseURL= geminiBaseURL= "
              "applicationDefaults=[] keepModelLoaded=5m");
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SettingsStoreTest, HandEditedValuesOfTheWrongShapeReadAsDefaultsAndStayStored) {
    ASSERT_TRUE(test::writeFile(
        path(),
        "[General]\nhotkeyKeyCode=abc\nautoPaste=yes\nselectionButtonEnabled=true\n"
        "hotkeyModifiers=4352\nappearance=dark, really\nprovider=custom\ndefaultTone=Formal\n"
        "defaultContext=Chat\n"));
    SettingsStore store(path());
    EXPECT_EQ(store.hotkeyKeyCode(), 14);
    EXPECT_TRUE(store.autoPaste());
    EXPECT_TRUE(store.selectionButtonEnabled());
    EXPECT_EQ(store.hotkeyModifiers(), 4352);
    EXPECT_EQ(store.appearance(), "dark, really");
    // Raw values match case and all.
    EXPECT_EQ(std::pair(store.provider(), store.providerRaw()),
              std::pair(ProviderKind::openai, QString("custom")));
    EXPECT_EQ(store.defaultTone(), Tone::professional);
    EXPECT_EQ(store.defaultContext(), AppContext::chat);
    store.setDefaultToneRaw("Concise");
    EXPECT_EQ(store.defaultTone(), Tone::concise);
}

TEST_F(SettingsStoreTest, ProviderSwitchKeepsOnlyHandChosenModels) {
    const struct {
        const char* name;
        const char* providerRaw;  // nullptr: never written
        const char* model;        // nullptr: never written
        ProviderKind target;
        const char* expectedModel;
    } table[] = {
        {"default model follows", nullptr, nullptr, ProviderKind::anthropic, "claude-sonnet-4-6"},
        {"hand-chosen model kept", "OpenAI", "gpt-4.1", ProviderKind::anthropic, "gpt-4.1"},
        {"empty model filled", "OpenAI", "", ProviderKind::gemini, "gemini-2.5-flash"},
        {"unknown raw counts as openai", "openai", "gpt-4o-mini", ProviderKind::ollama, "llama3.1"},
        {"other provider's default is hand-chosen", "Anthropic", "gpt-4o-mini",
         ProviderKind::gemini, "gpt-4o-mini"},
        {"same provider changes nothing", "Gemini", "gemini-2.5-flash", ProviderKind::gemini,
         "gemini-2.5-flash"}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        QFile::remove(path());
        SettingsStore store(path());
        if (row.providerRaw) {
            store.setProviderRaw(QString::fromLatin1(row.providerRaw));
        }
        if (row.model) {
            store.setModel(QString::fromLatin1(row.model));
        }
        QSignalSpy announced(&store, &SettingsStore::providerChanged);
        store.setProvider(row.target);
        const bool same = row.providerRaw && rawValue(row.target) == row.providerRaw;
        EXPECT_EQ(announced.count(), same ? 0 : 1);  // once, though two values may change
        EXPECT_EQ(store.providerRaw(), rawValue(row.target));
        EXPECT_EQ(store.model(), QString::fromLatin1(row.expectedModel));
    }
}

TEST_F(SettingsStoreTest, OnboardingMigrationRunsOnceAcrossLaunches) {
    // Provider, whose key is stored before the first launch; onboarding done after it.
    const std::tuple<const char*, bool, bool> table[] = {
        {"OpenAI", false, false}, {"Ollama", false, true}, {"Gemini", true, true}};
    for (const auto& [provider, keyStored, completed] : table) {
        SCOPED_TRACE(provider);
        QFile::remove(path());
        SettingsStore(path()).setProviderRaw(QString::fromLatin1(provider));
        const QString account = apiKeyAccount(SettingsStore(path()).provider());
        MemoryKeyStore keys;
        keys.saveAPIKey("sk-other", apiKeyAccount(ProviderKind::custom));
        if (keyStored) {
            keys.saveAPIKey("sk-1", account);
        }
        SettingsStore(path()).runOnboardingMigration(keys);
        EXPECT_TRUE(SettingsStore(path()).hasRunOnboardingMigration());
        EXPECT_EQ(SettingsStore(path()).hasCompletedOnboarding(), completed);
        // Neither a key that appears later nor "Replay first-run setup…" runs it again.
        keys.saveAPIKey("sk-2", account);
        SettingsStore(path()).setHasCompletedOnboarding(false);
        SettingsStore(path()).runOnboardingMigration(keys);
        EXPECT_FALSE(SettingsStore(path()).hasCompletedOnboarding());
    }
}

TEST_F(SettingsStoreTest, EveryChangedSettingAnnouncesItsTopicOnlyAndResetRestoresHotkeys) {
    // Keys with a topic: hotkeys, selection button, appearance, provider.
    const QList<QStringList> topics{{"hotkeyKeyCode", "hotkeyModifiers", "inPlaceHotkeyKeyCode",
                                     "inPlaceHotkeyModifiers", "inPlaceHotkeyEnabled"},
                                    {"selectionButtonEnabled"},
                                    {"appearance"},
                                    {"provider", "model"}};
    SettingsStore store(path());
    TopicSpies spies(store);
    QSignalSpy values(&store, &SettingsStore::valueChanged);
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        SCOPED_TRACE(field.key.toStdString());
        const QVariant other =
            field.type == QMetaType::Bool  ? QVariant(!field.defaultValue.toBool())
            : field.type == QMetaType::Int ? QVariant(field.defaultValue.toInt() + 1)
                                           : QVariant(field.defaultValue.toString() + "x");
        std::vector<qsizetype> expected = spies.counts();
        for (size_t topic = 0; topic < expected.size(); ++topic) {
            expected[topic] += topics[qsizetype(topic)].contains(field.key) ? 1 : 0;
        }
        const qsizetype valuesBefore = values.count();
        ASSERT_TRUE(store.setValue(field.key, other));
        ASSERT_TRUE(store.setValue(field.key, other));  // no change: no news
        EXPECT_EQ(spies.counts(), expected);
        EXPECT_EQ(values.count(), valuesBefore + 1);
    }

    std::vector<qsizetype> expected = spies.counts();
    ++expected[0];  // hotkeys, once for all five
    store.resetHotkeys();
    EXPECT_EQ(spies.counts(), expected);
    const SettingsStore reread(path());
    EXPECT_EQ(QList<int>({reread.hotkeyKeyCode(), reread.hotkeyModifiers(),
                          reread.inPlaceHotkeyKeyCode(), reread.inPlaceHotkeyModifiers()}),
              QList<int>({14, 2304, 14, 6400}));
    EXPECT_TRUE(reread.inPlaceHotkeyEnabled());
}

TEST_F(SettingsStoreTest, GenericSetValueChecksKeyAndType) {
    const struct {
        const char* key;
        QVariant value;
        bool accepted;
    } table[] = {{"model", "m", true},
                 {"model", 3, false},
                 {"autoPaste", false, true},
                 {"autoPaste", "false", false},
                 {"hotkeyKeyCode", 36, true},
                 {"hotkeyKeyCode", QVariant(qlonglong(40)), true},
                 {"hotkeyKeyCode", QVariant(qlonglong(1) << 40), false},
                 {"hotkeyKeyCode", true, false},
                 {"io.tessarine.history.v1", "[]", false},
                 {"noSuchSetting", "x", false}};
    for (const auto& row : table) {
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

TEST_F(SettingsStoreTest, FileIsOwnerOnlyAndStaysSoWhenReplaced) {
    // A permissive umask must not loosen anything.
    const struct Umask {
        mode_t old = ::umask(0);
        ~Umask() { ::umask(old); }
    } permissive;
    SettingsStore store(path());
    store.setModel("a");
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(modeOf(QFileInfo(path()).absolutePath()), 0700);
    // Every write replaces the file with a new one.
    store.setModel("b");
    EXPECT_EQ(modeOf(path()), 0600);

    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0644), 0);
    SettingsStore reopened(path());
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(reopened.model(), "b");
}

TEST(SettingsWatcher, ReportsWhatAnotherProcessChangedAsTheStoreDoesItsOwn) {
    QTemporaryDir dir;
    // The folder does not exist yet on a first run.
    const QString path = dir.filePath("tessarine/tessarine.conf");
    SettingsStore store(path);
    SettingsWatcher watcher(store);
    QSignalSpy changed(&watcher, &SettingsWatcher::changedElsewhere);
    TopicSpies spies(store);
    const auto next = [&changed] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 10000));
        return changed.isEmpty() ? QString() : changed.takeFirst().at(0).toString();
    };

    setElsewhere(path, "model", "llama3.1");
    EXPECT_EQ(store.model(), "llama3.1");  // every read goes to the file
    EXPECT_EQ(next(), "model");
    EXPECT_EQ(spies.counts(), (std::vector<qsizetype>{0, 0, 0, 1}));

    // The file is replaced on every write: later changes are still seen.
    setElsewhere(path, "hotkeyKeyCode", "36");
    EXPECT_EQ(next(), "hotkeyKeyCode");
    EXPECT_EQ(spies.counts(), (std::vector<qsizetype>{1, 0, 0, 1}));

    // A value that is already there changes nothing; our own writes are not reported here.
    setElsewhere(path, "model", "llama3.1");
    store.setDefaultToneRaw("casual");
    setElsewhere(path, "appearance", "dark");
    EXPECT_EQ(next(), "appearance");
    QTest::qWait(200);
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(spies.counts(), (std::vector<qsizetype>{1, 0, 1, 1}));
    EXPECT_EQ(modeOf(QFileInfo(path).absolutePath()), 0700);
}

// A writer killed at a random moment, over and over: every time, the file must still load and
// hold whole values only.
TEST_F(SettingsStoreTest, KilledWriterNeverLeavesATornFile) {
    int roundsSeen = 0;
    for (int kill = 0; kill < 25; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(TS_SETTINGS_WRITER), {"loop", path()});
        // Kill only once it is busy writing, at a point that varies from run to run.
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
        QTest::qWait(QRandomGenerator::global()->bounded(1, 40));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
        roundsSeen += int(writer.readAllStandardOutput().count('\n'));
        SettingsStore store(path());
        ASSERT_TRUE(test::payloadRound(store.styleProfile())) << kill;
        if (store.contains("styleSamples")) {
            ASSERT_TRUE(test::payloadRound(store.styleSamples())) << kill;
        }
    }
    EXPECT_GT(roundsSeen, 25);
}

// A writer killed between creating the lock file and filling it leaves it empty; QSettings alone
// would wait 30 seconds before it treats such a lock as abandoned.
TEST_F(SettingsStoreTest, EmptyLockLeftByADeadWriterDoesNotStallTheNextWrite) {
    for (const bool justLeft : {false, true}) {
        QFile lock(path() + ".lock");
        ASSERT_TRUE(test::writeFile(lock.fileName(), {}) && lock.open(QIODevice::Append));
        if (!justLeft) {
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                             QFileDevice::FileModificationTime);
        }
        lock.close();
        QElapsedTimer timer;
        timer.start();
        SettingsStore(path()).setModel(justLeft ? "b" : "a");
        EXPECT_LT(timer.elapsed(), 10000) << justLeft;
        EXPECT_EQ(SettingsStore(path()).model(), justLeft ? "b" : "a");
    }
}

}  // namespace
}  // namespace ts
