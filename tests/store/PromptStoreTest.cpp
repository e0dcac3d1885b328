#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/JsonDates.h"
#include "store/PromptStore.h"
#include "store/PromptsExport.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

const QString promptsKey = QStringLiteral("io.tessarine.customPrompts.v1");

QByteArray exportFile(const QJsonValue& version, const QJsonValue& exportedAt,
                      const QJsonArray& prompts) {
    return QJsonDocument(
               QJsonObject{{"version", version}, {"exportedAt", exportedAt}, {"prompts", prompts}})
        .toJson();
}

QJsonObject entry(const QString& name, const QString& instruction) {
    return QJsonObject{{"name", name}, {"instruction", instruction}};
}

class PromptStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QTemporaryDir m_dir;
    SettingsStore m_settings{m_dir.filePath(QStringLiteral("tessarine.conf"))};
    PromptStore m_store{m_settings};
};

TEST_F(PromptStoreTest, StoresCompactRecordsWithUpperCaseIdsAndReferenceDates) {
    const auto saved = m_store.save(QStringLiteral("  Make it sound like me\n"));
    ASSERT_TRUE(saved.has_value());
    const QByteArray bytes = m_settings.data(promptsKey);
    EXPECT_FALSE(bytes.contains('\n'));
    const QJsonArray array = QJsonDocument::fromJson(bytes).array();
    ASSERT_EQ(array.size(), 1);
    const QJsonObject record = array.at(0).toObject();
    EXPECT_EQ(record.keys(), (QStringList{"createdAt", "id", "instruction", "name"}));
    EXPECT_EQ(record.value("id").toString(), saved->id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(record.value("instruction").toString(), QStringLiteral("Make it sound like me"));
    EXPECT_EQ(record.value("name").toString(), QStringLiteral("Make it sound like me"));
    ASSERT_TRUE(record.value("createdAt").isDouble());
    EXPECT_NEAR(record.value("createdAt").toDouble(),
                referenceDate().msecsTo(QDateTime::currentDateTimeUtc()) / 1000.0, 60.0);
    EXPECT_EQ(PromptStore(m_settings).items(), m_store.items());
}

TEST_F(PromptStoreTest, SavingTheSameInstructionAgainChangesNothing) {
    const auto first =
        m_store.save(QStringLiteral("Summarize in three bullets"), QStringLiteral("  Bullets  "));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->name, QStringLiteral("Bullets"));
    m_store.save(QStringLiteral("Other"));
    const QByteArray before = m_settings.data(promptsKey);
    QSignalSpy changed(&m_store, &PromptStore::changed);
    const auto again =
        m_store.save(QStringLiteral("\tSummarize in three bullets  "), QStringLiteral("New name"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(m_settings.data(promptsKey), before);
    EXPECT_EQ(m_store.items().at(1), *first);
    EXPECT_FALSE(m_store.save(QStringLiteral(" \n ")).has_value());
    EXPECT_TRUE(m_store.isSaved(QStringLiteral(" Other ")));
    EXPECT_FALSE(m_store.isSaved(QStringLiteral("other")));
    EXPECT_FALSE(m_store.isSaved(QStringLiteral("  ")));
}

TEST_F(PromptStoreTest, NamesFallBackToTheSuggestedName) {
    const QString longInstruction = QStringLiteral("Rewrite this so a new colleague follows it");
    EXPECT_EQ(m_store.save(longInstruction, QStringLiteral("   "))->name,
              QStringLiteral("Rewrite this so a new colleague…"));
    EXPECT_EQ(m_store.save(QStringLiteral("Short one"), std::nullopt)->name,
              QStringLiteral("Short one"));
}

TEST_F(PromptStoreTest, ThirtyFirstPromptDropsTheOldest) {
    for (int n = 0; n < 31; ++n) {
        m_store.save(QStringLiteral("instruction %1").arg(n));
    }
    ASSERT_EQ(m_store.items().size(), 30);
    EXPECT_EQ(m_store.items().first().instruction, QStringLiteral("instruction 30"));
    EXPECT_EQ(m_store.items().last().instruction, QStringLiteral("instruction 1"));
    EXPECT_EQ(PromptStore(m_settings).items().size(), 30);
}

TEST_F(PromptStoreTest, RenameTrimsAndIgnoresEmptyNamesAndUnknownIds) {
    const auto prompt = m_store.save(QStringLiteral("Fix the grammar only"));
    m_store.rename(prompt->id, QStringLiteral("  Grammar  "));
    EXPECT_EQ(PromptStore(m_settings).items().first().name, QStringLiteral("Grammar"));
    const QByteArray before = m_settings.data(promptsKey);
    m_store.rename(prompt->id, QStringLiteral(" \n"));
    m_store.rename(QUuid::createUuid(), QStringLiteral("Other"));
    EXPECT_EQ(m_settings.data(promptsKey), before);
    EXPECT_EQ(m_store.items().first().name, QStringLiteral("Grammar"));
}

TEST_F(PromptStoreTest, RemoveRewritesTheValueEvenWithoutAMatch) {
    const auto a = m_store.save(QStringLiteral("A"));
    const auto b = m_store.save(QStringLiteral("B"));
    m_settings.setData(promptsKey,
                       QJsonDocument(QJsonArray{b->toJson(DateEncoding::referenceSeconds),
                                                a->toJson(DateEncoding::referenceSeconds)})
                           .toJson());
    PromptStore store(m_settings);
    store.remove(QUuid::createUuid());
    EXPECT_FALSE(m_settings.data(promptsKey).contains('\n'));
    store.remove(b->id);
    EXPECT_EQ(PromptStore(m_settings).items(), QList<CustomPrompt>{*a});
}

TEST_F(PromptStoreTest, FindsASavedPromptByName) {
    m_store.save(QStringLiteral("one"), QStringLiteral("Polish"));
    m_store.save(QStringLiteral("two"), QStringLiteral("Sum"));
    m_store.save(QStringLiteral("three"), QStringLiteral("Summarize long text"));
    m_store.save(QStringLiteral("four"), QStringLiteral("Summarize"));
    struct Row {
        const char* query;
        const char* instruction;  // nullptr: none
    };
    const std::vector<Row> table{
        {"sum", "two"},         // exact beats an earlier prefix match
        {"SUMMARIZE", "four"},  // names compared in lower case
        {"summ", "four"},       // first prefix match, newest first
        {"pol", "one"},        {"Polish text", nullptr}, {"olish", nullptr}, {"", nullptr},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.query);
        const auto found = m_store.find(QString::fromUtf8(row.query));
        if (!row.instruction) {
            EXPECT_FALSE(found.has_value());
            continue;
        }
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->instruction, QString::fromUtf8(row.instruction));
    }
}

TEST_F(PromptStoreTest, ExportIsPrettySortedAndDatedInUtc) {
    m_store.save(QStringLiteral("First instruction"), QStringLiteral("First"));
    m_store.save(QStringLiteral("Second instruction"), QStringLiteral("Second"));
    const auto bytes = m_store.exportData();
    ASSERT_TRUE(bytes.has_value());
    const QString text = QString::fromUtf8(*bytes);
    EXPECT_TRUE(text.contains(QLatin1Char('\n')));
    EXPECT_LT(text.indexOf("\"exportedAt\""), text.indexOf("\"prompts\""));
    EXPECT_LT(text.indexOf("\"prompts\""), text.indexOf("\"version\""));
    EXPECT_LT(text.indexOf("\"instruction\""), text.indexOf("\"name\""));

    const QJsonObject root = QJsonDocument::fromJson(*bytes).object();
    EXPECT_EQ(root.value("version"), QJsonValue(1));
    const QString exportedAt = root.value("exportedAt").toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
                    .match(exportedAt)
                    .hasMatch())
        << exportedAt.toStdString();
    const QDateTime when = QDateTime::fromString(exportedAt, Qt::ISODate);
    EXPECT_LE(std::abs(when.secsTo(QDateTime::currentDateTimeUtc())), 60);
    EXPECT_EQ(root.value("prompts").toArray(), (QJsonArray{entry("Second", "Second instruction"),
                                                           entry("First", "First instruction")}));
}

TEST_F(PromptStoreTest, ExportThenImportRestoresPromptsInReverseOrder) {
    m_store.save(QStringLiteral("Alpha instruction"), QStringLiteral("Alpha"));
    m_store.save(QStringLiteral("Beta instruction"));
    m_store.save(QStringLiteral("Gamma instruction"), QStringLiteral("Gamma"));
    const QByteArray bytes = *m_store.exportData();

    QTemporaryDir otherDir;
    SettingsStore otherSettings(otherDir.filePath(QStringLiteral("tessarine.conf")));
    PromptStore other(otherSettings);
    EXPECT_EQ(other.importData(bytes), (PromptStore::ImportResult{3, 0}));
    const QList<CustomPrompt> original = m_store.items();
    const QList<CustomPrompt> imported = other.items();
    ASSERT_EQ(imported.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const CustomPrompt& from = original.at(2 - i);
        EXPECT_EQ(imported.at(i).name, from.name);
        EXPECT_EQ(imported.at(i).instruction, from.instruction);
        EXPECT_NE(imported.at(i).id, from.id);
    }
    EXPECT_EQ(PromptStore(otherSettings).items(), imported);

    const auto again = other.importData(bytes);
    EXPECT_EQ(again, (PromptStore::ImportResult{0, 3}));
    EXPECT_EQ(PromptStore::importedText(again),
              QStringLiteral("No new prompts — all 3 were already saved."));
}

TEST_F(PromptStoreTest, ImportCountsEmptyAndDuplicateEntriesAsSkipped) {
    m_store.save(QStringLiteral("Already here"));
    const QByteArray bytes =
        exportFile(1, "2025-03-01T09:30:00Z",
                   QJsonArray{entry(" One ", "  First new "), entry("", "Second new"),
                              entry("Dup", "Already here"), entry("Third", "Third new"),
                              entry("Empty", "   "), entry("Again", "First new")});
    const auto result = m_store.importData(bytes);
    EXPECT_EQ(result, (PromptStore::ImportResult{3, 3}));
    ASSERT_EQ(m_store.items().size(), 4);
    EXPECT_EQ(m_store.items().at(0).name, QStringLiteral("Third"));
    EXPECT_EQ(m_store.items().at(1).name, QStringLiteral("Second new"));
    EXPECT_EQ(m_store.items().at(2).name, QStringLiteral("One"));
    EXPECT_EQ(m_store.items().at(2).instruction, QStringLiteral("First new"));
}

TEST_F(PromptStoreTest, ImportPastTheLimitPushesOutTheOldest) {
    for (int n = 0; n < 29; ++n) {
        m_store.save(QStringLiteral("old %1").arg(n));
    }
    const auto result = m_store.importData(
        exportFile(1, "2025-03-01T09:30:00+02:00",
                   QJsonArray{entry("a", "new a"), entry("b", "new b"), entry("c", "new c")}));
    EXPECT_EQ(result.added, 3);
    ASSERT_EQ(m_store.items().size(), 30);
    EXPECT_EQ(m_store.items().first().instruction, QStringLiteral("new c"));
    EXPECT_EQ(m_store.items().last().instruction, QStringLiteral("old 2"));
}

TEST_F(PromptStoreTest, RejectsBadFilesWithoutChangingTheStore) {
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const char* invalid = "The file isn't a valid Tessarine prompts export.";
    const QJsonArray one{entry("N", "I")};
    const std::vector<Row> table{
        {"version 2", exportFile(2, "2025-03-01T09:30:00Z", one),
         "Export version 2 isn't supported by this app."},
        {"version 0", exportFile(0, "2025-03-01T09:30:00Z", one),
         "Export version 0 isn't supported by this app."},
        {"numeric exportedAt", exportFile(1, 762514200, one), invalid},
        {"fractional seconds", exportFile(1, "2025-03-01T09:30:00.5Z", one), invalid},
        {"no zone", exportFile(1, "2025-03-01T09:30:00", one), invalid},
        {"date only", exportFile(1, "2025-03-01", one), invalid},
        {"impossible date", exportFile(1, "2025-02-30T09:30:00Z", one), invalid},
        {"version as text", exportFile("1", "2025-03-01T09:30:00Z", one), invalid},
        {"fractional version", exportFile(1.5, "2025-03-01T09:30:00Z", one), invalid},
        {"entry without name",
         exportFile(1, "2025-03-01T09:30:00Z", QJsonArray{QJsonObject{{"instruction", "I"}}}),
         invalid},
        {"prompts not an array",
         QJsonDocument(QJsonObject{{"version", 1}, {"exportedAt", "2025-03-01T09:30:00Z"}})
             .toJson(),
         invalid},
        {"not JSON", QByteArray("version: 1"), invalid},
    };
    m_store.save(QStringLiteral("Keep me"));
    const QByteArray before = m_settings.data(promptsKey);
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        try {
            m_store.importData(row.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const PromptStore::ImportError& error) {
            EXPECT_EQ(error.description(), QString::fromUtf8(row.message));
        }
        EXPECT_EQ(m_settings.data(promptsKey), before);
    }
}

TEST_F(PromptStoreTest, AcceptsAnyLayoutOffsetsAndExtraMembers) {
    const QByteArray bytes =
        "{ \"prompts\" : [ { \"note\": 1, \"name\": \"N\", \"instruction\": \"I\" } ],\n"
        "  \"version\": 1.0, \"app\": \"other\", \"exportedAt\": \"2025-03-01T09:30:00-0530\" }";
    EXPECT_EQ(m_store.importData(bytes), (PromptStore::ImportResult{1, 0}));
    EXPECT_EQ(PromptsExport::decode(bytes)->exportedAt,
              QDateTime(QDate(2025, 3, 1), QTime(15, 0), Qt::UTC));
    EXPECT_EQ(m_store.importData(exportFile(1, "2025-03-01T09:30:00Z", {})),
              (PromptStore::ImportResult{0, 0}));
}

TEST(PromptOutcomeTextTest, CountsAndPlurals) {
    struct Row {
        int added, skipped;
        const char* text;
    };
    const std::vector<Row> table{
        {0, 1, "No new prompts — all 1 were already saved."},
        {0, 4, "No new prompts — all 4 were already saved."},
        {3, 1, "Imported 3 prompts; skipped 1 duplicate."},
        {1, 2, "Imported 1 prompt; skipped 2 duplicates."},
        {1, 0, "Imported 1 prompt."},
        {2, 0, "Imported 2 prompts."},
        {0, 0, "Imported 0 prompts."},
    };
    for (const Row& row : table) {
        EXPECT_EQ(PromptStore::importedText({row.added, row.skipped}), QString::fromUtf8(row.text));
    }
    EXPECT_EQ(PromptStore::exportedText(1), QStringLiteral("Exported 1 prompt."));
    EXPECT_EQ(PromptStore::exportedText(0), QStringLiteral("Exported 0 prompts."));
    EXPECT_EQ(PromptStore::exportedText(12), QStringLiteral("Exported 12 prompts."));
}

TEST_F(PromptStoreTest, UnreadableStoredPromptsAreKeptAsideAtTheNextSave) {
    QJsonObject bad = m_store.save(QStringLiteral("x"))->toJson(DateEncoding::referenceSeconds);
    bad.remove(QStringLiteral("createdAt"));
    const QByteArray bytes = QJsonDocument(QJsonArray{bad}).toJson(QJsonDocument::Compact);
    m_settings.setData(promptsKey, bytes);
    PromptStore store(m_settings);
    EXPECT_TRUE(store.items().isEmpty());
    store.save(QStringLiteral("fresh"));
    EXPECT_EQ(m_settings.data(promptsKey + QStringLiteral(".unreadable")), bytes);
    EXPECT_EQ(PromptStore(m_settings).items().size(), 1);
}

}  // namespace
}  // namespace ts
