#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedProvider.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"
#include "store/StyleAnalyzer.h"

namespace ts {
namespace {

using test::ScriptedProvider;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

HistoryItem historyItem(const QString& original, const QString& improved,
                        std::optional<Rating> rating = Rating::up,
                        AppContext context = AppContext::email, Tone tone = Tone::professional) {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = QDateTime::currentDateTimeUtc();
    item.original = original;
    item.review = Review{improved, {}};
    item.tone = tone;
    item.context = context;
    item.rating = rating;
    return item;
}

QString longSample(int n) {
    return QStringLiteral("Sample paragraph number %1, long enough.").arg(n);
}

TEST(StyleSamples, SplitsAtBlankLinesAndKeepsPiecesOfTwentyCharacters) {
    const QString nineteen(19, u'x'), twenty(20, u'y');
    // Nineteen letters written as base letter plus combining accent: 38 code units.
    const QString accented = QStringLiteral("e\u0301").repeated(19);
    const struct {
        const char* name;
        QString text;
        QStringList expected;
    } cases[] = {
        {"empty", "", {}},
        {"three paragraphs, one short",
         "Thanks for the quick turnaround on this.\n\nok\n\nLet's ship it on Monday morning.",
         {"Thanks for the quick turnaround on this.", "Let's ship it on Monday morning."}},
        {"single line feeds join",
         "First line of one sample\nsecond line of it\n",
         {"First line of one sample\nsecond line of it"}},
        {"trimmed before measuring", "   " + nineteen + "  \n\n\t" + twenty + " \n", {twenty}},
        {"grapheme clusters", accented + "\n\n" + accented + "e", {accented + "e"}},
        {"three line feeds", twenty + "\n\n\n" + twenty, {twenty, twenty}},
        {"only blank lines", "\n\n\n\n  \n\n", {}}};
    for (const auto& c : cases) {
        EXPECT_EQ(StyleAnalyzer::samples(c.text), c.expected) << c.name;
    }
}

TEST(StyleUserMessage, LaysOutSamplesThenPairsEachOnlyWhenPresent) {
    const QStringList samples{"First sample text here.", "Second sample text here."};
    const QList<HistoryItem> pairs{
        historyItem("can u send it", "Can you send it?", Rating::up, AppContext::chat,
                    Tone::casual),
        historyItem("Hi,\nplease review.", "Hi,\n\nPlease review.", Rating::up)};
    const QString samplesPart =
        "Raw writing samples from the user (their authentic voice):\n\n"
        "Sample 1:\nFirst sample text here.\n\n---\n\nSample 2:\nSecond sample text here.";
    const QString pairsPart =
        "Thumbed-up rewrite pairs (AFTER is how the user likes their text):\n\n"
        "Pair 1 [context: Chat, tone: Casual]\nBEFORE:\ncan u send it\n\nAFTER:\nCan you send it?"
        "\n\n---\n\n"
        "Pair 2 [context: Email, tone: Professional]\nBEFORE:\nHi,\nplease review.\n\nAFTER:\n"
        "Hi,\n\nPlease review.";
    const QString closing = "\n\nNow produce the 150-word style description.";
    EXPECT_EQ(StyleAnalyzer::userMessage(samples, pairs),
              samplesPart + "\n\n===\n\n" + pairsPart + closing);
    EXPECT_EQ(StyleAnalyzer::userMessage(samples, {}), samplesPart + closing);
    EXPECT_EQ(StyleAnalyzer::userMessage({}, pairs), pairsPart + closing);
}

class StyleAnalyzerTest : public ::testing::Test {
protected:
    void thumbUp(int count) {
        for (int i = 0; i < count; ++i, ++added) {
            history.add(historyItem(QStringLiteral("before %1").arg(added), "after"));
        }
    }
    bool refreshAndWait(const QString& model = "m1") {
        QSignalSpy refreshing(&analyzer, &StyleAnalyzer::refreshingChanged);
        analyzer.refresh(provider, model);
        return QTest::qWaitFor([&] { return !analyzer.isRefreshing(); }, 5000) &&
               refreshing.size() == 2;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    StyleAnalyzer analyzer{settings, history};
    ScriptedProvider provider;
    int added = 0;
};

TEST_F(StyleAnalyzerTest, RefreshSendsTheNewestFifteenOfEachAndStoresTheTrimmedProfile) {
    settings.setStyleSamples(longSample(1) + "\n\ntoo short\n\n" + longSample(2));
    history.add(historyItem("down", "rated down", Rating::down));
    EXPECT_EQ(analyzer.inputCount(), 2);
    EXPECT_FALSE(analyzer.canRefresh());
    thumbUp(1);
    EXPECT_TRUE(analyzer.canRefresh());

    QStringList samples;
    for (int i = 1; i <= 20; ++i) {
        samples.append(longSample(i));
    }
    settings.setStyleSamples(samples.join("\n\n"));
    thumbUp(19);
    provider.enqueueAnswer({"\n  Plain, brisk, ", "no greetings.  "});
    QSignalSpy profile(&analyzer, &StyleAnalyzer::profileChanged);
    // A blank model setting means the provider's default.
    settings.setProviderRaw("Anthropic");
    settings.setModel(" ");
    ASSERT_TRUE(refreshAndWait(StyleAnalyzer::chosenModel(settings)));
    EXPECT_EQ(settings.styleProfile(), "Plain, brisk, no greetings.");
    EXPECT_EQ(settings.thumbedUpCountAtLastStyleRefresh(), 20);
    EXPECT_EQ(profile.size(), 1);
    ASSERT_EQ(provider.state().requests.size(), 1);
    const auto& request = provider.state().requests[0];
    EXPECT_EQ(request.operation, "complete");
    EXPECT_EQ(request.model, "claude-sonnet-4-6");
    EXPECT_EQ(request.systemPrompt, StyleAnalyzer::systemPrompt());
    EXPECT_THAT(
        request.userMessage.toStdString(),
        AllOf(HasSubstr("Sample 15:\n" + longSample(15).toStdString()),
              Not(HasSubstr(longSample(16).toStdString())),
              HasSubstr("Pair 1 [context: Email, tone: Professional]\nBEFORE:\nbefore 19\n"),
              HasSubstr("Pair 15 [context: Email, tone: Professional]\nBEFORE:\nbefore 5\n"),
              Not(HasSubstr("before 4\n"))));
    settings.setModel("claude-opus-4");
    EXPECT_EQ(StyleAnalyzer::chosenModel(settings), "claude-opus-4");
}

TEST_F(StyleAnalyzerTest, FailedRefreshKeepsProfileAndCountAndShowsTheError) {
    settings.setStyleProfile("Old profile.");
    settings.setThumbedUpCountAtLastStyleRefresh(2);
    settings.setStyleSamples(longSample(1));
    thumbUp(1);
    ASSERT_TRUE(refreshAndWait());
    EXPECT_EQ(analyzer.errorMessage(),
              "Need at least 3 thumbed-up reviews to analyze. You have 2.");
    EXPECT_THAT(provider.state().requests, IsEmpty());

    thumbUp(2);
    provider.enqueueError("API key rejected. Open Settings → Provider and re-check the key.");
    ASSERT_TRUE(refreshAndWait());
    EXPECT_EQ(analyzer.errorMessage(),
              "API key rejected. Open Settings → Provider and re-check the key.");
    EXPECT_EQ(settings.styleProfile(), "Old profile.");
    EXPECT_EQ(settings.thumbedUpCountAtLastStyleRefresh(), 2);

    // The next attempt starts without the old message.
    provider.enqueueAnswer({"New."});
    QSignalSpy errors(&analyzer, &StyleAnalyzer::errorMessageChanged);
    ASSERT_TRUE(refreshAndWait());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0][0].toString().isEmpty());
    EXPECT_EQ(settings.styleProfile(), "New.");
}

TEST_F(StyleAnalyzerTest, CountIsTakenWhenTheRefreshStartsAndOneRunsAtATime) {
    thumbUp(3);
    provider.enqueue({{"Profile."}, {}, {}, 100, false});
    analyzer.refresh(provider, "m1");
    EXPECT_FALSE(analyzer.canRefresh());
    thumbUp(2);
    analyzer.refresh(provider, "m1");  // ignored: one runs already
    ASSERT_TRUE(QTest::qWaitFor([&] { return !analyzer.isRefreshing(); }, 5000));
    EXPECT_EQ(provider.state().requests.size(), 1);
    EXPECT_EQ(settings.thumbedUpCountAtLastStyleRefresh(), 3);
    EXPECT_EQ(analyzer.newExamplesCount(), 2);
}

TEST_F(StyleAnalyzerTest, DestroyingTheAnalyzerMidRefreshStopsTheRequest) {
    thumbUp(3);
    provider.enqueue({{"Profile."}, {}, {}, 0, true});
    {
        StyleAnalyzer shortLived(settings, history);
        shortLived.refresh(provider, "m1");
        EXPECT_EQ(provider.state().liveCalls, 1);
    }
    EXPECT_EQ(provider.state().liveCalls, 0);
    EXPECT_TRUE(settings.styleProfile().isEmpty());
}

TEST_F(StyleAnalyzerTest, NoticeFromFiveNewExamplesStatusOnlyWithAnEnabledProfile) {
    const QString active = "Style profile is active. Rewrites match your voice.";
    thumbUp(14);
    EXPECT_TRUE(analyzer.statusLine().isEmpty());  // no profile yet
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());
    settings.setStyleProfile("Voice.");
    settings.setThumbedUpCountAtLastStyleRefresh(10);
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());
    EXPECT_EQ(analyzer.statusLine(), active);
    thumbUp(1);
    EXPECT_EQ(analyzer.rebuildNoticeTitle(), "Your voice has 5 new examples");
    EXPECT_EQ(analyzer.statusLine(),
              "Style profile is active. 5 new examples since the last refresh — open Settings → "
              "Style to update.");
    settings.setStyleProfileEnabled(false);
    EXPECT_TRUE(analyzer.statusLine().isEmpty());
    EXPECT_FALSE(analyzer.rebuildNoticeTitle().isEmpty());
    settings.setStyleProfileEnabled(true);

    // Deleted or un-rated reviews make the difference negative: never a notice.
    settings.setThumbedUpCountAtLastStyleRefresh(25);
    EXPECT_EQ(analyzer.newExamplesCount(), -10);
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());
    EXPECT_EQ(analyzer.statusLine(), active);

    analyzer.clearProfile();
    EXPECT_TRUE(settings.styleProfile().isEmpty());
    EXPECT_EQ(analyzer.newExamplesCount(), 15);
}

TEST(StyleTabLabels, PluraliseByCount) {
    EXPECT_EQ(StyleAnalyzer::samplesLabel(1), "1 sample");
    EXPECT_EQ(StyleAnalyzer::samplesLabel(0), "0 samples");
    EXPECT_EQ(StyleAnalyzer::inputsLabel(1), "1 input · min 3");
    EXPECT_EQ(StyleAnalyzer::inputsLabel(4), "4 inputs · min 3");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(1, 1, false), "Refresh from 1 sample + 1 thumb");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(2, 0, false), "Refresh from 2 samples + 0 thumbs");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(2, 0, true), "Analyzing…");
}

}  // namespace
}  // namespace ts
