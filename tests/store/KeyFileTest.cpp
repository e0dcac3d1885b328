#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/KeyFile.h"

namespace ts {
namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 0777;
}

TEST(KeyFileTest, KeepsEachAccountExactlyInAnOwnerOnlyFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessarine/keys"));
    KeyFile file(path);
    const QString odd = QStringLiteral(" sk-ключ 🔑\n\"quoted\"\\ ");
    file.save(odd, QStringLiteral("io.tessarine.apikey.openai"));
    file.save(QStringLiteral("g-1"), QStringLiteral("io.tessarine.apikey.gemini"));
    file.save(QStringLiteral("g-2"), QStringLiteral("io.tessarine.apikey.gemini"));
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("tessarine"))), 0700u);

    KeyFile reread(path);
    EXPECT_EQ(reread.read(QStringLiteral("io.tessarine.apikey.openai")), odd);
    EXPECT_EQ(reread.read(QStringLiteral("io.tessarine.apikey.gemini")), QStringLiteral("g-2"));
    reread.remove(QStringLiteral("io.tessarine.apikey.gemini"));
    EXPECT_TRUE(file.read(QStringLiteral("io.tessarine.apikey.gemini")).isEmpty());
    EXPECT_EQ(file.read(QStringLiteral("io.tessarine.apikey.openai")), odd);
    EXPECT_EQ(modeOf(path), 0600u);
    // Atomic replacement leaves no temporary files behind.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("tessarine"))).entryList(QDir::Files),
              QStringList{QStringLiteral("keys")});
}

TEST(KeyFileTest, LooseModeIsTightenedAndGarbageReadsEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys"));
    {
        QFile garbage(path);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("not json");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    KeyFile file(path);
    EXPECT_TRUE(file.read(QStringLiteral("io.tessarine.apikey.openai")).isEmpty());
    file.save(QStringLiteral("k"), QStringLiteral("io.tessarine.apikey.openai"));
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(file.read(QStringLiteral("io.tessarine.apikey.openai")), QStringLiteral("k"));
}

}  // namespace
}  // namespace ts
