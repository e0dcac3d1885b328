#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "store/HistoryStore.h"
#include "store/KeyFile.h"
#include "store/LegacyDocuments.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

using test::readFile;
using test::writeFile;

QJsonObject historyRecord() {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = QDateTime::currentDateTimeUtc();
    item.review.improved = "Better.";
    item.rating = Rating::down;
    item.mode = Mode::proofread;
    return item.toJson();
}

QJsonObject promptRecord() {
    return CustomPrompt{QUuid::createUuid(), "Name", "Do it", QDateTime::currentDateTimeUtc()}
        .toJson(DateEncoding::referenceSeconds);
}

// One good record and one with a member replaced (removed when `value` is undefined).
QByteArray withBadRecord(const QJsonObject& good, const char* member, const QJsonValue& value) {
    QJsonObject bad = good;
    if (value.isUndefined()) {
        bad.remove(member);
    } else {
        bad.insert(member, value);
    }
    return QJsonDocument(QJsonArray{good, bad}).toJson(QJsonDocument::Compact);
}

// Loads as an empty list and leaves the file alone; the first change keeps the old bytes aside.
template <typename Store, typename Change>
void expectKeptAside(const QByteArray& bytes, Change change) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tessarine/document.json");
    ASSERT_TRUE(writeFile(path, bytes));
    Store store(path);
    EXPECT_TRUE(store.items().isEmpty());
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_FALSE(QFile::exists(path + ".unreadable"));
    change(store);
    EXPECT_EQ(readFile(path + ".unreadable"), bytes);
    EXPECT_EQ(Store(path).items().size(), 1);
}

TEST(UnreadableDocumentTest, IsKeptAsideAtTheNextSave) {
    const auto add = [](HistoryStore& store) {
        store.add(*HistoryItem::fromJson(historyRecord()));
    };
    const auto save = [](PromptStore& store) { store.save("New"); };
    const QJsonValue none = QJsonValue::Undefined;
    const std::pair<const char*, QJsonValue> history[] = {
        {"tone", "Formal"},     {"provider", "openai"},
        {"context", 1},         {"date", "2025-01-31T05:06:40Z"},
        {"model", none},        {"review", none},
        {"rating", "sideways"}, {"mode", "ask"},
        {"id", "item-1"},       {"review", QJsonObject{{"improved", "x"}}}};
    for (const auto& [member, value] : history) {
        SCOPED_TRACE((member + QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
                         .toStdString());
        expectKeptAside<HistoryStore>(withBadRecord(historyRecord(), member, value), add);
    }
    expectKeptAside<HistoryStore>(R"({"id": "x"})", add);
    const std::pair<const char*, QJsonValue> prompts[] = {
        {"createdAt", none}, {"createdAt", "2025-03-01T09:30:00Z"}, {"name", 7}};
    for (const auto& [member, value] : prompts) {
        SCOPED_TRACE((member + QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
                         .toStdString());
        expectKeptAside<PromptStore>(withBadRecord(promptRecord(), member, value), save);
    }
    expectKeptAside<PromptStore>("[{\"id\":", save);
}

// "name: content" of each file, sorted by name.
using Files = QStringList;

class LegacyDocumentsTest : public ::testing::Test {
protected:
    QString settingsPath() const { return m_dir.filePath("config/t.conf"); }
    QString historyPath() const { return stateFolder() + "/history.json"; }
    QString stateFolder() const { return m_dir.filePath("state/tessarine"); }
    QString promptsPath() const { return m_dir.filePath("data/prompts.json"); }

    // As earlier versions kept them.
    void storeLegacy(const QString& key, const QByteArray& bytes) {
        QSettings(settingsPath(), QSettings::IniFormat).setValue(key, bytes);
    }
    void migrate() {
        SettingsStore settings(settingsPath());
        migrateLegacyDocuments(settings, historyPath(), promptsPath());
    }
    Files stateFiles() const {
        Files files;
        for (const QString& name : QDir(stateFolder()).entryList(QDir::Files, QDir::Name)) {
            files.append(name + ": " + readFile(stateFolder() + '/' + name));
        }
        return files;
    }

    QTemporaryDir m_dir;
};

TEST_F(LegacyDocumentsTest, MovesEachDocumentOnceAndLeavesOnlySettingsBehind) {
    migrate();
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());  // nothing to move writes nothing

    const QByteArray history = QJsonDocument(QJsonArray{historyRecord()}).toJson();
    const QByteArray prompts = "[{\"id\": 3";  // unreadable: moved as it is
    storeLegacy(HistoryStore::defaultsKey, history);
    storeLegacy(HistoryStore::defaultsKey + ".unreadable", "kept before");
    storeLegacy(PromptStore::defaultsKey, prompts);
    SettingsStore(settingsPath()).setModel("gpt-4.1");
    migrate();
    EXPECT_EQ(stateFiles(),
              (Files{"history.json: " + history, "history.json.unreadable: kept before"}));
    EXPECT_EQ(readFile(promptsPath()), prompts);
    for (const QString& path : {historyPath(), promptsPath()}) {
        EXPECT_EQ(test::modeOf(path), 0600);
        EXPECT_EQ(test::modeOf(QFileInfo(path).absolutePath()), 0700);
    }
    EXPECT_FALSE(readFile(settingsPath()).contains("io.tessarine"));
    EXPECT_EQ(SettingsStore(settingsPath()).model(), "gpt-4.1");
    EXPECT_EQ(HistoryStore(historyPath()).items().size(), 1);

    // From now on the files are the stores' own: a second start moves nothing over them.
    HistoryStore(historyPath()).clear();
    migrate();
    EXPECT_EQ(readFile(historyPath()), "[]");
    EXPECT_EQ(stateFiles().size(), 2);
}

TEST_F(LegacyDocumentsTest, FilesAlreadyThereAreNeverOverwritten) {
    const QByteArray legacy = QJsonDocument(QJsonArray{historyRecord()}).toJson();
    const QString moved = "history.json: " + legacy, mine = "history.json.unreadable: mine";
    const struct {
        const char* name;
        QList<std::pair<const char*, QByteArray>> before;
        Files after;
    } table[] = {{"same bytes, from a move cut short", {{"history.json", legacy}}, {moved, mine}},
                 {"other bytes",
                  {{"history.json", "[]"}},
                  {"history.json: []", "history.json.from-settings: " + legacy, mine}},
                 {"another unreadable copy",
                  {{"history.json.unreadable", "theirs"}},
                  {moved, "history.json.unreadable: theirs", "history.json.unreadable.1: mine"}}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QDir(stateFolder()).removeRecursively());
        for (const auto& [name, bytes] : row.before) {
            ASSERT_TRUE(writeFile(stateFolder() + '/' + name, bytes));
        }
        storeLegacy(HistoryStore::defaultsKey, legacy);
        storeLegacy(HistoryStore::defaultsKey + ".unreadable", "mine");
        migrate();
        EXPECT_EQ(stateFiles(), row.after);
        EXPECT_FALSE(SettingsStore(settingsPath()).legacyData(HistoryStore::defaultsKey));
    }
}

TEST(KeyFileTest, KeepsEachAccountExactlyTightensALooseFileAndKeepsAnUnreadableOneAside) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tessarine/keys");
    const QString openai = "io.tessarine.apikey.openai", gemini = "gemini";
    ASSERT_TRUE(writeFile(path, "not json"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    KeyFile file(path);
    EXPECT_TRUE(file.read(openai).isEmpty());
    const QString odd = " sk-ключ 🔑\n\"quoted\"\\ ";
    file.save(odd, openai);
    file.save("g-1", gemini);
    file.save("g-2", gemini);
    EXPECT_EQ(test::modeOf(path), 0600);
    KeyFile reread(path);
    EXPECT_EQ(reread.read(openai), odd);
    EXPECT_EQ(reread.read(gemini), "g-2");
    reread.remove(gemini);
    EXPECT_TRUE(file.read(gemini).isEmpty());
    EXPECT_EQ(file.read(openai), odd);
    // The file that held no keys is kept, and atomic replacement leaves nothing else behind.
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files),
              (QStringList{"keys", "keys.unreadable"}));
    EXPECT_EQ(readFile(path + ".unreadable"), "not json");
}

}  // namespace
}  // namespace ts
