#include <gtest/gtest.h>

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"

using namespace ts;

namespace {

// Another process writing one setting, as tessarine-cli config set does.
void setElsewhere(const QString& path, const QString& key, const QString& value) {
    QProcess writer;
    writer.start(QStringLiteral(TS_SETTINGS_WRITER), {QStringLiteral("set"), path, key, value});
    ASSERT_TRUE(writer.waitForFinished(10000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
}

}  // namespace

TEST(SettingsWatcher, ReportsEachKeyAnotherProcessChanged) {
    QTemporaryDir dir;
    // The folder does not exist yet on a first run.
    const QString path = dir.filePath(QStringLiteral("tessarine/tessarine.conf"));
    SettingsStore store(path);
    SettingsWatcher watcher(store);
    QSignalSpy changed(&watcher, &SettingsWatcher::changedElsewhere);

    setElsewhere(path, QStringLiteral("model"), QStringLiteral("llama3.1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 10000));
    EXPECT_EQ(changed.takeFirst().at(0).toString(), QStringLiteral("model"));

    // The file is replaced on every write: later changes are still seen.
    setElsewhere(path, QStringLiteral("appearance"), QStringLiteral("dark"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 10000));
    EXPECT_EQ(changed.takeFirst().at(0).toString(), QStringLiteral("appearance"));
    EXPECT_EQ(store.appearance(), QStringLiteral("dark"));

    // Writing a value that is already there changes nothing; our own writes are ours.
    setElsewhere(path, QStringLiteral("model"), QStringLiteral("llama3.1"));
    store.setDefaultToneRaw(QStringLiteral("casual"));
    setElsewhere(path, QStringLiteral("appearance"), QStringLiteral("light"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 10000));
    QTest::qWait(200);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.takeFirst().at(0).toString(), QStringLiteral("appearance"));
}
