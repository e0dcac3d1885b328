#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "cli/CommandLine.h"
#include "cli/StreamPrinter.h"
#include "core/ReviewParser.h"
#include "core/StreamAccumulator.h"

using namespace ts;
using namespace ts::cli;

namespace {

Invocation parse(const QStringList& arguments) {
    const ParseResult result = parseCommandLine(arguments);
    EXPECT_TRUE(result.invocation) << result.error.toStdString();
    return result.invocation.value_or(Invocation{});
}

}  // namespace

TEST(CommandLine, ReviewOptionsBeforeAndAfterText) {
    const Invocation a = parse({"rewrite", "--tone", "CASUAL", "Hello there", "--context=chat"});
    EXPECT_EQ(a.command, Command::review);
    EXPECT_EQ(a.mode, Mode::rewrite);
    EXPECT_EQ(a.text, "Hello there");
    EXPECT_EQ(a.tone, Tone::casual);
    EXPECT_EQ(a.context, AppContext::chat);

    const Invocation b = parse({"tone", "--", "--not-an-option"});
    EXPECT_EQ(b.mode, Mode::toneCheck);
    EXPECT_EQ(b.text, "--not-an-option");

    const Invocation c = parse({"ask", "--prompt", "sum", "--provider", "OLLAMA", "--model",
                                "llama3.2", "--no-style", "--why", "--json"});
    EXPECT_EQ(c.mode, Mode::ask);
    EXPECT_EQ(c.promptName, "sum");
    EXPECT_EQ(c.provider, ProviderKind::ollama);
    EXPECT_EQ(c.model, "llama3.2");
    EXPECT_TRUE(c.noStyle && c.why && c.json);
    EXPECT_EQ(c.text, std::nullopt);  // standard input

    const Invocation d = parse({"reply", "Lunch?", "--intent", "yes", "--adjust", "Shorter"});
    EXPECT_EQ(d.intent, "yes");
    EXPECT_EQ(d.adjustment, Adjustment::shorter);
}

TEST(CommandLine, UsageErrorsNameTheProblemAndTheValidValues) {
    struct Row {
        QStringList arguments;
        QString expectedFragment;
    };
    const Row rows[] = {
        {{}, "missing command"},
        {{"polish", "x"}, "unknown command \"polish\""},
        {{"rewrite", "--tone", "loud", "x"}, "professional, casual, friendly, concise"},
        {{"rewrite", "--context", "sms", "x"}, "email, chat, generic"},
        {{"rewrite", "--adjust", "louder", "x"}, "shorter, longer, simpler"},
        {{"rewrite", "--provider", "mistral", "x"}, "openai, anthropic, gemini, ollama, custom"},
        {{"rewrite", "--tone"}, "--tone needs a value"},
        {{"rewrite", "--frobnicate", "x"}, "unknown option --frobnicate"},
        {{"rewrite", "one", "two"}, "at most one TEXT"},
        {{"rewrite", "--why=yes", "x"}, "--why takes no value"},
        {{"ask", "text"}, "--instruction TEXT or --prompt NAME"},
        {{"ask", "--instruction", "a", "--prompt", "b", "x"}, "not both"},
        {{"rewrite", "--intent", "a", "x"}, "reply only"},
        {{"diff", "a"}, "OLD_FILE and NEW_FILE"},
        {{"key", "set", "mistral"}, "unknown provider"},
        {{"key", "show"}, "key set KIND | key clear KIND | key status"},
        {{"config", "set", "model"}, "config list | get KEY | set KEY VALUE"},
        {{"history", "--all"}, "unexpected argument"},
        {{"tone", "--interactive", "x"}, "applies to rewrite, proofread and ask"},
        {{"rewrite", "--interactive", "--json", "x"}, "drop --json"},
    };
    for (const Row& row : rows) {
        const ParseResult result = parseCommandLine(row.arguments);
        EXPECT_FALSE(result.invocation) << row.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(row.expectedFragment))
            << row.arguments.join(' ').toStdString() << " -> " << result.error.toStdString();
    }
}

TEST(CommandLine, OtherCommands) {
    EXPECT_EQ(parse({"diff", "a.txt", "b.txt", "--json"}).json, true);
    EXPECT_EQ(parse({"key", "set", "Gemini"}).keyKind, ProviderKind::gemini);
    EXPECT_EQ(parse({"key", "status"}).command, Command::keyStatus);
    const Invocation set = parse({"config", "set", "autoPaste", "false"});
    EXPECT_EQ(set.command, Command::configSet);
    EXPECT_EQ(set.configKey, "autoPaste");
    EXPECT_EQ(set.configValue, "false");
    EXPECT_EQ(parse({"--help"}).command, Command::help);
}

// Whatever the split of the answer, what is printed while streaming plus what is printed at the
// end is exactly the final improved text, and nothing printed is ever taken back.
TEST(StreamPrinter, PrintsExactlyTheImprovedTextForAnySplit) {
    const QStringList answers = {
        "Quick ask: can you send it?\n<<<WHYS>>>\n- concision: shorter",
        "  Leading space and a <<< fake separator\n<<<WHYS>>>- tone: x",
        "Ends with partial <<<WHY",
        "No separator at all \n\n",
        "<<<WHYS>>>\n- tone: only bullets",
        "Two\r\nlines <<<WHYS>>> and more <<<WHYS>>> after",
        "Text with <<<<WHYS>>> four brackets",
    };
    QRandomGenerator random(42);
    for (const QString& answer : answers) {
        for (int round = 0; round < 200; ++round) {
            StreamAccumulator accumulator;
            StreamPrinter printer;
            QString printed;
            qsizetype at = 0;
            while (at < answer.size()) {
                const qsizetype length =
                    1 +
                    random.bounded(static_cast<int>(std::min<qsizetype>(6, answer.size() - at)));
                printed += printer.advance(accumulator.append(QStringView(answer).mid(at, length)));
                at += length;
            }
            const QString improved = parseReview(answer).improved;
            printed += printer.finish(improved);
            ASSERT_EQ(printed, improved) << answer.toStdString();
        }
    }
}
