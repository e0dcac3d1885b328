#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "core/JsonDates.h"
#include "store/PromptStore.h"
#include "store/PromptsExport.h"

namespace ts {
namespace {

QByteArray exportFile(const QJsonValue& version, const QJsonValue& exportedAt,
                      const QJsonValue& prompts) {
    return QJsonDocument(
               QJsonObject{{"version", version}, {"exportedAt", exportedAt}, {"prompts", prompts}})
        .toJson();
}

QJsonObject entry(const QString& name, const QString& instruction) {
    return QJsonObject{{"name", name}, {"instruction", instruction}};
}

class PromptStoreTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath("prompts.json"); }
    QByteArray stored() const { return test::readFile(path()); }

    QTemporaryDir m_dir;
    PromptStore m_store{path()};
};

TEST_F(PromptStoreTest, StoresCompactRecordsWithUpperCaseIdsAndReferenceDates) {
    const auto saved = m_store.save("  Make it sound like me\n");
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(stored().contains('\n'));
    const QJsonArray array = QJsonDocument::fromJson(stored()).array();
    ASSERT_EQ(array.size(), 1);
    const QJsonObject record = array.at(0).toObject();
    EXPECT_EQ(record.keys(), (QStringList{"createdAt", "id", "instruction", "name"}));
    EXPECT_EQ(record.value("id").toString(), saved->id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(record.value("instruction").toString(), "Make it sound like me");
    EXPECT_EQ(record.value("name").toString(), "Make it sound like me");
    EXPECT_NEAR(record.value("createdAt").toDouble(-1),
                referenceDate().msecsTo(QDateTime::currentDateTimeUtc()) / 1000.0, 60.0);
    EXPECT_EQ(PromptStore(path()).items(), m_store.items());
    EXPECT_EQ(test::modeOf(path()), 0600);
}

TEST_F(PromptStoreTest, SavingTheSameInstructionAgainChangesNothing) {
    const auto first = m_store.save("Summarize in three bullets", "  Bullets  ");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->name, "Bullets");
    EXPECT_EQ(m_store.save("Rewrite this so a new colleague follows it", "   ")->name,
              "Rewrite this so a new colleague…");
    const QByteArray before = stored();
    QSignalSpy changed(&m_store, &PromptStore::changed);
    const auto again = m_store.save("\tSummarize in three bullets  ", "New name");
    EXPECT_EQ(again, first);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(m_store.items().at(1), *first);
    EXPECT_FALSE(m_store.save(" \n ").has_value());
    EXPECT_TRUE(m_store.isSaved(" Summarize in three bullets "));
    EXPECT_FALSE(m_store.isSaved("summarize in three bullets"));
    EXPECT_FALSE(m_store.isSaved("  "));
}

TEST_F(PromptStoreTest, RenameAndRemoveRewriteTheStoredValue) {
    const auto a = m_store.save("Fix the grammar only");
    const auto b = m_store.save("B");
    m_store.rename(a->id, "  Grammar  ");
    EXPECT_EQ(PromptStore(path()).items().last().name, "Grammar");
    // Empty names and unknown ids change nothing.
    const QByteArray before = stored();
    m_store.rename(a->id, " \n");
    m_store.rename(QUuid::createUuid(), "Other");
    EXPECT_EQ(stored(), before);

    // Written by someone else, pretty-printed: a remove rewrites it even without a match.
    ASSERT_TRUE(test::writeFile(path(), QJsonDocument::fromJson(before).toJson()));
    PromptStore store(path());
    store.remove(QUuid::createUuid());
    EXPECT_EQ(stored(), before);
    store.remove(b->id);
    EXPECT_EQ(PromptStore(path()).items().size(), 1);
    EXPECT_EQ(PromptStore(path()).items().first().id, a->id);
}

TEST_F(PromptStoreTest, FindsASavedPromptByName) {
    m_store.save("one", "Polish");
    m_store.save("two", "Sum");
    m_store.save("three", "Summarize long text");
    m_store.save("four", "Summarize");
    const struct {
        const char* query;
        const char* instruction;         // nullptr: none
    } table[] = {{"sum", "two"},         // exact beats an earlier prefix match
                 {"SUMMARIZE", "four"},  // names compared in lower case
                 {"summ", "four"},       // first prefix match, newest first
                 {"pol", "one"},        {"Polish text", nullptr},
                 {"olish", nullptr},    {"", nullptr}};
    for (const auto& row : table) {
        const auto found = m_store.find(QString::fromUtf8(row.query));
        EXPECT_EQ(found ? found->instruction : QString(), QString::fromUtf8(row.instruction))
            << row.query;
    }
}

TEST_F(PromptStoreTest, ExportIsPrettySortedAndImportRestoresInReverseOrder) {
    m_store.save("First instruction", "First");
    m_store.save("Second instruction");
    const QByteArray bytes = m_store.exportData().value_or(QByteArray());
    const QString exportedAt =
        QJsonDocument::fromJson(bytes).object().value("exportedAt").toString();
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$")
                    .match(exportedAt)
                    .hasMatch())
        << exportedAt.toStdString();
    EXPECT_LE(
        std::abs(
            QDateTime::fromString(exportedAt, Qt::ISODate).secsTo(QDateTime::currentDateTimeUtc())),
        60);
    // Pretty-printed, members in the promised order.
    EXPECT_TRUE(bytes.contains("{\n    \"exportedAt\": \""));
    EXPECT_EQ(
        QByteArray(bytes).replace("\n", "").replace("    ", "").replace("\": ", "\":"),
        R"({"exportedAt":")" + exportedAt.toUtf8() +
            R"(","prompts":[{"instruction":"Second instruction","name":"Second instruction"},)"
            R"({"instruction":"First instruction","name":"First"}],"version":1})");

    PromptStore other(m_dir.filePath("other.json"));
    EXPECT_EQ(other.importData(bytes), (PromptStore::ImportResult{2, 0}));
    ASSERT_EQ(other.items().size(), 2);
    EXPECT_EQ(other.items().at(0).name, "First");
    EXPECT_EQ(other.items().at(1).instruction, "Second instruction");
    EXPECT_NE(other.items().at(0).id, m_store.items().at(1).id);
    EXPECT_EQ(other.importData(bytes), (PromptStore::ImportResult{0, 2}));
}

TEST_F(PromptStoreTest, ImportSkipsEmptyAndDuplicateEntriesAndPushesOutTheOldest) {
    for (int n = 0; n < 28; ++n) {
        m_store.save(QStringLiteral("old %1").arg(n));
    }
    const QByteArray bytes =
        exportFile(1, "2025-03-01T09:30:00+02:00",
                   QJsonArray{entry(" One ", "  First new "), entry("", "Second new"),
                              entry("Dup", "old 27"), entry("Third", "Third new"),
                              entry("Empty", "   "), entry("Again", "First new")});
    EXPECT_EQ(m_store.importData(bytes), (PromptStore::ImportResult{3, 3}));
    const QList<CustomPrompt> items = PromptStore(path()).items();
    ASSERT_EQ(items.size(), 30);
    EXPECT_EQ(items.at(0).name, "Third");
    EXPECT_EQ(items.at(1).name, "Second new");
    EXPECT_EQ(items.at(2).name, "One");
    EXPECT_EQ(items.at(2).instruction, "First new");
    EXPECT_EQ(items.last().instruction, "old 1");
}

TEST_F(PromptStoreTest, RejectsBadFilesWithoutChangingTheStore) {
    const char* invalid = "The file isn't a valid Tessarine prompts export.";
    const QJsonArray one{entry("N", "I")};
    const char* date = "2025-03-01T09:30:00Z";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } table[] = {
        {"version 2", exportFile(2, date, one), "Export version 2 isn't supported by this app."},
        {"version 0", exportFile(0, date, one), "Export version 0 isn't supported by this app."},
        {"numeric exportedAt", exportFile(1, 762514200, one), invalid},
        {"fractional seconds", exportFile(1, "2025-03-01T09:30:00.5Z", one), invalid},
        {"no zone", exportFile(1, "2025-03-01T09:30:00", one), invalid},
        {"date only", exportFile(1, "2025-03-01", one), invalid},
        {"impossible date", exportFile(1, "2025-02-30T09:30:00Z", one), invalid},
        {"offset beyond 14 hours", exportFile(1, "2025-03-01T09:30:00+14:01", one), invalid},
        {"offset moves it before year 1", exportFile(1, "0001-01-01T00:30:00+01:00", one), invalid},
        {"version as text", exportFile("1", date, one), invalid},
        {"fractional version", exportFile(1.5, date, one), invalid},
        {"entry without name", exportFile(1, date, QJsonArray{QJsonObject{{"instruction", "I"}}}),
         invalid},
        {"prompts not an array", exportFile(1, date, "none"), invalid},
        {"not JSON", QByteArray("version: 1"), invalid}};
    m_store.save("Keep me");
    const QByteArray before = stored();
    for (const auto& row : table) {
        try {
            m_store.importData(row.bytes);
            ADD_FAILURE() << row.name << " accepted";
        } catch (const PromptStore::ImportError& error) {
            EXPECT_EQ(error.description(), QString::fromUtf8(row.message)) << row.name;
        }
        EXPECT_EQ(stored(), before) << row.name;
    }
}

TEST_F(PromptStoreTest, AcceptsAnyLayoutOffsetsAndExtraMembers) {
    const QByteArray bytes =
        "{ \"prompts\" : [ { \"note\": 1, \"name\": \"N\", \"instruction\": \"I\" } ],\n"
        "  \"version\": 1.0, \"app\": \"other\", \"exportedAt\": \"2025-03-01T09:30:00-0530\" }";
    EXPECT_EQ(m_store.importData(bytes), (PromptStore::ImportResult{1, 0}));
    EXPECT_EQ(PromptsExport::decode(bytes)->exportedAt,
              QDateTime(QDate(2025, 3, 1), QTime(15, 0), Qt::UTC));
    EXPECT_EQ(m_store.importData(exportFile(1, "2025-03-01T09:30:00Z", QJsonArray())),
              (PromptStore::ImportResult{0, 0}));
}

TEST(PromptOutcomeTextTest, CountsAndPlurals) {
    const std::pair<PromptStore::ImportResult, const char*> table[] = {
        {{0, 1}, "No new prompts — all 1 were already saved."},
        {{0, 4}, "No new prompts — all 4 were already saved."},
        {{3, 1}, "Imported 3 prompts; skipped 1 duplicate."},
        {{1, 2}, "Imported 1 prompt; skipped 2 duplicates."},
        {{1, 0}, "Imported 1 prompt."},
        {{0, 0}, "Imported 0 prompts."}};
    for (const auto& [result, text] : table) {
        EXPECT_EQ(PromptStore::importedText(result), QString::fromUtf8(text));
    }
    EXPECT_EQ(PromptStore::exportedText(1), "Exported 1 prompt.");
    EXPECT_EQ(PromptStore::exportedText(12), "Exported 12 prompts.");
}

}  // namespace
}  // namespace ts
