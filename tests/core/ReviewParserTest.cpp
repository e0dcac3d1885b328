#include <gtest/gtest.h>

#include "core/DiffTokenizer.h"
#include "core/ReviewParser.h"

using namespace ts;
using namespace Qt::StringLiterals;

namespace {

WhyBullet clarity(const char16_t* text) {
    return {WhyKind::clarity, QString::fromUtf16(text)};
}
WhyBullet tone(const char16_t* text) {
    return {WhyKind::tone, QString::fromUtf16(text)};
}
WhyBullet concision(const char16_t* text) {
    return {WhyKind::concision, QString::fromUtf16(text)};
}
WhyBullet other(const char16_t* text) {
    return {WhyKind::other, QString::fromUtf16(text)};
}

// Every Unicode White_Space character.
const char16_t kWhiteSpace[] =
    u"\u0009\u000A\u000B\u000C\u000D\u0020\u0085\u00A0\u1680\u2000\u2001\u2002\u2003\u2004"
    u"\u2005\u2006\u2007\u2008\u2009\u200A\u2028\u2029\u202F\u205F\u3000";

struct ParseCase {
    const char* name;
    QString answer;
    QString improved;
    QList<WhyBullet> whys;
};

QList<ParseCase> parseCases() {
    const QString ws = QString::fromUtf16(kWhiteSpace);
    return {
        {"empty", u""_s, u""_s, {}},
        {"only a line break", u"\n"_s, u""_s, {}},
        {"only white space", ws, u""_s, {}},
        {"no separator: whole answer trimmed",
         u"  Line one\n\nLine two \n"_s,
         u"Line one\n\nLine two"_s,
         {}},
        {"every White_Space character is trimmed", ws + u"Text"_s + ws, u"Text"_s, {}},
        {"format and zero-width characters are not white space",
         u"\u200BText\uFEFF"_s,
         u"\u200BText\uFEFF"_s,
         {}},
        {"the three-part answer",
         u"Send the Q2 numbers by Thursday?\n<<<WHYS>>>\n- concision: trimmed filler\n"
         u"- clarity: opens with the ask\n- tone: warmer\n"_s,
         u"Send the Q2 numbers by Thursday?"_s,
         {concision(u"trimmed filler"), clarity(u"opens with the ask"), tone(u"warmer")}},
        {"kind words match regardless of case",
         u"Result\n<<<WHYS>>>\n- Clarity: a\n- TONE: b\n- ConCision: c\n- OTHER: d"_s,
         u"Result"_s,
         {clarity(u"a"), tone(u"b"), concision(u"c"), other(u"d")}},
        {"unknown kind becomes other and the word is dropped",
         u"R\n<<<WHYS>>>\n- note: kept the names"_s,
         u"R"_s,
         {other(u"kept the names")}},
        {"a colon inside the text splits at the first colon",
         u"R\n<<<WHYS>>>\n- moved the call to 10:30 as asked"_s,
         u"R"_s,
         {other(u"30 as asked")}},
        {"a known kind keeps later colons in the text",
         u"R\n<<<WHYS>>>\n- clarity: ratio 3:1 now explicit"_s,
         u"R"_s,
         {clarity(u"ratio 3:1 now explicit")}},
        {"lines that are not bullets are skipped",
         u"R\n<<<WHYS>>>\n-tone: no space\n* tone: asterisk\n\u2022 tone: bullet\n"
         u"1. tone: digit\nprose: line\n- tone: kept\n\u2013 tone: en dash"_s,
         u"R"_s,
         {tone(u"kept")}},
        {"indented and trailing blanks are accepted",
         u"R\n<<<WHYS>>>\n   - clarity:   spaced   \n\t-\ttone: tabbed\n\t- tone :\tx \t"_s,
         u"R"_s,
         {clarity(u"spaced"), tone(u"x")}},
        {"only spaces and tabs are trimmed in bullets",
         u"R\n<<<WHYS>>>\n\u00A0- tone: nbsp before\n- tone:\u00A0nbsp text\u00A0\n"
         u"- \u3000clarity: wide"_s,
         u"R"_s,
         {tone(u"\u00A0nbsp text\u00A0"), other(u"wide")}},
        {"a kind with nothing after the colon gives empty text",
         u"R\n<<<WHYS>>>\n- tone:\n- clarity:   "_s,
         u"R"_s,
         {tone(u""), clarity(u"")}},
        {"a bare marker is skipped, a marker with only a colon is other",
         u"R\n<<<WHYS>>>\n- \n-\n- :"_s,
         u"R"_s,
         {other(u"")}},
        {"a body without a colon is kept as it stands",
         u"R\n<<<WHYS>>>\n-   three spaces in front"_s,
         u"R"_s,
         {other(u"  three spaces in front")}},
        {"every newline character ends a line",
         u"R<<<WHYS>>>- tone: lf\n- tone: vt\u000B- tone: ff\u000C- tone: cr\r- tone: crlf\r\n"
         u"- tone: nel\u0085- tone: ls\u2028- tone: ps\u2029- tone: last"_s,
         u"R"_s,
         {tone(u"lf"), tone(u"vt"), tone(u"ff"), tone(u"cr"), tone(u"crlf"), tone(u"nel"),
          tone(u"ls"), tone(u"ps"), tone(u"last")}},
        {"duplicates are kept, in order, without limit",
         u"R\n<<<WHYS>>>\n- tone: same\n- tone: same\n- other: 3\n- other: 4\n- other: 5"_s,
         u"R"_s,
         {tone(u"same"), tone(u"same"), other(u"3"), other(u"4"), other(u"5")}},
        {"a tone check answer starts with the separator",
         u"<<<WHYS>>>\n- tone: reads as impatient\n- clarity: vague ask"_s,
         u""_s,
         {tone(u"reads as impatient"), clarity(u"vague ask")}},
        {"the separator in the middle of a line still splits",
         u"Short text. <<<WHYS>>> - tone: inline"_s,
         u"Short text."_s,
         {tone(u"inline")}},
        {"text after a second separator is lost",
         u"A\n<<<WHYS>>>\n- tone: first\n<<<WHYS>>>\n- tone: lost"_s,
         u"A"_s,
         {tone(u"first")}},
        {"a separator without bullets gives none",
         u"Only text\n<<<WHYS>>>\n"_s,
         u"Only text"_s,
         {}},
        {"an incomplete separator is text",
         u"Almost there\n<<<WHY"_s,
         u"Almost there\n<<<WHY"_s,
         {}},
        {"CR LF answers",
         u"Hi,\r\n\r\nsee below.\r\n<<<WHYS>>>\r\n- tone: calmer\r\n"_s,
         u"Hi,\r\n\r\nsee below."_s,
         {tone(u"calmer")}},
        {"surrogate pairs survive",
         u"Nice \U0001F44D\n<<<WHYS>>>\n- tone: kept \U0001F600"_s,
         u"Nice \U0001F44D"_s,
         {tone(u"kept \U0001F600")}},
    };
}

}  // namespace

TEST(ReviewParser, AnswersToReviews) {
    for (const ParseCase& c : parseCases()) {
        SCOPED_TRACE(c.name);
        const Review review = parseReview(c.answer);
        EXPECT_EQ(review.improved, c.improved);
        EXPECT_EQ(review.whys, c.whys);
        // The preview shows what the finished review will call the improved text.
        EXPECT_EQ(streamingPreview(c.answer), c.improved);
    }
}

// The parser's trimming and the diff's word splitting both follow Unicode White_Space.
TEST(ReviewParser, WhiteSpacePredicatesAreUnicodeWhiteSpace) {
    const QString ws = QString::fromUtf16(kWhiteSpace);
    for (char32_t u = 0; u <= 0x10FFFF; ++u) {
        const bool expected = u <= 0xFFFF && ws.contains(QChar(char16_t(u)));
        EXPECT_EQ(isUnicodeWhiteSpace(u), expected) << std::hex << unsigned(u);
        if (u <= 0xFFFF && !QChar::isSurrogate(char16_t(u))) {
            EXPECT_EQ(isWhiteSpace(QChar(char16_t(u))), expected) << std::hex << unsigned(u);
        }
    }
}
