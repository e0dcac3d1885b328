#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "SettingsPayload.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

// A writer killed at a random moment, over and over: every time, the file must still load and
// hold whole values only.
TEST(SettingsAtomicityTest, KilledWriterNeverLeavesATornFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tessarine/tessarine.conf"));
    int roundsSeen = 0;
    for (int kill = 0; kill < 25; ++kill) {
        SCOPED_TRACE(kill);
        QProcess writer;
        writer.start(QStringLiteral(TS_SETTINGS_WRITER), {QStringLiteral("loop"), path});
        ASSERT_TRUE(writer.waitForStarted(10000));
        // Kill only once it is busy writing, at a point that varies from run to run.
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
        QTest::qWait(QRandomGenerator::global()->bounded(1, 40));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
        roundsSeen += writer.readAllStandardOutput().count('\n');

        QSettings raw(path, QSettings::IniFormat);
        ASSERT_EQ(raw.status(), QSettings::NoError);
        SettingsStore store(path);
        const auto profile = test::payloadRound(store.styleProfile());
        const auto samples = test::payloadRound(store.styleSamples());
        ASSERT_TRUE(profile.has_value()) << store.styleProfile().left(40).toStdString();
        if (store.contains(QStringLiteral("styleSamples"))) {
            ASSERT_TRUE(samples.has_value()) << store.styleSamples().left(40).toStdString();
        }
    }
    EXPECT_GT(roundsSeen, 25);
}

// A writer killed between creating the lock file and filling it leaves it empty; QSettings alone
// would wait 30 seconds before it treats such a lock as abandoned.
TEST(SettingsAtomicityTest, EmptyLockLeftByADeadWriterDoesNotStallTheNextWrite) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tessarine.conf"));
    for (const bool justLeft : {false, true}) {
        SCOPED_TRACE(justLeft);
        QFile lock(path + QStringLiteral(".lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (!justLeft) {
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                             QFileDevice::FileModificationTime);
        }
        lock.close();
        SettingsStore store(path);
        QElapsedTimer timer;
        timer.start();
        store.setModel(justLeft ? QStringLiteral("b") : QStringLiteral("a"));
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_EQ(SettingsStore(path).model(),
                  justLeft ? QStringLiteral("b") : QStringLiteral("a"));
    }
}

}  // namespace
}  // namespace ts
