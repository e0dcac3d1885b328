#include "AppUnderTest.h"

#include <QProcessEnvironment>
#include <QTest>

namespace ts::test {

AppUnderTest::AppUnderTest(const QString& configHome, QProcessEnvironment env)
    : process_(std::make_unique<QProcess>()) {
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    // The history and saved prompts of this run stay beside its settings.
    env.insert(QStringLiteral("XDG_STATE_HOME"), configHome + QStringLiteral("/../state"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), configHome + QStringLiteral("/../data"));
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(QStringLiteral(TESSARINE_APP_PATH), {});
    process_->waitForStarted(10000);
}

AppUnderTest::~AppUnderTest() {
    if (process_->state() != QProcess::NotRunning && terminate() < 0) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

QString AppUnderTest::log() {
    log_ += QString::fromUtf8(process_->readAll());
    return log_;
}

QStringList AppUnderTest::logLines(const QString& containing) {
    return log().split(QLatin1Char('\n')).filter(containing);
}

bool AppUnderTest::waitForLog(const QString& text, int timeoutMs) {
    return QTest::qWaitFor([&] { return log().contains(text); }, timeoutMs);
}

int AppUnderTest::terminate() {
    process_->terminate();
    if (!QTest::qWaitFor([&] { return process_->state() == QProcess::NotRunning; }, 15000)) {
        return -1;
    }
    log();
    return process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
}

}  // namespace ts::test
