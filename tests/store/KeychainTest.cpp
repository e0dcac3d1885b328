#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

#include "TestFiles.h"
#include "store/Keychain.h"

namespace ts {
namespace {

QString account(ProviderKind kind) {
    return Keychain::apiKeyAccount(kind);
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QString& program, const QStringList& args, const QByteArray& input = {},
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        return {-1, {}, process.readAllStandardError()};
    }
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The items of one account as secret-tool sees them, whatever schema stored them.
QByteArray itemsOf(const QString& accountName) {
    return runTool("secret-tool",
                   {"search", "--all", "service", "io.tessarine.app", "account", accountName})
        .out;
}

int itemCount(const QString& accountName) {
    // Each item starts with a line "[/<number>]".
    return static_cast<int>((QByteArray("\n") + itemsOf(accountName)).count("\n[/"));
}

class KeychainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(m_keys.backend(), Keychain::Backend::secretService)
            << "the test environment's keyring is not reachable";
        clearAll();
    }
    void TearDown() override { clearAll(); }

    void clearAll() {
        for (ProviderKind kind : EnumCases<ProviderKind>::all) {
            m_keys.deleteAPIKey(account(kind));
        }
    }

    QTemporaryDir m_dir;
    Keychain m_keys{m_dir.filePath("keys")};
};

TEST_F(KeychainTest, EveryKindKeepsOneItemWithItsKeyExactlyAsTyped) {
    const std::pair<ProviderKind, QString> table[] = {
        {ProviderKind::openai, "sk-proj-abc123"},
        {ProviderKind::anthropic, "  sk-ant with spaces\n"},
        {ProviderKind::gemini, "AIza-ключ-🔑"},
        {ProviderKind::ollama, QString(4096, QLatin1Char('x'))},
        {ProviderKind::custom, "tab\tand \"quotes\""}};
    for (const auto& [kind, value] : table) {
        SCOPED_TRACE(rawValue(kind).toStdString());
        // Stored by hand with secret-tool, under its own schema: found, then replaced.
        const ToolRun stored = runTool("secret-tool",
                                       {"store", "--label=typed by hand", "service",
                                        "io.tessarine.app", "account", account(kind)},
                                       "sk-by-hand");
        ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
        EXPECT_EQ(m_keys.readAPIKey(account(kind)), "sk-by-hand");
        m_keys.saveAPIKey(value, account(kind));
    }
    for (const auto& [kind, value] : table) {
        EXPECT_EQ(m_keys.readAPIKey(account(kind)), value) << rawValue(kind).toStdString();
        EXPECT_EQ(itemCount(account(kind)), 1) << rawValue(kind).toStdString();
    }
    EXPECT_TRUE(itemsOf(account(ProviderKind::gemini)).contains("Tessarine API key (Gemini)"));
    EXPECT_EQ(m_keys.locationDescription(), "system keyring");
    EXPECT_FALSE(QFile::exists(m_keys.fallbackFilePath()));

    // An empty key reads as none; a deleted one is gone; the other kinds keep theirs.
    m_keys.saveAPIKey(QString(), account(ProviderKind::gemini));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::gemini)).isEmpty());
    m_keys.deleteAPIKey(account(ProviderKind::openai));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::openai)).isEmpty());
    EXPECT_EQ(itemCount(account(ProviderKind::openai)), 0);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::anthropic)), table[1].second);
}

TEST_F(KeychainTest, LaterCallsRunInOrderAndAnswerLiveContextsOnTheirThread) {
    int late = 0;
    auto* gone = new QObject;
    m_keys.readAPIKeyLater(account(ProviderKind::gemini), gone, [&](const QString&) { ++late; });
    delete gone;
    m_keys.saveAPIKeyLater("sk-later", account(ProviderKind::gemini));
    QObject context;
    std::optional<QString> answer;
    QThread* answeredOn = nullptr;
    m_keys.readAPIKeyLater(account(ProviderKind::gemini), &context, [&](const QString& key) {
        answer = key;
        answeredOn = QThread::currentThread();
    });
    EXPECT_FALSE(answer.has_value());  // never on the spot
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 30000));
    EXPECT_EQ(*answer, "sk-later");
    EXPECT_EQ(answeredOn, context.thread());
    EXPECT_EQ(late, 0);  // answers come in order: the one for the gone context was dropped
}

TEST_F(KeychainTest, ProgramEndingWithQueuedWorkSavesAndExits) {
    const QString custom = account(ProviderKind::custom);
    const ToolRun run = runTool(TS_KEYSTORE_PROBE, {"-", "read-later", custom, "save-later", custom,
                                                    "sk-at-exit", "read-later", custom});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(m_keys.readAPIKey(custom), "sk-at-exit");
}

// Keychain in a process of its own, on a private bus that has no Secret Service (or one that
// never starts), or on no bus at all.
struct NoServiceCase {
    const char* name;
    bool bus;
    bool hangingService;
};

class KeychainWithoutServiceTest : public ::testing::TestWithParam<NoServiceCase> {
protected:
    void TearDown() override {
        if (const int pid = test::readFile(m_dir.filePath("hung.pid")).trimmed().toInt()) {
            ::kill(pid, SIGKILL);
        }
    }

    QTemporaryDir m_dir;
};

TEST_P(KeychainWithoutServiceTest, KeysGoToTheOwnerOnlyFileWithoutLongPauses) {
    const bool hanging = GetParam().hangingService;
    const QString services = m_dir.filePath("services"), config = m_dir.filePath("bus.conf");
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("runtime")) && QDir().mkpath(services));
    ASSERT_TRUE(test::writeFile(
        config, QStringLiteral("<busconfig><type>session</type><listen>unix:tmpdir=%1</listen>"
                               "<auth>EXTERNAL</auth><servicedir>%2</servicedir>"
                               "<policy context=\"default\"><allow send_destination=\"*\"/>"
                               "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy>"
                               "</busconfig>")
                    .arg(m_dir.path(), services)
                    .toUtf8()));
    // The bus can start it, but it never takes its name.
    ASSERT_TRUE(!hanging ||
                test::writeFile(services + "/org.freedesktop.secrets.service",
                                QStringLiteral("[D-BUS Service]\nName=org.freedesktop.secrets\n"
                                               "Exec=/bin/sh -c 'echo $$ > %1; exec sleep 200'\n")
                                    .arg(m_dir.filePath("hung.pid"))
                                    .toUtf8()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    env.remove("DISPLAY");
    env.insert("XDG_RUNTIME_DIR", m_dir.filePath("runtime"));
    const QString keyFile = m_dir.filePath("config/tessarine/keys");
    const QString openai = account(ProviderKind::openai);
    // A permissive umask must not loosen the key file.
    const ToolRun run = runTool(
        "/bin/bash",
        {"-c",
         GetParam().bus ? "umask 000; exec dbus-run-session --config-file=\"$1\" -- \"${@:2}\""
                        : "umask 000; exec \"${@:2}\"",
         "probe", config, TS_KEYSTORE_PROBE, keyFile, "read-later", openai, "wait", "where", "save",
         openai, " sk-typed\n", "read", openai, "delete", openai, "read", openai},
        {}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QList<QJsonObject> lines;
    for (const QByteArray& line : run.out.trimmed().split('\n')) {
        lines.append(QJsonDocument::fromJson(line).object());
    }
    ASSERT_EQ(lines.size(), 7);
    const auto result = [&](int i) { return lines.at(i).value("result").toString(); };
    EXPECT_EQ(QStringList({result(1), result(2), result(4), result(6)}),
              QStringList({"", keyFile, " sk-typed\n", ""}));
    EXPECT_EQ(test::modeOf(keyFile), 0600);
    // Deciding where keys go costs one bounded pause at most (the bus alone would wait 25 s for
    // a service that never starts), taken off the asking thread, which goes on running its
    // timers meanwhile; every later call is quick.
    EXPECT_LT(lines.at(1).value("ms").toInt(), hanging ? 5000 : 1500);
    if (hanging) {
        EXPECT_GE(lines.at(1).value("ticks").toInt(), 5);
    }
    for (const int i : {0, 2, 3, 4, 5, 6}) {
        EXPECT_LT(lines.at(i).value("ms").toInt(), 1500) << i;
    }
    EXPECT_EQ(QFile::exists(m_dir.filePath("hung.pid")), hanging)
        << "the bus never tried to start the service";
}

INSTANTIATE_TEST_SUITE_P(Situations, KeychainWithoutServiceTest,
                         ::testing::Values(NoServiceCase{"NoSecretServiceOnTheBus", true, false},
                                           NoServiceCase{"NoSessionBusAtAll", false, false},
                                           NoServiceCase{"ServiceThatNeverStarts", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ts
