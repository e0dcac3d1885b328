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
using ::testing::ElementsAre;
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
    item.model = QStringLiteral("gpt-4o-mini");
    item.rating = rating;
    return item;
}

QString longSample(int n) {
    return QStringLiteral("Sample paragraph number %1, long enough.").arg(n);
}

TEST(StyleSamples, SplitsAtBlankLinesAndKeepsPiecesOfTwentyCharacters) {
    const QString nineteen(19, u'x');
    const QString twenty(20, u'y');
    // Nineteen letters written as base letter plus combining accent: 38 code units.
    QString accented;
    for (int i = 0; i < 19; ++i) {
        accented += QStringLiteral("e\u0301");
    }
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
        {"length bound", nineteen + "\n\n" + twenty, {twenty}},
        {"trimmed before measuring", "   " + nineteen + "  \n\n\t" + twenty + " \n", {twenty}},
        {"grapheme clusters", accented + "\n\n" + accented + "e", {accented + "e"}},
        {"three line feeds", twenty + "\n\n\n" + twenty, {twenty, twenty}},
        {"only blank lines", "\n\n\n\n  \n\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StyleAnalyzer::samples(c.text), c.expected) << c.name;
    }
}

TEST(StyleUserMessage, LaysOutSamplesThenPairs) {
    const QList<HistoryItem> pairs{
        historyItem("can u send it", "Can you send it?", Rating::up, AppContext::chat,
                    Tone::casual),
        historyItem("Hi,\nplease review.", "Hi,\n\nPlease review.", Rating::up),
    };
    const QString expected =
        "Raw writing samples from the user (their authentic voice):\n\n"
        "Sample 1:\nFirst sample text here.\n\n---\n\n"
        "Sample 2:\nSecond sample text here.\n\n===\n\n"
        "Thumbed-up rewrite pairs (AFTER is how the user likes their text):\n\n"
        "Pair 1 [context: Chat, tone: Casual]\nBEFORE:\ncan u send it\n\nAFTER:\nCan you send it?"
        "\n\n---\n\n"
        "Pair 2 [context: Email, tone: Professional]\nBEFORE:\nHi,\nplease review.\n\nAFTER:\n"
        "Hi,\n\nPlease review.\n\n"
        "Now produce the 150-word style description.";
    EXPECT_EQ(
        StyleAnalyzer::userMessage({"First sample text here.", "Second sample text here."}, pairs),
        expected);
}

TEST(StyleUserMessage, OneSectionAloneHasNoSectionSeparator) {
    const QString samplesOnly = StyleAnalyzer::userMessage({longSample(1), longSample(2)}, {});
    EXPECT_THAT(samplesOnly.toStdString(), Not(HasSubstr("===")));
    EXPECT_THAT(samplesOnly.toStdString(), Not(HasSubstr("Thumbed-up")));
    EXPECT_TRUE(samplesOnly.startsWith("Raw writing samples"));
    EXPECT_TRUE(
        samplesOnly.endsWith(longSample(2) + "\n\nNow produce the 150-word style description."));

    const QString pairsOnly = StyleAnalyzer::userMessage({}, {historyItem("a", "b")});
    EXPECT_THAT(pairsOnly.toStdString(), Not(HasSubstr("===")));
    EXPECT_TRUE(pairsOnly.startsWith("Thumbed-up rewrite pairs"));
}

TEST(StyleUserMessage, WritesOnlyTheFirstFifteenOfEach) {
    QStringList samples;
    QList<HistoryItem> pairs;
    for (int i = 1; i <= 20; ++i) {
        samples.append(longSample(i));
        pairs.append(
            historyItem(QStringLiteral("before %1").arg(i), QStringLiteral("after %1").arg(i)));
    }
    const std::string message = StyleAnalyzer::userMessage(samples, pairs).toStdString();
    EXPECT_THAT(message, HasSubstr("Sample 15:\n" + longSample(15).toStdString()));
    EXPECT_THAT(message, Not(HasSubstr("Sample 16:")));
    EXPECT_THAT(message, Not(HasSubstr(longSample(16).toStdString())));
    EXPECT_THAT(message,
                HasSubstr("Pair 15 [context: Email, tone: Professional]\nBEFORE:\nbefore 15\n"));
    EXPECT_THAT(message, Not(HasSubstr("Pair 16")));
    EXPECT_THAT(message, Not(HasSubstr("before 16")));
}

TEST(StyleAnalyzerErrorText, NamesHaveAndNeed) {
    EXPECT_EQ(StyleAnalyzerError::notEnoughData(2, 3).description(),
              "Need at least 3 thumbed-up reviews to analyze. You have 2.");
    EXPECT_EQ(StyleAnalyzerError::notEnoughData(0, 3).description(),
              "Need at least 3 thumbed-up reviews to analyze. You have 0.");
}

TEST(StyleAnalyze, FewerThanThreeInputsFailsWithoutARequest) {
    const ScriptedProvider provider;
    const struct {
        int samples;
        int pairs;
    } cases[] = {{0, 0}, {2, 0}, {0, 2}, {1, 1}};
    for (const auto& c : cases) {
        QStringList samples;
        QList<HistoryItem> pairs;
        for (int i = 0; i < c.samples; ++i) {
            samples.append(longSample(i));
        }
        for (int i = 0; i < c.pairs; ++i) {
            pairs.append(historyItem("x", "y"));
        }
        auto call = StyleAnalyzer::analyze(samples, pairs, provider, "m");
        QSignalSpy failed(call.get(), &ProviderCall::failed);
        ASSERT_TRUE(failed.wait(5000));
        const auto error = failed[0][0].value<RequestError>();
        ASSERT_NE(error.as<StyleAnalyzerError>(), nullptr);
        EXPECT_EQ(error.as<StyleAnalyzerError>()->have(), c.samples + c.pairs);
        EXPECT_EQ(error.as<StyleAnalyzerError>()->need(), 3);
    }
    EXPECT_THAT(provider.state().requests, IsEmpty());
}

TEST(StyleAnalyze, SendsOneCompletionAndTrimsTheAnswer) {
    const ScriptedProvider provider;
    provider.enqueueAnswer({"\n  Direct, warm, ", "short sentences.\n\n"});
    auto call = StyleAnalyzer::analyze({longSample(1), longSample(2)}, {historyItem("a", "b")},
                                       provider, "llama3.1");
    QSignalSpy completed(call.get(), &ProviderCall::completed);
    ASSERT_TRUE(completed.wait(5000));
    EXPECT_EQ(completed[0][0].toString(), "Direct, warm, short sentences.");
    ASSERT_EQ(provider.state().requests.size(), 1);
    const auto& request = provider.state().requests[0];
    EXPECT_EQ(request.operation, "complete");
    EXPECT_EQ(request.model, "llama3.1");
    EXPECT_TRUE(request.systemPrompt.startsWith("You are a style analyst."));
    EXPECT_TRUE(request.systemPrompt.contains("BEFORE \u2192 AFTER"));
    EXPECT_TRUE(request.systemPrompt.endsWith("(they read as AI-generated)."));
    EXPECT_EQ(request.userMessage,
              StyleAnalyzer::userMessage({longSample(1), longSample(2)}, {historyItem("a", "b")}));
}

class StyleAnalyzerTest : public ::testing::Test {
protected:
    void thumbUp(int count) {
        for (int i = 0; i < count; ++i) {
            history.add(historyItem(QStringLiteral("before %1").arg(added),
                                    QStringLiteral("after %1").arg(added)));
            ++added;
        }
    }
    bool refreshAndWait() {
        QSignalSpy refreshing(&analyzer, &StyleAnalyzer::refreshingChanged);
        analyzer.refresh(provider, "m1");
        return QTest::qWaitFor([&] { return !analyzer.isRefreshing(); }, 5000) &&
               refreshing.size() == 2;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("tessarine.conf"))};
    HistoryStore history{settings};
    StyleAnalyzer analyzer{settings, history};
    ScriptedProvider provider;
    int added = 0;
};

TEST_F(StyleAnalyzerTest, RefreshIsPossibleFromThreeUsableInputs) {
    settings.setStyleSamples(longSample(1) + "\n\ntoo short\n\n" + longSample(2));
    history.add(historyItem("down", "rated down", Rating::down));
    EXPECT_EQ(analyzer.usableSampleCount(), 2);
    EXPECT_EQ(analyzer.inputCount(), 2);
    EXPECT_FALSE(analyzer.canRefresh());
    thumbUp(1);
    EXPECT_EQ(analyzer.inputCount(), 3);
    EXPECT_TRUE(analyzer.canRefresh());
}

TEST_F(StyleAnalyzerTest, RefreshStoresTheProfileAndTheFullThumbedUpCount) {
    thumbUp(20);
    provider.enqueueAnswer({"  Plain, brisk, no greetings.  "});
    QSignalSpy profile(&analyzer, &StyleAnalyzer::profileChanged);
    ASSERT_TRUE(refreshAndWait());
    EXPECT_EQ(settings.styleProfile(), "Plain, brisk, no greetings.");
    EXPECT_EQ(settings.thumbedUpCountAtLastStyleRefresh(), 20);
    EXPECT_EQ(profile.size(), 1);
    EXPECT_TRUE(analyzer.errorMessage().isEmpty());

    // The newest fifteen, newest first.
    const QString message = provider.state().requests[0].userMessage;
    EXPECT_TRUE(
        message.contains("Pair 1 [context: Email, tone: Professional]\nBEFORE:\nbefore 19\n"));
    EXPECT_TRUE(
        message.contains("Pair 15 [context: Email, tone: Professional]\nBEFORE:\nbefore 5\n"));
    EXPECT_FALSE(message.contains("before 4\n"));
    EXPECT_FALSE(message.contains("Raw writing samples"));
}

TEST_F(StyleAnalyzerTest, FailedRefreshKeepsProfileAndCountAndShowsTheError) {
    settings.setStyleProfile("Old profile.");
    settings.setThumbedUpCountAtLastStyleRefresh(2);
    thumbUp(4);
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

TEST_F(StyleAnalyzerTest, NotEnoughDataIsShownAsTheTabError) {
    thumbUp(2);
    ASSERT_TRUE(refreshAndWait());
    EXPECT_EQ(analyzer.errorMessage(),
              "Need at least 3 thumbed-up reviews to analyze. You have 2.");
    EXPECT_THAT(provider.state().requests, IsEmpty());
}

TEST_F(StyleAnalyzerTest, CountIsTakenWhenTheRefreshStarts) {
    thumbUp(3);
    provider.enqueue({{"Profile."}, {}, {}, 100, false});
    analyzer.refresh(provider, "m1");
    EXPECT_TRUE(analyzer.isRefreshing());
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

TEST_F(StyleAnalyzerTest, ClearEmptiesTheProfileAndRestartsTheCount) {
    settings.setStyleProfile("Some voice.");
    settings.setThumbedUpCountAtLastStyleRefresh(7);
    thumbUp(9);
    analyzer.clearProfile();
    EXPECT_TRUE(settings.styleProfile().isEmpty());
    EXPECT_EQ(settings.thumbedUpCountAtLastStyleRefresh(), 0);
    EXPECT_EQ(analyzer.newExamplesCount(), 9);
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());  // no profile, no notice
}

TEST_F(StyleAnalyzerTest, NoticeAppearsFromFiveNewExamples) {
    settings.setStyleProfile("Voice.");
    settings.setThumbedUpCountAtLastStyleRefresh(10);
    thumbUp(14);
    EXPECT_EQ(analyzer.newExamplesCount(), 4);
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());
    EXPECT_EQ(analyzer.statusLine(), "Style profile is active. Rewrites match your voice.");
    thumbUp(1);
    EXPECT_EQ(analyzer.rebuildNoticeTitle(), "Your voice has 5 new examples");
    EXPECT_EQ(analyzer.statusLine(),
              "Style profile is active. 5 new examples since the last refresh — open Settings → "
              "Style to update.");

    // Deleted or un-rated reviews make the difference negative: never a notice.
    settings.setThumbedUpCountAtLastStyleRefresh(25);
    EXPECT_EQ(analyzer.newExamplesCount(), -10);
    EXPECT_TRUE(analyzer.rebuildNoticeTitle().isEmpty());
    EXPECT_EQ(analyzer.statusLine(), "Style profile is active. Rewrites match your voice.");
}

TEST_F(StyleAnalyzerTest, StatusLineNeedsAnEnabledNonEmptyProfileButTheNoticeDoesNot) {
    thumbUp(6);
    EXPECT_TRUE(analyzer.statusLine().isEmpty());  // no profile yet
    settings.setStyleProfile("Voice.");
    settings.setStyleProfileEnabled(false);
    EXPECT_TRUE(analyzer.statusLine().isEmpty());
    EXPECT_EQ(analyzer.rebuildNoticeTitle(), "Your voice has 6 new examples");
    settings.setStyleProfileEnabled(true);
    EXPECT_THAT(analyzer.statusLine().toStdString(), HasSubstr("6 new examples"));
}

TEST_F(StyleAnalyzerTest, ModelIsTheSettingOrTheProvidersDefault) {
    settings.setProviderRaw("Anthropic");
    settings.setModel("");
    EXPECT_EQ(StyleAnalyzer::chosenModel(settings), "claude-sonnet-4-6");
    settings.setModel("claude-opus-4");
    EXPECT_EQ(StyleAnalyzer::chosenModel(settings), "claude-opus-4");
    settings.setProviderRaw("not a provider");
    settings.setModel("");
    EXPECT_EQ(StyleAnalyzer::chosenModel(settings), "gpt-4o-mini");
}

TEST(StyleTabLabels, PluraliseByCount) {
    EXPECT_EQ(StyleAnalyzer::samplesLabel(0), "0 samples");
    EXPECT_EQ(StyleAnalyzer::samplesLabel(1), "1 sample");
    EXPECT_EQ(StyleAnalyzer::samplesLabel(2), "2 samples");
    EXPECT_EQ(StyleAnalyzer::inputsLabel(1), "1 input · min 3");
    EXPECT_EQ(StyleAnalyzer::inputsLabel(4), "4 inputs · min 3");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(1, 1, false), "Refresh from 1 sample + 1 thumb");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(2, 0, false), "Refresh from 2 samples + 0 thumbs");
    EXPECT_EQ(StyleAnalyzer::refreshButtonLabel(2, 0, true), "Analyzing…");
}

}  // namespace
}  // namespace ts
