#include <gtest/gtest.h>

#include <QTest>
#include <optional>

#include "ScriptedProvider.h"
#include "core/Compositions.h"
#include "core/Prompts.h"

using namespace ts;
using ts::test::ScriptedProvider;

namespace {

const QString kShorter = instruction(Adjustment::shorter);

struct Outcome {
    std::optional<Review> review;
    std::optional<RequestError> error;
    int emitted = 0;
};

void watch(ReviewCall& call, Outcome& outcome) {
    QObject::connect(&call, &ReviewCall::reviewed, [&outcome](const Review& review) {
        outcome.review = review;
        ++outcome.emitted;
    });
    QObject::connect(&call, &ReviewCall::failed, [&outcome](const RequestError& error) {
        outcome.error = error;
        ++outcome.emitted;
    });
}

}  // namespace

TEST(Layouts, ReviewExampleWithAdjustment) {
    const ComposedRequest request =
        composeReview(Mode::rewrite, QStringLiteral("Can you send the numbers by Thursday?"),
                      Tone::professional, AppContext::email, {}, kShorter);
    EXPECT_EQ(request.systemPrompt, rewritePrompt());
    EXPECT_EQ(request.userMessage,
              "Context: Email\n"
              "Tone: Professional\n"
              "\n"
              "Original:\n"
              "---\n"
              "Can you send the numbers by Thursday?\n"
              "---\n"
              "Additional adjustment for this iteration (overrides default length/tone as "
              "needed):\n"
              "Cut roughly a third of the length while keeping the core ask.");
}

TEST(Layouts, ReplyExampleWithStyleAndNoIntent) {
    const ComposedRequest request =
        composeReply(QStringLiteral("Are we still on for lunch?"), {}, Tone::casual,
                     AppContext::chat, QStringLiteral("Short sentences. No greetings."));
    EXPECT_EQ(request.systemPrompt, replyPrompt());
    EXPECT_EQ(request.userMessage,
              "User's writing voice. Match this style in the reply:\n"
              "---\n"
              "Short sentences. No greetings.\n"
              "---\n"
              "Context: Chat\n"
              "Tone: Casual\n"
              "\n"
              "Message I received:\n"
              "---\n"
              "Are we still on for lunch?\n"
              "---\n"
              "\n"
              "My intent: (none specified; write a reasonable neutral reply)");
}

TEST(Layouts, InstructionLayout) {
    const ComposedRequest request =
        composeInstruction(QStringLiteral("Make it a haiku"), QStringLiteral("Ship it today."),
                           Tone::concise, AppContext::generic, QStringLiteral("\n Dry. \n"));
    EXPECT_EQ(request.systemPrompt, instructionPrompt());
    EXPECT_EQ(request.userMessage,
              "User's writing voice. Match this style unless the instruction says otherwise:\n"
              "---\n"
              "Dry.\n"
              "---\n"
              "Context: Generic\n"
              "Tone: Concise\n"
              "\n"
              "Instruction:\n"
              "Make it a haiku\n"
              "\n"
              "Text:\n"
              "---\n"
              "Ship it today.\n"
              "---");
}

TEST(Layouts, StyleProfileIsTrimmedOrDropped) {
    const QString blank = QStringLiteral(" \n\t\u00A0\u2028 ");
    const QString padded = QStringLiteral("\n\n  Warm, brief.\nNo emoji.  \n\n");
    const QString sent = QStringLiteral("Warm, brief.\nNo emoji.\n---\n");
    const QString text = QStringLiteral("t");

    const auto review = [&](const QString& profile) {
        return composeReview(Mode::proofread, text, Tone::friendly, AppContext::email, profile)
            .userMessage;
    };
    const auto reply = [&](const QString& profile) {
        return composeReply(text, {}, Tone::friendly, AppContext::email, profile).userMessage;
    };
    const auto instr = [&](const QString& profile) {
        return composeInstruction(text, text, Tone::friendly, AppContext::email, profile)
            .userMessage;
    };

    EXPECT_TRUE(review(blank).startsWith(u"Context: Email\n"));
    EXPECT_TRUE(reply(blank).startsWith(u"Context: Email\n"));
    EXPECT_TRUE(instr(blank).startsWith(u"Context: Email\n"));
    EXPECT_EQ(review(padded),
              "User's writing voice. Match this style in the rewrite:\n---\n" + sent + review({}));
    EXPECT_EQ(reply(padded),
              "User's writing voice. Match this style in the reply:\n---\n" + sent + reply({}));
    EXPECT_EQ(instr(padded),
              "User's writing voice. Match this style unless the instruction says otherwise:\n"
              "---\n" +
                  sent + instr({}));
}

TEST(Layouts, AdjustmentAndIntentAreTrimmedOrReplaced) {
    const QString text = QStringLiteral("Hi");
    const QString plain =
        composeReview(Mode::rewrite, text, Tone::casual, AppContext::chat, {}).userMessage;
    EXPECT_TRUE(plain.endsWith(u"\n---"));
    EXPECT_EQ(composeReview(Mode::rewrite, text, Tone::casual, AppContext::chat, {},
                            QStringLiteral(" \n \u3000"))
                  .userMessage,
              plain);
    EXPECT_EQ(composeReview(Mode::rewrite, text, Tone::casual, AppContext::chat, {},
                            QStringLiteral("\n  Be bold.  \n"))
                  .userMessage,
              plain +
                  "\nAdditional adjustment for this iteration (overrides default length/tone "
                  "as needed):\nBe bold.");

    const QString noIntent =
        composeReply(text, QStringLiteral("  \n\t "), Tone::casual, AppContext::chat, {})
            .userMessage;
    EXPECT_TRUE(
        noIntent.endsWith(u"---\n\nMy intent: (none specified; write a reasonable neutral reply)"));
    const QString withIntent = composeReply(text, QStringLiteral("\n say yes, but Friday \n"),
                                            Tone::casual, AppContext::chat, {})
                                   .userMessage;
    EXPECT_TRUE(
        withIntent.endsWith(u"---\n\nMy intent (what I want to say):\nsay yes, but Friday"));
}

TEST(Layouts, UserTextsGoInUntrimmed) {
    const QString text = QStringLiteral("\n\n  indented first line\ntrailing  \n");
    EXPECT_TRUE(composeReview(Mode::rewrite, text, Tone::casual, AppContext::chat, {})
                    .userMessage.endsWith(QStringLiteral("Original:\n---\n") + text +
                                          QStringLiteral("\n---")));
    EXPECT_TRUE(composeReply(text, QStringLiteral("ok"), Tone::casual, AppContext::chat, {})
                    .userMessage.contains(QStringLiteral("Message I received:\n---\n") + text +
                                          QStringLiteral("\n---\n\n")));
    const QString instructionText = QStringLiteral("  shout \n");
    EXPECT_TRUE(composeInstruction(instructionText, text, Tone::casual, AppContext::chat, {})
                    .userMessage.endsWith(QStringLiteral("Instruction:\n") + instructionText +
                                          QStringLiteral("\n\nText:\n---\n") + text +
                                          QStringLiteral("\n---")));
}

TEST(Layouts, ReviewLayoutIsTheSameForEveryMode) {
    const QString text = QStringLiteral("Thanks for the notes.");
    const ComposedRequest rewrite = composeReview(
        Mode::rewrite, text, Tone::friendly, AppContext::email, QStringLiteral("Plain."), kShorter);
    for (Mode mode : EnumCases<Mode>::all) {
        SCOPED_TRACE(rawValue(mode).toStdString());
        const ComposedRequest request = composeReview(mode, text, Tone::friendly, AppContext::email,
                                                      QStringLiteral("Plain."), kShorter);
        EXPECT_EQ(request.systemPrompt, systemPrompt(mode));
        EXPECT_EQ(request.userMessage, rewrite.userMessage);
    }
    EXPECT_EQ(
        composeReview(Mode::toneCheck, text, Tone::friendly, AppContext::email, {}).systemPrompt,
        toneCheckPrompt());
}

TEST(Requests, StreamingVariantsHandTheProviderStreamOn) {
    ScriptedProvider provider;
    const QStringList pieces{QStringLiteral("Better"), QStringLiteral(" text\n<<<WH"),
                             QStringLiteral("YS>>>\n- tone: warmer")};
    provider.enqueueAnswer(pieces);
    provider.enqueueAnswer({QStringLiteral("a")});
    provider.enqueueAnswer({QStringLiteral("b")});

    auto call = streamReview(provider, QStringLiteral("m1"), Mode::proofread,
                             QStringLiteral("Bad text"), Tone::casual, AppContext::chat);
    QStringList received;
    bool completed = false;
    QObject::connect(call.get(), &ProviderCall::piece,
                     [&](const QString& piece) { received << piece; });
    QObject::connect(call.get(), &ProviderCall::completed, [&] { completed = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return completed; }, 5000));
    EXPECT_EQ(received, pieces);

    auto reply = streamReply(provider, QStringLiteral("m2"), QStringLiteral("Lunch?"),
                             QStringLiteral("yes"), Tone::friendly, AppContext::chat);
    auto instr = streamInstruction(provider, QStringLiteral("m3"), QStringLiteral("Translate"),
                                   QStringLiteral("Hallo"), Tone::concise, AppContext::generic);

    const auto& sent = provider.state().requests;
    ASSERT_EQ(sent.size(), 3);
    const ComposedRequest expected[] = {
        composeReview(Mode::proofread, QStringLiteral("Bad text"), Tone::casual, AppContext::chat,
                      {}),
        composeReply(QStringLiteral("Lunch?"), QStringLiteral("yes"), Tone::friendly,
                     AppContext::chat, {}),
        composeInstruction(QStringLiteral("Translate"), QStringLiteral("Hallo"), Tone::concise,
                           AppContext::generic, {})};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sent[i].operation, "stream");
        EXPECT_EQ(sent[i].systemPrompt, expected[i].systemPrompt);
        EXPECT_EQ(sent[i].userMessage, expected[i].userMessage);
        EXPECT_EQ(sent[i].model, QStringLiteral("m%1").arg(i + 1));
    }
}

TEST(Requests, OneShotVariantsParseTheWholeAnswer) {
    ScriptedProvider provider;
    provider.enqueueAnswer({QStringLiteral("  Sharper.\n<<<WHYS>>>\n- Clarity: leads with it\n")});
    provider.enqueueAnswer({QStringLiteral("<<<WHYS>>>\n- tone: curt")});
    provider.enqueueAnswer({QStringLiteral("Done")});

    Outcome first;
    auto call = review(provider, QStringLiteral("gpt"), Mode::rewrite, QStringLiteral("blunt"),
                       Tone::professional, AppContext::email, QStringLiteral("me"), kShorter);
    watch(*call, first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.emitted > 0; }, 5000));
    ASSERT_TRUE(first.review);
    EXPECT_EQ(*first.review,
              (Review{QStringLiteral("Sharper."),
                      {WhyBullet{WhyKind::clarity, QStringLiteral("leads with it")}}}));
    EXPECT_EQ(provider.state().requests[0].operation, "complete");
    EXPECT_EQ(provider.state().requests[0].userMessage,
              composeReview(Mode::rewrite, QStringLiteral("blunt"), Tone::professional,
                            AppContext::email, QStringLiteral("me"), kShorter)
                  .userMessage);

    Outcome second;
    auto reply = draftReply(provider, QStringLiteral("gpt"), QStringLiteral("Hi"), {}, Tone::casual,
                            AppContext::chat);
    watch(*reply, second);
    Outcome third;
    auto instr = applyInstruction(provider, QStringLiteral("gpt"), QStringLiteral("Shout"),
                                  QStringLiteral("hi"), Tone::casual, AppContext::chat);
    watch(*instr, third);
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.emitted && third.emitted; }, 5000));
    EXPECT_EQ(*second.review,
              (Review{QString(), {WhyBullet{WhyKind::tone, QStringLiteral("curt")}}}));
    EXPECT_EQ(*third.review, (Review{QStringLiteral("Done"), {}}));
    EXPECT_EQ(provider.state().requests[1].systemPrompt, replyPrompt());
    EXPECT_EQ(provider.state().requests[2].systemPrompt, instructionPrompt());
    EXPECT_EQ(first.emitted + second.emitted + third.emitted, 3);
}

TEST(Requests, ProviderErrorsPassThroughUnchanged) {
    struct Detail {
        int status;
    };
    ScriptedProvider provider;
    provider.enqueue(ScriptedProvider::Script{
        {}, RequestError(QStringLiteral("The API key was rejected."), Detail{401}), {}, 0, false});

    Outcome outcome;
    auto call = completeRequest(provider, composeReply({}, {}, Tone::casual, AppContext::chat, {}),
                                QStringLiteral("m"));
    watch(*call, outcome);
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.emitted > 0; }, 5000));
    EXPECT_FALSE(outcome.review);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->description(), "The API key was rejected.");
    ASSERT_NE(outcome.error->as<Detail>(), nullptr);
    EXPECT_EQ(outcome.error->as<Detail>()->status, 401);
    EXPECT_TRUE(call->isFinished());
}

TEST(Requests, DestroyingTheReviewCallAbortsTheRequest) {
    ScriptedProvider provider;
    provider.enqueue(ScriptedProvider::Script{{QStringLiteral("never")}, {}, {}, 0, true});
    provider.enqueue(ScriptedProvider::Script{{QStringLiteral("late")}, {}, {}, 50, false});

    auto hanging = review(provider, QStringLiteral("m"), Mode::rewrite, QStringLiteral("x"),
                          Tone::casual, AppContext::chat);
    EXPECT_EQ(provider.state().liveCalls, 1);
    hanging.reset();
    EXPECT_EQ(provider.state().liveCalls, 0);
    EXPECT_EQ(provider.state().abortedCalls, 1);

    Outcome outcome;
    auto delayed = review(provider, QStringLiteral("m"), Mode::rewrite, QStringLiteral("x"),
                          Tone::casual, AppContext::chat);
    watch(*delayed, outcome);
    delayed->abort();
    EXPECT_EQ(provider.state().abortedCalls, 2);
    QTest::qWait(150);
    EXPECT_EQ(outcome.emitted, 0);
}

TEST(Requests, ReceiverMayDestroyTheCallWhenItIsReviewed) {
    ScriptedProvider provider;
    provider.enqueueAnswer({QStringLiteral("ok")});
    std::unique_ptr<ReviewCall> call = review(provider, QStringLiteral("m"), Mode::rewrite,
                                              QStringLiteral("x"), Tone::casual, AppContext::chat);
    QString improved;
    QObject::connect(call.get(), &ReviewCall::reviewed, [&](const Review& review) {
        improved = review.improved;
        call.reset();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !call; }, 5000));
    EXPECT_EQ(improved, "ok");
    EXPECT_EQ(provider.state().liveCalls, 0);
}
