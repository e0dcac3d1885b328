#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "store/KeyFile.h"

namespace ts {
namespace {

using test::modeOf;

const QString openai = QStringLiteral("io.tessarine.apikey.openai");
const QString gemini = QStringLiteral("io.tessarine.apikey.gemini");

TEST(KeyFileTest, KeepsEachAccountExactlyInAnOwnerOnlyFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessarine/keys"));
    KeyFile file(path);
    const QString odd = QStringLiteral(" sk-ключ 🔑\n\"quoted\"\\ ");
    file.save(odd, openai);
    file.save(QStringLiteral("g-1"), gemini);
    file.save(QStringLiteral("g-2"), gemini);
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("tessarine"))), 0700);
    KeyFile reread(path);
    EXPECT_EQ(reread.read(openai), odd);
    EXPECT_EQ(reread.read(gemini), QStringLiteral("g-2"));
    reread.remove(gemini);
    EXPECT_TRUE(file.read(gemini).isEmpty());
    EXPECT_EQ(file.read(openai), odd);
    // Atomic replacement leaves no temporary files behind.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("tessarine"))).entryList(QDir::Files),
              QStringList{QStringLiteral("keys")});
}

TEST(KeyFileTest, LooseModeIsTightenedAndGarbageReadsEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys"));
    ASSERT_TRUE(test::writeFile(path, "not json"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    KeyFile file(path);
    EXPECT_TRUE(file.read(openai).isEmpty());
    file.save(QStringLiteral("k"), openai);
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_EQ(file.read(openai), QStringLiteral("k"));
}

}  // namespace
}  // namespace ts
