#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/JsonDates.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

const QString historyKey = QStringLiteral("io.tessarine.history.v1");

// One record written by hand, as another build of the program stores it.
const char* const storedRecord = R"({
  "id": "8D3E2A41-5B6C-4D7E-9F80-A1B2C3D4E5F6",
  "date": 760000000.25,
  "original": "hey can u send the file",
  "review": {"improved": "Could you send the file?",
             "whys": [{"kind": "tone", "text": "Warmer"}, {"kind": "clarity", "text": ""}]},
  "tone": "Casual",
  "context": "Chat",
  "provider": "Anthropic",
  "model": "claude-sonnet-4-6",
  "rating": "up",
  "mode": "Custom"
})";

QJsonObject storedObject() {
    return QJsonDocument::fromJson(storedRecord).object();
}

HistoryItem makeItem(int n) {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = referenceDate().addSecs(700000000 + n);
    item.original = QStringLiteral("original %1").arg(n);
    item.review = Review{QStringLiteral("improved %1").arg(n), {}};
    item.model = QStringLiteral("gpt-4o-mini");
    return item;
}

class HistoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    SettingsStore& settings() { return m_settings; }
    QJsonArray storedArray() {
        return QJsonDocument::fromJson(m_settings.data(historyKey)).array();
    }

    QTemporaryDir m_dir;
    SettingsStore m_settings{m_dir.filePath(QStringLiteral("tessarine.conf"))};
};

TEST_F(HistoryStoreTest, EncodesTheStoredRecordFormat) {
    HistoryItem item;
    item.id = QUuid::fromString(QStringLiteral("{8d3e2a41-5b6c-4d7e-9f80-a1b2c3d4e5f6}"));
    item.date = QDateTime(QDate(2025, 1, 31), QTime(7, 6, 40, 250), Qt::UTC);
    item.original = QStringLiteral("hey can u send the file");
    item.review = Review{QStringLiteral("Could you send the file?"),
                         {{WhyKind::tone, QStringLiteral("Warmer")}, {WhyKind::clarity, {}}}};
    item.tone = Tone::casual;
    item.context = AppContext::chat;
    item.provider = ProviderKind::anthropic;
    item.model = QStringLiteral("claude-sonnet-4-6");
    item.rating = Rating::up;
    item.mode = Mode::ask;
    EXPECT_EQ(item.toJson(), storedObject());

    HistoryStore store(settings());
    store.add(item);
    ASSERT_EQ(storedArray().size(), 1);
    EXPECT_EQ(storedArray().at(0).toObject(), storedObject());
    EXPECT_FALSE(settings().data(historyKey).contains('\n'));
}

TEST_F(HistoryStoreTest, LeavesOutRatingAndModeWhenNone) {
    const QJsonObject json = makeItem(1).toJson();
    EXPECT_FALSE(json.contains(QStringLiteral("rating")));
    EXPECT_FALSE(json.contains(QStringLiteral("mode")));
    EXPECT_EQ(json.size(), 8);
}

TEST_F(HistoryStoreTest, LoadsRecordsWithoutOrWithNullOptionals) {
    QJsonObject absent = storedObject();
    absent.remove(QStringLiteral("rating"));
    absent.remove(QStringLiteral("mode"));
    QJsonObject nulls = storedObject();
    nulls.insert(QStringLiteral("rating"), QJsonValue::Null);
    nulls.insert(QStringLiteral("mode"), QJsonValue::Null);
    nulls.insert(QStringLiteral("id"), QStringLiteral("1D3E2A41-5B6C-4D7E-9F80-A1B2C3D4E5F6"));
    settings().setData(historyKey,
                       QJsonDocument(QJsonArray{absent, nulls}).toJson(QJsonDocument::Compact));
    HistoryStore store(settings());
    ASSERT_EQ(store.items().size(), 2);
    for (const HistoryItem& item : store.items()) {
        EXPECT_FALSE(item.rating.has_value());
        EXPECT_FALSE(item.mode.has_value());
        EXPECT_EQ(item.date, QDateTime(QDate(2025, 1, 31), QTime(7, 6, 40, 250), Qt::UTC));
        EXPECT_EQ(item.review.whys.size(), 2);
    }
    EXPECT_EQ(store.items().at(0).id.toString(QUuid::WithoutBraces),
              QStringLiteral("8d3e2a41-5b6c-4d7e-9f80-a1b2c3d4e5f6"));
}

TEST_F(HistoryStoreTest, AnyBadRecordMakesTheDocumentUnreadableAndItIsKeptAside) {
    struct Row {
        const char* name;
        QByteArray bytes;
    };
    const auto with = [](const char* member, const QJsonValue& value) {
        QJsonObject good = storedObject();
        QJsonObject bad = good;
        if (value.isUndefined()) {
            bad.remove(QString::fromLatin1(member));
        } else {
            bad.insert(QString::fromLatin1(member), value);
        }
        return QJsonDocument(QJsonArray{good, bad}).toJson(QJsonDocument::Compact);
    };
    const std::vector<Row> table{
        {"tone Formal", with("tone", QStringLiteral("Formal"))},
        {"provider in lower case", with("provider", QStringLiteral("openai"))},
        {"context a number", with("context", 1)},
        {"date as text", with("date", QStringLiteral("2025-01-31T05:06:40Z"))},
        {"no model", with("model", QJsonValue::Undefined)},
        {"no review", with("review", QJsonValue::Undefined)},
        {"review without whys", with("review", QJsonObject{{"improved", "x"}})},
        {"unknown rating", with("rating", QStringLiteral("sideways"))},
        {"mode by case name", with("mode", QStringLiteral("ask"))},
        {"id not a UUID", with("id", QStringLiteral("item-1"))},
        {"object, not array", QJsonDocument(storedObject()).toJson()},
        {"not JSON", QByteArray("[{\"id\":")},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        settings().setData(historyKey + QStringLiteral(".unreadable"), {});
        settings().setData(historyKey, row.bytes);
        HistoryStore store(settings());
        EXPECT_TRUE(store.items().isEmpty());
        EXPECT_TRUE(settings().data(historyKey + QStringLiteral(".unreadable")).isEmpty());
        EXPECT_EQ(settings().data(historyKey), row.bytes);

        const HistoryItem item = makeItem(1);
        store.add(item);
        EXPECT_EQ(settings().data(historyKey + QStringLiteral(".unreadable")), row.bytes);
        ASSERT_EQ(storedArray().size(), 1);
        EXPECT_EQ(HistoryItem::fromJson(storedArray().at(0)), item);
    }
}

TEST_F(HistoryStoreTest, KeepsTheThirtyNewest) {
    HistoryStore store(settings());
    QList<HistoryItem> added;
    for (int n = 0; n < 31; ++n) {
        added.append(makeItem(n));
        store.add(added.last());
    }
    ASSERT_EQ(store.items().size(), 30);
    EXPECT_EQ(store.items().first(), added.last());
    EXPECT_EQ(store.items().last(), added.at(1));
    EXPECT_FALSE(store.item(added.first().id).has_value());
    EXPECT_EQ(storedArray().size(), 30);
}

TEST_F(HistoryStoreTest, LoadsALongerStoredListAsItIs) {
    QJsonArray array;
    for (int n = 0; n < 32; ++n) {
        array.append(makeItem(n).toJson());
    }
    settings().setData(historyKey, QJsonDocument(array).toJson(QJsonDocument::Compact));
    HistoryStore store(settings());
    EXPECT_EQ(store.items().size(), 32);
    EXPECT_EQ(store.items().first().original, QStringLiteral("original 0"));
    store.add(makeItem(99));
    EXPECT_EQ(store.items().size(), 30);
}

TEST(RatingRuleTest, SamePressClearsOtherPressSwitches) {
    using R = std::optional<Rating>;
    struct Row {
        R current, requested, expected;
    };
    const R none;
    const std::vector<Row> table{
        {none, Rating::up, Rating::up},
        {none, Rating::down, Rating::down},
        {none, none, none},
        {Rating::up, Rating::up, none},
        {Rating::up, Rating::down, Rating::down},
        {Rating::up, none, none},
        {Rating::down, Rating::down, none},
        {Rating::down, Rating::up, Rating::up},
        {Rating::down, none, none},
    };
    for (const Row& row : table) {
        EXPECT_EQ(nextRating(row.current, row.requested), row.expected);
    }
}

TEST_F(HistoryStoreTest, RatingsPersistAndFeedThumbedUp) {
    HistoryStore store(settings());
    const HistoryItem a = makeItem(1), b = makeItem(2), c = makeItem(3);
    store.add(a);
    store.add(b);
    store.add(c);
    store.setRating(a.id, nextRating(std::nullopt, Rating::up));
    store.setRating(c.id, Rating::up);
    store.setRating(b.id, Rating::down);
    // A second press on the same thumb clears it.
    store.setRating(b.id, nextRating(store.item(b.id)->rating, Rating::down));

    HistoryStore reread(settings());
    const QList<HistoryItem> up = reread.thumbedUp();
    ASSERT_EQ(up.size(), 2);
    EXPECT_EQ(up.at(0).id, c.id);
    EXPECT_EQ(up.at(1).id, a.id);
    EXPECT_FALSE(reread.item(b.id)->rating.has_value());

    const QByteArray before = settings().data(historyKey);
    QSignalSpy changed(&store, &HistoryStore::changed);
    store.setRating(QUuid::createUuid(), Rating::up);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(settings().data(historyKey), before);
}

TEST_F(HistoryStoreTest, RemoveAndClearRewriteTheStoredValue) {
    const HistoryItem a = makeItem(1), b = makeItem(2);
    // Stored by someone else, pretty-printed: any save replaces it with the compact form.
    settings().setData(historyKey, QJsonDocument(QJsonArray{b.toJson(), a.toJson()}).toJson());
    HistoryStore store(settings());
    QSignalSpy changed(&store, &HistoryStore::changed);
    store.remove(QUuid::createUuid());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(settings().data(historyKey),
              QJsonDocument(QJsonArray{b.toJson(), a.toJson()}).toJson(QJsonDocument::Compact));

    store.remove(b.id);
    ASSERT_EQ(HistoryStore(settings()).items().size(), 1);
    EXPECT_EQ(HistoryStore(settings()).items().first(), a);

    store.clear();
    store.clear();
    EXPECT_EQ(settings().data(historyKey), QByteArray("[]"));
    EXPECT_TRUE(HistoryStore(settings()).items().isEmpty());
}

}  // namespace
}  // namespace ts
