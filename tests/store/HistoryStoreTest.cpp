#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "core/JsonDates.h"
#include "store/HistoryStore.h"

namespace ts {
namespace {

// One record written by hand, as another build of the program stores it.
const char* const storedRecord = R"({"id": "8D3E2A41-5B6C-4D7E-9F80-A1B2C3D4E5F6",
  "date": 760000000.25, "original": "hey can u send the file",
  "review": {"improved": "Could you send the file?",
             "whys": [{"kind": "tone", "text": "Warmer"}, {"kind": "clarity", "text": ""}]},
  "tone": "Casual", "context": "Chat", "provider": "Anthropic", "model": "claude-sonnet-4-6",
  "rating": "up", "mode": "Custom"})";

HistoryItem makeItem(int n) {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = referenceDate().addSecs(700000000 + n);
    item.original = QStringLiteral("original %1").arg(n);
    return item;
}

QByteArray compact(const QJsonArray& array) {
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

class HistoryStoreTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath("state/tessarine/history.json"); }
    QByteArray stored() const { return test::readFile(path()); }
    void store(const QByteArray& bytes) { ASSERT_TRUE(test::writeFile(path(), bytes)); }

    QTemporaryDir m_dir;
};

TEST_F(HistoryStoreTest, ReadsAndWritesTheRecordFormatInAnOwnerOnlyFile) {
    const QJsonObject record = QJsonDocument::fromJson(storedRecord).object();
    // Rating and mode may be absent or null, and are left out when none.
    QJsonObject absent = record;
    absent.remove("rating");
    absent.remove("mode");
    QJsonObject nulls = absent;
    nulls.insert("rating", QJsonValue::Null);
    nulls.insert("mode", QJsonValue::Null);
    const QByteArray handWritten = QJsonDocument(QJsonArray{record, absent, nulls}).toJson();
    store(handWritten);
    HistoryStore history(path());
    ASSERT_EQ(history.items().size(), 3);
    const HistoryItem item = history.items()[0];
    EXPECT_EQ(item.id.toString(QUuid::WithoutBraces), "8d3e2a41-5b6c-4d7e-9f80-a1b2c3d4e5f6");
    EXPECT_EQ(item.date, QDateTime(QDate(2025, 1, 31), QTime(7, 6, 40, 250), Qt::UTC));
    EXPECT_EQ(item.review.whys.size(), 2);
    EXPECT_EQ(item.review.whys[0].kind, WhyKind::tone);
    EXPECT_EQ(std::tuple(item.tone, item.context, item.provider, item.rating, item.mode),
              std::tuple(Tone::casual, AppContext::chat, ProviderKind::anthropic,
                         std::optional(Rating::up), std::optional(Mode::ask)));
    EXPECT_FALSE(history.items()[2].rating || history.items()[2].mode);

    EXPECT_EQ(stored(), handWritten);  // loading writes nothing
    history.remove(QUuid::createUuid());
    EXPECT_EQ(stored(), compact({record, absent, absent}));
    EXPECT_EQ(test::modeOf(path()), 0600);
}

TEST_F(HistoryStoreTest, LoadsALongerListAsItIsAndKeepsTheThirtyNewestOnAdd) {
    QJsonArray array;
    QList<HistoryItem> added;
    for (int n = 0; n < 32; ++n) {
        added.append(makeItem(n));
        array.append(added.last().toJson());
    }
    store(compact(array));
    HistoryStore history(path());
    EXPECT_EQ(history.items().size(), 32);
    const HistoryItem newest = makeItem(99);
    history.add(newest);
    ASSERT_EQ(history.items().size(), 30);
    EXPECT_EQ(history.items().first(), newest);
    EXPECT_EQ(history.items().last(), added.at(28));
    EXPECT_FALSE(history.item(added.at(29).id).has_value());
    EXPECT_EQ(HistoryStore(path()).items(), history.items());
}

TEST(RatingRuleTest, SamePressClearsOtherPressSwitches) {
    using R = std::optional<Rating>;
    const R none, up = Rating::up, down = Rating::down;
    const struct {
        R current, requested, expected;
    } table[] = {{none, up, up},     {none, down, down}, {none, none, none},
                 {up, up, none},     {up, down, down},   {up, none, none},
                 {down, down, none}, {down, up, up},     {down, none, none}};
    for (const auto& row : table) {
        EXPECT_EQ(nextRating(row.current, row.requested), row.expected);
    }
}

TEST_F(HistoryStoreTest, RatingsRemovalsAndClearingPersist) {
    HistoryStore history(path());
    EXPECT_FALSE(QFile::exists(path()));  // nothing is written before the first change
    const HistoryItem a = makeItem(1), b = makeItem(2), c = makeItem(3);
    for (const HistoryItem& item : {a, b, c}) {
        history.add(item);
    }
    EXPECT_EQ(test::modeOf(m_dir.filePath("state")), 0700);
    EXPECT_EQ(test::modeOf(QFileInfo(path()).absolutePath()), 0700);
    history.setRating(a.id, nextRating(std::nullopt, Rating::up));
    history.setRating(c.id, Rating::up);
    history.setRating(b.id, Rating::down);
    history.setRating(b.id, nextRating(history.item(b.id)->rating, Rating::down));
    HistoryStore reread(path());
    EXPECT_EQ(reread.thumbedUp(), (QList<HistoryItem>{*reread.item(c.id), *reread.item(a.id)}));
    EXPECT_FALSE(reread.item(b.id)->rating.has_value());

    // An id no longer there: no change, no write.
    const QByteArray before = stored();
    QSignalSpy changed(&history, &HistoryStore::changed);
    history.setRating(QUuid::createUuid(), Rating::up);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(stored(), before);

    history.remove(b.id);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(HistoryStore(path()).items().size(), 2);
    history.clear();
    history.clear();
    EXPECT_EQ(stored(), QByteArray("[]"));
}

}  // namespace
}  // namespace ts
