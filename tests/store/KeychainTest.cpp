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
    return runTool(QStringLiteral("secret-tool"),
                   {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("service"),
                    QStringLiteral("io.tessarine.app"), QStringLiteral("account"), accountName})
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
    Keychain m_keys{m_dir.filePath(QStringLiteral("keys"))};
};

TEST_F(KeychainTest, EveryKindKeepsOneItemWithItsKeyExactlyAsTyped) {
    const std::pair<ProviderKind, QString> table[] = {
        {ProviderKind::openai, QStringLiteral("sk-proj-abc123")},
        {ProviderKind::anthropic, QStringLiteral("  sk-ant with spaces\n")},
        {ProviderKind::gemini, QStringLiteral("AIza-ключ-🔑")},
        {ProviderKind::ollama, QString(4096, QLatin1Char('x'))},
        {ProviderKind::custom, QStringLiteral("tab\tand \"quotes\"")}};
    for (const auto& [kind, value] : table) {
        m_keys.saveAPIKey(QStringLiteral("replaced"), account(kind));
        m_keys.saveAPIKey(value, account(kind));
    }
    for (const auto& [kind, value] : table) {
        EXPECT_EQ(m_keys.readAPIKey(account(kind)), value) << rawValue(kind).toStdString();
        EXPECT_EQ(itemCount(account(kind)), 1) << rawValue(kind).toStdString();
    }
    EXPECT_TRUE(itemsOf(account(ProviderKind::gemini)).contains("Tessarine API key (Gemini)"));
    EXPECT_EQ(m_keys.locationDescription(), QStringLiteral("system keyring"));
    EXPECT_FALSE(QFile::exists(m_keys.fallbackFilePath()));

    // An empty key reads as none; a deleted one is gone; the other kinds keep theirs.
    m_keys.saveAPIKey(QString(), account(ProviderKind::gemini));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::gemini)).isEmpty());
    m_keys.deleteAPIKey(account(ProviderKind::openai));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::openai)).isEmpty());
    EXPECT_EQ(itemCount(account(ProviderKind::openai)), 0);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::anthropic)), table[1].second);
}

TEST_F(KeychainTest, FindsAndReplacesAKeyStoredWithSecretTool) {
    const ToolRun stored =
        runTool(QStringLiteral("secret-tool"),
                {QStringLiteral("store"), QStringLiteral("--label=typed by hand"),
                 QStringLiteral("service"), QStringLiteral("io.tessarine.app"),
                 QStringLiteral("account"), account(ProviderKind::openai)},
                "sk-from-secret-tool");
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::openai)), "sk-from-secret-tool");
    m_keys.saveAPIKey(QStringLiteral("sk-replaced"), account(ProviderKind::openai));
    EXPECT_EQ(itemCount(account(ProviderKind::openai)), 1);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::openai)), "sk-replaced");
}

TEST_F(KeychainTest, LaterCallsRunInOrderAndAnswerOnTheContextsThread) {
    m_keys.saveAPIKeyLater(QStringLiteral("sk-later"), account(ProviderKind::gemini));
    QObject context;
    std::optional<QString> answer;
    QThread* answeredOn = nullptr;
    m_keys.readAPIKeyLater(account(ProviderKind::gemini), &context, [&](const QString& key) {
        answer = key;
        answeredOn = QThread::currentThread();
    });
    EXPECT_FALSE(answer.has_value());  // never on the spot
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 30000));
    EXPECT_EQ(*answer, QStringLiteral("sk-later"));
    EXPECT_EQ(answeredOn, context.thread());
}

TEST_F(KeychainTest, AContextThatIsGoneGetsNoAnswer) {
    int late = 0;
    auto* gone = new QObject;
    m_keys.readAPIKeyLater(account(ProviderKind::openai), gone, [&](const QString&) { ++late; });
    delete gone;
    // Answers come in order: once the next one is there, the first was dropped.
    QObject context;
    bool answered = false;
    m_keys.readAPIKeyLater(account(ProviderKind::openai), &context,
                           [&](const QString&) { answered = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 30000));
    EXPECT_EQ(late, 0);
}

TEST_F(KeychainTest, ProgramEndingWithQueuedWorkSavesAndExits) {
    const ToolRun run = runTool(
        QStringLiteral(TS_KEYSTORE_PROBE),
        {QStringLiteral("-"), QStringLiteral("read-later"), account(ProviderKind::custom),
         QStringLiteral("save-later"), account(ProviderKind::custom), QStringLiteral("sk-at-exit"),
         QStringLiteral("read-later"), account(ProviderKind::custom)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::custom)), "sk-at-exit");
}

// Keychain in a process of its own, on a private bus that has no Secret Service (or one that
// never starts), or on no bus at all.
struct NoServiceCase {
    const char* name;
    bool bus;
    bool hangingService;
};

void PrintTo(const NoServiceCase& c, std::ostream* os) {
    *os << c.name;
}

class KeychainWithoutServiceTest : public ::testing::TestWithParam<NoServiceCase> {
protected:
    void TearDown() override {
        const int pid =
            test::readFile(m_dir.filePath(QStringLiteral("hung.pid"))).trimmed().toInt();
        if (pid > 0) {
            ::kill(pid, SIGKILL);
        }
    }

    QTemporaryDir m_dir;
};

TEST_P(KeychainWithoutServiceTest, KeysGoToTheOwnerOnlyFileWithoutLongPauses) {
    const QString services = m_dir.filePath(QStringLiteral("services"));
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("runtime"))));
    ASSERT_TRUE(test::writeFile(
        config, QStringLiteral("<busconfig><type>session</type><listen>unix:tmpdir=%1</listen>"
                               "<auth>EXTERNAL</auth><servicedir>%2</servicedir>"
                               "<policy context=\"default\"><allow send_destination=\"*\"/>"
                               "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy>"
                               "</busconfig>")
                    .arg(m_dir.path(), services)
                    .toUtf8()));
    ASSERT_TRUE(QDir().mkpath(services));
    if (GetParam().hangingService) {
        // The bus can start it, but it never takes its name.
        ASSERT_TRUE(
            test::writeFile(services + QStringLiteral("/org.freedesktop.secrets.service"),
                            QStringLiteral("[D-BUS Service]\nName=org.freedesktop.secrets\n"
                                           "Exec=/bin/sh -c 'echo $$ > %1; exec /bin/sleep 200'\n")
                                .arg(m_dir.filePath(QStringLiteral("hung.pid")))
                                .toUtf8()));
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("runtime")));
    const QString keyFile = m_dir.filePath(QStringLiteral("config/tessarine/keys"));
    const QString account = QStringLiteral("io.tessarine.apikey.openai");
    // A permissive umask must not loosen the key file.
    const QString command =
        GetParam().bus
            ? QStringLiteral("umask 000; exec dbus-run-session --config-file=\"$1\" -- \"${@:2}\"")
            : QStringLiteral("umask 000; exec \"${@:2}\"");
    const ToolRun run =
        runTool(QStringLiteral("/bin/bash"),
                {QStringLiteral("-c"), command, QStringLiteral("probe"), config,
                 QStringLiteral(TS_KEYSTORE_PROBE), keyFile, QStringLiteral("read-later"), account,
                 QStringLiteral("wait"), QStringLiteral("where"), QStringLiteral("save"), account,
                 QStringLiteral(" sk-typed\n"), QStringLiteral("read"), account,
                 QStringLiteral("delete"), account, QStringLiteral("read"), account},
                {}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QList<QJsonObject> lines;
    for (const QByteArray& line : run.out.trimmed().split('\n')) {
        lines.append(QJsonDocument::fromJson(line).object());
    }
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.at(1).value("result").toString(), QString());
    EXPECT_EQ(lines.at(2).value("result").toString(), keyFile);
    EXPECT_EQ(lines.at(4).value("result").toString(), QStringLiteral(" sk-typed\n"));
    EXPECT_TRUE(lines.at(6).value("result").toString().isEmpty());
    EXPECT_EQ(test::modeOf(keyFile), 0600);
    // Deciding where keys go costs one bounded pause at most (the bus alone would wait 25 s for
    // a service that never starts), taken off the asking thread, which goes on running its
    // timers meanwhile; every later call is quick.
    EXPECT_LT(lines.at(1).value("ms").toInt(), GetParam().hangingService ? 5000 : 1500);
    if (GetParam().hangingService) {
        EXPECT_GE(lines.at(1).value("ticks").toInt(), 5);
    }
    for (const qsizetype i : {0, 2, 3, 4, 5, 6}) {
        EXPECT_LT(lines.at(i).value("ms").toInt(), 1500) << i;
    }
    if (GetParam().hangingService) {
        EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("hung.pid"))))
            << "the bus never tried to start the service";
    }
}

INSTANTIATE_TEST_SUITE_P(Situations, KeychainWithoutServiceTest,
                         ::testing::Values(NoServiceCase{"NoSecretServiceOnTheBus", true, false},
                                           NoServiceCase{"NoSessionBusAtAll", false, false},
                                           NoServiceCase{"ServiceThatNeverStarts", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ts
