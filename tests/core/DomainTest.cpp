#include <gtest/gtest.h>

#include <QJsonDocument>

#include "core/CustomPrompt.h"
#include "core/Enums.h"
#include "core/JsonDates.h"
#include "core/Review.h"

using namespace ts;

namespace {

template <typename E>
QStringList rawValues() {
    QStringList out;
    for (E value : EnumCases<E>::all) {
        out << rawValue(value);
    }
    return out;
}

QJsonValue parseJson(const char* text) {
    return QJsonDocument::fromJson(text).object();
}

}  // namespace

TEST(Enums, RawValuesInDeclarationOrder) {
    EXPECT_EQ(rawValues<Mode>(), QStringList({"Rewrite", "Proofread", "Reply", "Custom", "Tone"}));
    EXPECT_EQ(rawValues<Tone>(), QStringList({"Professional", "Casual", "Friendly", "Concise"}));
    EXPECT_EQ(rawValues<AppContext>(), QStringList({"Email", "Chat", "Generic"}));
    EXPECT_EQ(rawValues<ProviderKind>(),
              QStringList({"OpenAI", "Anthropic", "Gemini", "Ollama", "Custom"}));
    EXPECT_EQ(rawValues<Adjustment>(),
              QStringList({"Shorter", "Longer", "Simpler", "Casual", "Formal", "Friendlier"}));
    EXPECT_EQ(rawValues<WhyKind>(), QStringList({"clarity", "tone", "concision", "other"}));
    EXPECT_EQ(rawValues<DiffOp>(), QStringList({"equal", "insert", "delete"}));
}

TEST(Enums, ParsingIsExactAndCaseSensitive) {
    EXPECT_EQ(fromRawValue<ProviderKind>(u"Custom"), ProviderKind::custom);
    EXPECT_EQ(fromRawValue<ProviderKind>(u"OpenAI"), ProviderKind::openai);
    EXPECT_EQ(fromRawValue<ProviderKind>(u"custom"), std::nullopt);
    EXPECT_EQ(fromRawValue<ProviderKind>(u"OPENAI"), std::nullopt);
    EXPECT_EQ(fromRawValue<ProviderKind>(u" OpenAI"), std::nullopt);
    EXPECT_EQ(fromRawValue<Mode>(u"Custom"), Mode::ask);
    EXPECT_EQ(fromRawValue<Mode>(u"Tone"), Mode::toneCheck);
    EXPECT_EQ(fromRawValue<Mode>(u"Ask"), std::nullopt);
    EXPECT_EQ(fromRawValue<Tone>(u"Formal"), std::nullopt);
    EXPECT_EQ(enumFromJson<Tone>(QJsonValue(3)), std::nullopt);
    EXPECT_EQ(enumFromJson<Tone>(QJsonValue("Casual")), Tone::casual);
}

TEST(Enums, PerCaseConstants) {
    EXPECT_TRUE(isSingleInput(Mode::rewrite));
    EXPECT_TRUE(isSingleInput(Mode::proofread));
    EXPECT_TRUE(isSingleInput(Mode::toneCheck));
    EXPECT_FALSE(isSingleInput(Mode::reply));
    EXPECT_FALSE(isSingleInput(Mode::ask));
    EXPECT_EQ(apiKeyAccount(ProviderKind::anthropic), "io.tessarine.apikey.anthropic");
    EXPECT_EQ(apiKeyAccount(ProviderKind::openai), "io.tessarine.apikey.openai");
    EXPECT_FALSE(requiresAPIKey(ProviderKind::ollama));
    EXPECT_TRUE(requiresAPIKey(ProviderKind::custom));
    EXPECT_EQ(defaultModel(ProviderKind::custom), "gpt-4o-mini");
    EXPECT_EQ(defaultModel(ProviderKind::anthropic), "claude-sonnet-4-6");
    EXPECT_EQ(instruction(Adjustment::shorter),
              "Cut roughly a third of the length while keeping the core ask.");
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

TEST(WhyBullet, IdentityIsKindHyphenText) {
    const WhyBullet a{WhyKind::tone, "softer opener"};
    const WhyBullet b{WhyKind::tone, "softer opener"};
    EXPECT_EQ(a.id(), "tone-softer opener");
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(a.id(), (WhyBullet{WhyKind::clarity, "softer opener"}).id());
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
