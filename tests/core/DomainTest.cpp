#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QSet>

#include "core/CustomPrompt.h"
#include "core/Enums.h"
#include "core/JsonDates.h"
#include "core/Review.h"

using namespace ts;

namespace {

// Every value survives its stored name; no other spelling of the name is read back.
template <typename E>
void expectRawValuesRoundTrip() {
    QSet<QString> names;
    for (E value : EnumCases<E>::all) {
        const QString raw = rawValue(value);
        names.insert(raw);
        EXPECT_EQ(fromRawValue<E>(raw), value) << raw.toStdString();
        EXPECT_EQ(enumFromJson<E>(QJsonValue(raw)), value) << raw.toStdString();
        const QString otherCase = raw == raw.toLower() ? raw.toUpper() : raw.toLower();
        EXPECT_EQ(fromRawValue<E>(otherCase), std::nullopt) << raw.toStdString();
        EXPECT_EQ(fromRawValue<E>(u' ' + raw), std::nullopt) << raw.toStdString();
    }
    EXPECT_EQ(names.size(), qsizetype(std::size(EnumCases<E>::all)));
}

QJsonValue parseJson(const char* text) {
    return QJsonDocument::fromJson(text).object();
}

}  // namespace

TEST(Enums, RawValuesRoundTrip) {
    expectRawValuesRoundTrip<Mode>();
    expectRawValuesRoundTrip<Tone>();
    expectRawValuesRoundTrip<AppContext>();
    expectRawValuesRoundTrip<ProviderKind>();
    expectRawValuesRoundTrip<Adjustment>();
    expectRawValuesRoundTrip<WhyKind>();
    expectRawValuesRoundTrip<DiffOp>();
    // Stored names that differ from the case names, as files written earlier hold them.
    EXPECT_EQ(fromRawValue<Mode>(u"Custom"), Mode::ask);
    EXPECT_EQ(fromRawValue<Mode>(u"Tone"), Mode::toneCheck);
    EXPECT_EQ(fromRawValue<Tone>(u"Formal"), std::nullopt);
    EXPECT_EQ(enumFromJson<Tone>(QJsonValue(3)), std::nullopt);
}

TEST(Review, JsonRequiresBothMembers) {
    EXPECT_EQ(Review::fromJson(parseJson(R"({"improved":"x"})")), std::nullopt);
    const auto empty = Review::fromJson(parseJson(R"({"improved":"x","whys":[]})"));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->whys.isEmpty());
    EXPECT_EQ(Review::fromJson(parseJson(R"({"improved":"x","whys":[{"kind":"Tone","text":""}]})")),
              std::nullopt);
    const Review review{"Hi", {{WhyKind::tone, "warmer"}, {WhyKind::other, ""}}};
    EXPECT_EQ(Review::fromJson(review.toJson()), review);
}

TEST(WhyBullet, IdentityIsKindAndText) {
    const WhyBullet a{WhyKind::tone, "softer opener"};
    EXPECT_EQ(a.id(), (WhyBullet{WhyKind::tone, "softer opener"}).id());
    EXPECT_NE(a.id(), (WhyBullet{WhyKind::clarity, "softer opener"}).id());
    EXPECT_NE(a.id(), (WhyBullet{WhyKind::tone, "softer"}).id());
}

TEST(CustomPrompt, SuggestedName) {
    struct Row {
        QString instruction;
        QString expected;
    };
    const QString ellipsis(QChar(0x2026));
    const QString thirtyTwo = "abcdefghij abcdefghij abcdefghij";  // 32 characters
    const QString noSpace40 = QString("x").repeated(40);
    // "e" + combining acute is one user-perceived character.
    const QString accented = QString("e\u0301").repeated(40);
    const Row rows[] = {
        {"   ", "Untitled"},
        {"\n\t ", "Untitled"},
        {thirtyTwo, thirtyTwo},
        {"  " + thirtyTwo + "\n", thirtyTwo},
        {"Make this sound friendlier please and thank you",
         "Make this sound friendlier" + ellipsis},
        {noSpace40, QString("x").repeated(32) + ellipsis},
        {accented, QString("e\u0301").repeated(32) + ellipsis},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CustomPrompt::suggestedName(row.instruction), row.expected)
            << row.instruction.toStdString();
    }
}

TEST(CustomPrompt, JsonRoundTripInBothDateEncodings) {
    const CustomPrompt prompt{QUuid::createUuid(), "Name", "Do it",
                              QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC)};
    for (DateEncoding encoding : {DateEncoding::referenceSeconds, DateEncoding::iso8601}) {
        EXPECT_EQ(CustomPrompt::fromJson(prompt.toJson(encoding), encoding), prompt);
    }
    const QJsonObject iso = prompt.toJson(DateEncoding::iso8601);
    EXPECT_EQ(iso.value("createdAt").toString(), "2026-03-01T09:30:00Z");
    EXPECT_EQ(iso.value("id").toString(), iso.value("id").toString().toUpper());
    QJsonObject missing = iso;
    missing.remove("instruction");
    EXPECT_EQ(CustomPrompt::fromJson(missing, DateEncoding::iso8601), std::nullopt);
}

TEST(JsonDates, ReferenceEpochIs2001) {
    const QDateTime date(QDate(2001, 1, 2), QTime(0, 0, 1, 500), Qt::UTC);
    EXPECT_DOUBLE_EQ(toReferenceSeconds(date), 86401.5);
    EXPECT_EQ(fromReferenceSeconds(86401.5), date);
    EXPECT_EQ(fromIso8601("2026-03-01T09:30:00.123Z"), std::nullopt);
    EXPECT_EQ(fromIso8601("2026-03-01T09:30:00+01:00"), std::nullopt);
}
