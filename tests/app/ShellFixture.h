#pragma once

// The real program in a test's own folders and on a private session bus, for the tests of the
// shell and of the desktop's hotkey doors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "X11TestTools.h"
#include "store/SettingsStore.h"

namespace ts::test {

inline const QString kMainWindow = QStringLiteral("^Tessarine$");
inline const QString kOnboarding = QStringLiteral("^Welcome to Tessarine$");
inline const QString kAlert = QStringLiteral("^Enable rewriting in any app$");
inline constexpr int kWaitMs = 10000;

inline bool isVisible(const QString& title) {
    return !runTool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", title})
                .out.trimmed()
                .isEmpty();
}

inline bool becomes(const QString& title, bool visible) {
    return QTest::qWaitFor([&] { return isVisible(title) == visible; }, kWaitMs);
}

inline bool key(const QString& chord) {
    return xdotool({"key", chord});
}

// The tessarine program in the test's own XDG folders, its log collected; ended (and waited
// for) when the handle goes, also after a failed assertion.
class Program {
public:
    Program(const QString& root, const QStringList& args, const QStringList& extraEnv) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), root + QStringLiteral("/state"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        for (const QString& entry : extraEnv) {
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        }
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral(TESSARINE_APP_PATH), args);
        process_.waitForStarted(kWaitMs);
    }

    ~Program() {
        if (process_.state() == QProcess::NotRunning) {
            return;
        }
        process_.terminate();
        if (!QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QString log() {
        log_ += QString::fromUtf8(process_.readAll());
        return log_;
    }
    bool waitForLog(const QString& text) {
        return QTest::qWaitFor([&] { return log().contains(text); }, kWaitMs);
    }
    // The exit code once it has ended by itself, -1 otherwise.
    int waitForExit() {
        const bool ended =
            QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs);
        log();
        return ended && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
    QString log_;
};

// A session bus of the test's own without a Secret Service: keys are read from the key file,
// and the single-instance name is this test's alone.
class PrivateBus {
public:
    explicit PrivateBus(const QString& folder) {
        QDir().mkpath(folder + QStringLiteral("/services"));
        QFile config(folder + QStringLiteral("/bus.conf"));
        config.open(QIODevice::WriteOnly);
        config.write(
            QStringLiteral(
                "<busconfig><type>session</type><listen>unix:tmpdir=%1</listen>"
                "<servicedir>%1/services</servicedir><policy context=\"default\">"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                "<allow own=\"*\"/></policy></busconfig>")
                .arg(folder)
                .toUtf8());
        config.close();
        daemon_ = std::make_unique<RunningProgram>(
            QStringLiteral("dbus-daemon"),
            QStringList{QStringLiteral("--config-file=") + config.fileName(),
                        QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (QTest::qWaitFor([&] { return daemon_->process().canReadLine(); }, kWaitMs)) {
            address_ = QString::fromUtf8(daemon_->process().readLine().trimmed());
        }
    }
    const QString& address() const { return address_; }

private:
    std::unique_ptr<RunningProgram> daemon_;
    QString address_;
};

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(bus.address().isEmpty());
    }

    void TearDown() override { app.reset(); }

    std::unique_ptr<Program> start(const QStringList& args, QStringList env = {}) {
        env.append(QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + bus.address());
        return std::make_unique<Program>(dir.path(), args, env);
    }

    // Started and ready; the log is printed when it never gets there.
    void launch(const QStringList& env = {}) {
        app = start({}, env);
        ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] ready "))) << log();
    }

    void skipOnboarding() {
        settings.setHasRunOnboardingMigration(true);
        settings.setHasCompletedOnboarding(true);
    }

    std::string log() { return app ? app->log().toStdString() : std::string(); }

    QTemporaryDir dir;
    PrivateBus bus{dir.filePath(QStringLiteral("bus"))};
    SettingsStore settings{dir.filePath(QStringLiteral("config/tessarine/tessarine.conf"))};
    std::unique_ptr<Program> app;
};

}  // namespace ts::test
