#include <gtest/gtest.h>

#include "core/Compositions.h"
#include "core/Prompts.h"

using namespace ts;

namespace {

const QString kShorter = instruction(Adjustment::shorter);

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
