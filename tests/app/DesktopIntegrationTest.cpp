#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "LoopbackModelServer.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kImproved = QStringLiteral("Hello team, here is the plan.");
const QString kAppDir = QFileInfo(QStringLiteral(TESSARINE_APP_PATH)).absolutePath();

struct ToolRun {
    int exitCode = -1;
    QString out;
};

// Runs a tool to its end while the loopback server keeps answering.
ToolRun run(const QString& program, const QStringList& args, const QProcessEnvironment& env,
            int timeoutMs = 30000) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForStarted(5000) ||
        !QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
        return {-1, QString::fromUtf8(process.readAll())};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The real program in the test's own folders, talking to a loopback model server.
class DesktopIntegration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isListening());
        SettingsStore settings(root.filePath(QStringLiteral("config/tessarine/tessarine.conf")));
        settings.setHasCompletedOnboarding(true);
        settings.setProvider(ProviderKind::ollama);
        settings.setOllamaBaseURL(server.url(QStringLiteral("/v1")).toString());
        const QJsonObject message{{"role", "assistant"},
                                  {"content", kImproved + "\n<<<WHYS>>>\n- clarity: x"}};
        const QJsonObject choice{{"index", 0}, {"message", message}, {"finish_reason", "stop"}};
        server.on(
            "POST", "/v1/chat/completions",
            ScriptedResponse::json(200, QJsonDocument(QJsonObject{{"choices", QJsonArray{choice}}})
                                            .toJson(QJsonDocument::Compact)));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), root.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("PATH"), kAppDir + u':' + env.value(QStringLiteral("PATH")));
        env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    }

    void TearDown() override { endStarted(); }

    // Their folders go with the test: wait until they have written their last.
    void endStarted() {
        for (const qint64 pid : std::as_const(started)) {
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
        for (const qint64 pid : std::as_const(started)) {
            EXPECT_TRUE(
                QTest::qWaitFor([pid] { return ::kill(static_cast<pid_t>(pid), 0) != 0; }, 10000))
                << "process " << pid << " did not end";
        }
        started.clear();
    }

    // The process that owns the name on the bus at `address` (the session bus when empty), to
    // be ended after the test: the bus or a URL handler started it, not the test.
    void adoptOwner(const QString& address = {}) {
        QProcessEnvironment callEnv = env;
        if (!address.isEmpty()) {
            callEnv.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        }
        const ToolRun owner =
            run(QStringLiteral("gdbus"),
                {"call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                 "/org/freedesktop/DBus", "--method",
                 "org.freedesktop.DBus.GetConnectionUnixProcessID", "io.tessarine.Tessarine"},
                callEnv);
        // "(uint32 1234,)"
        const qint64 pid =
            owner.out.section(QLatin1Char(' '), 1).section(QLatin1Char(','), 0, 0).toLongLong();
        if (pid > 0) {
            started.append(pid);
        }
    }

    // The server also sees the program ask the local runtime to load the model.
    bool requested(const QString& text) {
        const auto seen = [&] {
            return std::any_of(server.requests().begin(), server.requests().end(),
                               [&](const RecordedRequest& request) {
                                   return QString::fromUtf8(request.body).contains(text);
                               });
        };
        if (QTest::qWaitFor(seen, 20000)) {
            return true;
        }
        ADD_FAILURE() << server.requests().size() << " requests, none with " << text.toStdString();
        return false;
    }

    QTemporaryDir root;
    LoopbackModelServer server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QList<qint64> started;
};

}  // namespace

TEST_F(DesktopIntegration, InstallPutsTheDesktopFilesInPlaceAndTheyValidate) {
    const QString prefix = root.filePath(QStringLiteral("prefix"));
    const ToolRun install = run(QStringLiteral("cmake"),
                                {"--install", TESSARINE_BUILD_DIR, "--prefix", prefix}, env, 60000);
    ASSERT_EQ(install.exitCode, 0) << install.out.toStdString();
    for (const char* path :
         {"bin/tessarine", "bin/tessarine-cli", "libexec/tessarine/tessarine-cli-full",
          "share/applications/io.tessarine.Tessarine.desktop",
          "share/metainfo/io.tessarine.Tessarine.metainfo.xml",
          "share/dbus-1/services/io.tessarine.Tessarine.service",
          "share/dbus-1/interfaces/io.tessarine.Services.xml",
          "share/icons/hicolor/scalable/apps/io.tessarine.Tessarine.svg",
          "share/icons/hicolor/16x16/apps/io.tessarine.Tessarine.png",
          "share/icons/hicolor/256x256/apps/io.tessarine.Tessarine.png"}) {
        EXPECT_TRUE(QFileInfo::exists(prefix + u'/' + QLatin1String(path))) << path;
    }
    EXPECT_TRUE(fileText(prefix + "/share/dbus-1/services/io.tessarine.Tessarine.service")
                    .contains("\nExec=" + prefix + "/bin/tessarine\n"));
    const ToolRun desktop =
        run(QStringLiteral("desktop-file-validate"),
            {prefix + "/share/applications/io.tessarine.Tessarine.desktop"}, env);
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out.toStdString();
    EXPECT_TRUE(desktop.out.isEmpty()) << desktop.out.toStdString();
    const ToolRun metainfo = run(
        QStringLiteral("appstreamcli"),
        {"validate", "--no-net", prefix + "/share/metainfo/io.tessarine.Tessarine.metainfo.xml"},
        env);
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.out.toStdString();
}

// A bus of our own whose service folder holds the activation file: nothing runs until the call.
TEST_F(DesktopIntegration, ACallStartsTessarineThroughTheActivationFile) {
    QDir(root.path()).mkpath(QStringLiteral("services"));
    QFile service(root.filePath(QStringLiteral("services/io.tessarine.Tessarine.service")));
    ASSERT_TRUE(service.open(QIODevice::WriteOnly));
    service.write(
        fileText(QStringLiteral(TESSARINE_SOURCE_DIR "/data/io.tessarine.Tessarine.service.in"))
            .replace(QStringLiteral("@TS_INSTALL_BINDIR@"), kAppDir)
            .toUtf8());
    service.close();
    QFile config(root.filePath(QStringLiteral("bus.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<busconfig><type>session</type>"
                                "<listen>unix:tmpdir=%1</listen><servicedir>%2</servicedir>"
                                "<policy context=\"default\"><allow send_destination=\"*\"/>"
                                "<allow own=\"*\"/><allow eavesdrop=\"true\"/></policy>"
                                "</busconfig>")
                     .arg(root.path(), root.filePath(QStringLiteral("services")))
                     .toUtf8());
    config.close();
    QProcess bus;
    bus.setProcessEnvironment(env);
    bus.start(QStringLiteral("dbus-daemon"),
              {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();

    QProcessEnvironment callEnv = env;
    callEnv.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    const ToolRun call = run(QStringLiteral("gdbus"),
                             {"call", "--session", "-t", "60", "--dest", "io.tessarine.Tessarine",
                              "--object-path", "/io/tessarine/Services", "--method",
                              "io.tessarine.Services.RewriteWithTessarine", "hello team here plan"},
                             callEnv, 60000);
    adoptOwner(address);
    EXPECT_EQ(call.exitCode, 0) << call.out.toStdString();
    EXPECT_EQ(call.out.trimmed(), "('" + kImproved + "',)");
    EXPECT_TRUE(requested(QStringLiteral("hello team here plan")));
    endStarted();
    bus.terminate();
    bus.waitForFinished(5000);
}

// tessarine-cli open starts the program when none runs; xdg-open then finds it through the
// desktop entry, and the running program starts each request.
TEST_F(DesktopIntegration, CliOpenAndXdgOpenHandTheUrlToTessarine) {
    const ToolRun cli = run(QStringLiteral(TESSARINE_CLI_PATH),
                            {"open", "tessarine://rewrite?text=From%20the%20cli&run=1"}, env);
    ASSERT_EQ(cli.exitCode, 0) << cli.out.toStdString();
    ASSERT_TRUE(requested(QStringLiteral("From the cli")));
    adoptOwner();
    ASSERT_FALSE(started.isEmpty());

    const QString applications = root.filePath(QStringLiteral("data/applications"));
    QDir().mkpath(applications);
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TESSARINE_SOURCE_DIR "/data/io.tessarine.Tessarine.desktop"),
                    applications + QStringLiteral("/io.tessarine.Tessarine.desktop")));
    ASSERT_EQ(run(QStringLiteral("update-desktop-database"), {applications}, env).exitCode, 0);
    const ToolRun open =
        run(QStringLiteral("xdg-open"), {"tessarine://rewrite?text=Hello%20team&run=1"}, env);
    EXPECT_EQ(open.exitCode, 0) << open.out.toStdString();
    EXPECT_TRUE(requested(QStringLiteral("Hello team")));
}
