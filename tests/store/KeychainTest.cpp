#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

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

ToolRun runTool(const QString& program, const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(10000)) {
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Items of one account as secret-tool sees them, whatever schema stored them.
int itemCount(const QString& accountName) {
    const ToolRun run =
        runTool(QStringLiteral("secret-tool"),
                {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("service"),
                 QStringLiteral("io.tessarine.app"), QStringLiteral("account"), accountName});
    // Each item starts with a line "[/<number>]".
    return static_cast<int>((QByteArray("\n") + run.out).count("\n[/"));
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

TEST_F(KeychainTest, EveryKindKeepsItsOwnKeyExactlyAsTyped) {
    const std::vector<std::pair<ProviderKind, QString>> table{
        {ProviderKind::openai, QStringLiteral("sk-proj-abc123")},
        {ProviderKind::anthropic, QStringLiteral("  sk-ant with spaces\n")},
        {ProviderKind::gemini, QStringLiteral("AIza-ключ-🔑")},
        {ProviderKind::ollama, QString(4096, QLatin1Char('x'))},
        {ProviderKind::custom, QStringLiteral("tab\tand \"quotes\"")},
    };
    for (const auto& [kind, value] : table) {
        m_keys.saveAPIKey(value, account(kind));
    }
    for (const auto& [kind, value] : table) {
        SCOPED_TRACE(rawValue(kind).toStdString());
        EXPECT_EQ(m_keys.readAPIKey(account(kind)), value);
        EXPECT_EQ(itemCount(account(kind)), 1);
    }
    EXPECT_EQ(m_keys.locationDescription(), QStringLiteral("system keyring"));
    EXPECT_FALSE(QFile::exists(m_keys.fallbackFilePath()));
}

TEST_F(KeychainTest, SavingTwiceLeavesOneItemWithTheSecondValue) {
    m_keys.saveAPIKey(QStringLiteral("first"), account(ProviderKind::gemini));
    m_keys.saveAPIKey(QStringLiteral("second"), account(ProviderKind::gemini));
    EXPECT_EQ(itemCount(account(ProviderKind::gemini)), 1);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::gemini)), QStringLiteral("second"));
    const ToolRun run = runTool(QStringLiteral("secret-tool"),
                                {QStringLiteral("search"), QStringLiteral("--all"),
                                 QStringLiteral("service"), QStringLiteral("io.tessarine.app"),
                                 QStringLiteral("account"), account(ProviderKind::gemini)});
    EXPECT_TRUE(run.out.contains("label = Tessarine API key (Gemini)")) << run.out.toStdString();
}

TEST_F(KeychainTest, EmptyKeyReadsEmptyAndOtherKindsStayUntouched) {
    m_keys.saveAPIKey(QStringLiteral("sk-openai"), account(ProviderKind::openai));
    m_keys.saveAPIKey(QStringLiteral("sk-gemini"), account(ProviderKind::gemini));
    m_keys.saveAPIKey(QString(), account(ProviderKind::gemini));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::gemini)).isEmpty());
    EXPECT_LE(itemCount(account(ProviderKind::gemini)), 1);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::openai)), QStringLiteral("sk-openai"));

    m_keys.deleteAPIKey(account(ProviderKind::openai));
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::openai)).isEmpty());
    EXPECT_EQ(itemCount(account(ProviderKind::openai)), 0);
    EXPECT_TRUE(m_keys.readAPIKey(account(ProviderKind::anthropic)).isEmpty());
}

TEST_F(KeychainTest, FindsAndReplacesAKeyStoredWithSecretTool) {
    const ToolRun stored =
        runTool(QStringLiteral("secret-tool"),
                {QStringLiteral("store"), QStringLiteral("--label=typed by hand"),
                 QStringLiteral("service"), QStringLiteral("io.tessarine.app"),
                 QStringLiteral("account"), account(ProviderKind::openai)},
                "sk-from-secret-tool");
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::openai)),
              QStringLiteral("sk-from-secret-tool"));
    m_keys.saveAPIKey(QStringLiteral("sk-replaced"), account(ProviderKind::openai));
    EXPECT_EQ(itemCount(account(ProviderKind::openai)), 1);
    EXPECT_EQ(m_keys.readAPIKey(account(ProviderKind::openai)), QStringLiteral("sk-replaced"));
}

// Keychain in a process of its own, on a private bus that has no Secret Service (or one that
// never starts).
class KeychainWithoutServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("services")));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("runtime")));
        m_config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile config(m_config);
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%2</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                         .arg(m_dir.path(), services())
                         .toUtf8());
    }

    void TearDown() override {
        QFile pidFile(m_dir.filePath(QStringLiteral("hung.pid")));
        if (pidFile.open(QIODevice::ReadOnly)) {
            const int pid = pidFile.readAll().trimmed().toInt();
            if (pid > 0) {
                ::kill(pid, SIGKILL);
            }
        }
    }

    QString services() const { return m_dir.filePath(QStringLiteral("services")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("config/tessarine/keys")); }

    // A Secret Service that the bus can start but that never takes its name.
    void installHangingService() {
        QFile service(services() + QStringLiteral("/org.freedesktop.secrets.service"));
        ASSERT_TRUE(service.open(QIODevice::WriteOnly));
        service.write(QStringLiteral("[D-BUS Service]\nName=org.freedesktop.secrets\n"
                                     "Exec=/bin/sh -c 'echo $$ > %1; exec /bin/sleep 200'\n")
                          .arg(m_dir.filePath(QStringLiteral("hung.pid")))
                          .toUtf8());
    }

    // One JSON object per operation; `onPrivateBus` false runs without any session bus.
    QList<QJsonObject> probe(const QStringList& ops, bool onPrivateBus = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("runtime")));
        QProcess process;
        process.setProcessEnvironment(env);
        const QStringList probeArgs = QStringList{keyFile()} + ops;
        // A permissive umask must not loosen the key file.
        const QString command = onPrivateBus
                                    ? QStringLiteral(
                                          "umask 000; exec dbus-run-session --config-file=\"$1\" "
                                          "-- \"$2\" \"${@:3}\"")
                                    : QStringLiteral("umask 000; exec \"$2\" \"${@:3}\"");
        process.start(QStringLiteral("/bin/bash"),
                      QStringList{QStringLiteral("-c"), command, QStringLiteral("probe"), m_config,
                                  QStringLiteral(TS_KEYSTORE_PROBE)} +
                          probeArgs);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        QList<QJsonObject> lines;
        for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty()) {
                lines.append(QJsonDocument::fromJson(line).object());
            }
        }
        EXPECT_EQ(lines.size(),
                  ops.count(QStringLiteral("read")) + ops.count(QStringLiteral("save")) +
                      ops.count(QStringLiteral("delete")) + ops.count(QStringLiteral("where")));
        return lines;
    }

    void expectKeptInTheOwnerOnlyFile(const QList<QJsonObject>& lines) {
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines.at(0).value("result").toString(), keyFile());
        EXPECT_EQ(lines.at(2).value("result").toString(), QStringLiteral(" sk-typed\n"));
        EXPECT_TRUE(lines.at(4).value("result").toString().isEmpty());
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(keyFile()).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }

    QTemporaryDir m_dir;
    QString m_config;
};

const QStringList fallbackOps{QStringLiteral("where"),
                              QStringLiteral("save"),
                              QStringLiteral("io.tessarine.apikey.openai"),
                              QStringLiteral(" sk-typed\n"),
                              QStringLiteral("read"),
                              QStringLiteral("io.tessarine.apikey.openai"),
                              QStringLiteral("delete"),
                              QStringLiteral("io.tessarine.apikey.openai"),
                              QStringLiteral("read"),
                              QStringLiteral("io.tessarine.apikey.openai")};

TEST_F(KeychainWithoutServiceTest, NoSecretServiceOnTheBusUsesTheFileQuickly) {
    const QList<QJsonObject> lines = probe(fallbackOps);
    expectKeptInTheOwnerOnlyFile(lines);
    for (const QJsonObject& line : lines) {
        EXPECT_LT(line.value("ms").toInt(), 1500) << line.value("op").toString().toStdString();
    }
}

TEST_F(KeychainWithoutServiceTest, NoSessionBusAtAllUsesTheFileQuickly) {
    const QList<QJsonObject> lines = probe(fallbackOps, false);
    expectKeptInTheOwnerOnlyFile(lines);
    for (const QJsonObject& line : lines) {
        EXPECT_LT(line.value("ms").toInt(), 1500) << line.value("op").toString().toStdString();
    }
}

TEST_F(KeychainWithoutServiceTest, ServiceThatNeverStartsCostsOnePauseNotTheBusTimeout) {
    installHangingService();
    const QList<QJsonObject> lines = probe(fallbackOps);
    expectKeptInTheOwnerOnlyFile(lines);
    ASSERT_FALSE(lines.isEmpty());
    // The bus itself would wait 25 seconds for the service to start.
    EXPECT_LT(lines.at(0).value("ms").toInt(), 5000);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        EXPECT_LT(lines.at(i).value("ms").toInt(), 1500)
            << lines.at(i).value("op").toString().toStdString();
    }
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("hung.pid"))))
        << "the bus never tried to start the service";
}

}  // namespace
}  // namespace ts
