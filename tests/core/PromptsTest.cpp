#include <gtest/gtest.h>

#include <QStringList>

#include "core/Prompts.h"

using namespace ts;

namespace {

struct PromptCase {
    Mode mode;
    qsizetype utf8Bytes;
    const char* opening;
    const char* closing;
};

// Lengths in UTF-8 bytes: a lost line, a stray space or an ASCII stand-in for "–" shows here.
const PromptCase kPrompts[] = {
    {Mode::rewrite, 4373, "You are Tessarine, an editor who makes short-form business writing",
     "- PII, numbers, names, URLs, commitments: preserve verbatim."},
    {Mode::proofread, 1126, "You are a grammar and typo corrector. Fix only objective errors:",
     "Length of the corrected text must be within ±5% of the original."},
    {Mode::reply, 1349, "You are drafting a reply on the user's behalf.",
     "- tone: warm, not deferential"},
    {Mode::ask, 2507, "You are Tessarine's freeform-instruction mode.",
     "rhetorical \"Ever wondered…?\" openers; stacked hedges."},
    {Mode::toneCheck, 994, "You are a tone analyst. Analyze how the user's text comes across",
     "- tone: overall respectful but the closing lands flat"},
};

}  // namespace

TEST(SystemPrompts, ExactTextPerMode) {
    QStringList all;
    for (const PromptCase& c : kPrompts) {
        SCOPED_TRACE(rawValue(c.mode).toStdString());
        const QString prompt = systemPrompt(c.mode);
        all << prompt;
        EXPECT_EQ(prompt.toUtf8().size(), c.utf8Bytes);
        EXPECT_TRUE(prompt.startsWith(QString::fromUtf8(c.opening)));
        EXPECT_TRUE(prompt.endsWith(QString::fromUtf8(c.closing)));
        EXPECT_FALSE(prompt.endsWith(u'\n'));
        EXPECT_FALSE(prompt.contains(u'\r'));
        EXPECT_FALSE(prompt.contains(u'\t'));
        // Typographic characters, not ASCII stand-ins.
        EXPECT_FALSE(prompt.contains(u"->"));
        EXPECT_FALSE(prompt.contains(u"..."));
        // The parser needs the separator on a line of its own in every example.
        EXPECT_TRUE(prompt.split(u'\n').contains(reviewSeparator.toString()));
    }
    all.removeDuplicates();
    EXPECT_EQ(all.size(), qsizetype(std::size(kPrompts)));
}

TEST(SystemPrompts, ToneCheckTeachesAnAnswerThatStartsWithTheSeparator) {
    const QStringList lines = toneCheckPrompt().toString().split(u'\n');
    const qsizetype example = lines.indexOf(QStringLiteral("Example output:"));
    ASSERT_GE(example, 0);
    ASSERT_LT(example + 1, lines.size());
    EXPECT_EQ(lines[example + 1], reviewSeparator);
}
