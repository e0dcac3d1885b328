#include <gtest/gtest.h>

#include <QSet>
#include <random>
#include <utility>
#include <vector>

#include "core/DiffTokenizer.h"
#include "core/WordDiff.h"

using namespace ts;

namespace {

QStringList tokensOf(const QString& text) {
    QStringList out;
    for (const DiffToken& token : diffTokens(text)) {
        out << text.mid(token.start, token.length);
    }
    return out;
}

// The segments in wdiff's notation: "the {+slow +}[-quick -]fox".
QString marked(const QList<DiffSegment>& segments) {
    QString out;
    for (const DiffSegment& segment : segments) {
        switch (segment.op) {
            case DiffOp::equal:
                out += segment.text;
                break;
            case DiffOp::insert:
                out += "{+" + segment.text + "+}";
                break;
            case DiffOp::delete_:
                out += "[-" + segment.text + "-]";
                break;
        }
    }
    return out;
}

QString joined(const QList<DiffSegment>& segments, DiffOp keep) {
    QString out;
    for (const DiffSegment& segment : segments) {
        if (segment.op == DiffOp::equal || segment.op == keep) {
            out += segment.text;
        }
    }
    return out;
}

QString nfc(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

// Tokens changed by a shortest script: n + m - 2 * LCS, by the textbook table.
qsizetype minimalChanges(QStringList a, QStringList b) {
    for (QString& token : a) {
        token = nfc(token);
    }
    for (QString& token : b) {
        token = nfc(token);
    }
    std::vector<std::vector<int>> lcs(size_t(a.size() + 1), std::vector<int>(size_t(b.size() + 1)));
    for (qsizetype i = a.size() - 1; i >= 0; --i) {
        for (qsizetype j = b.size() - 1; j >= 0; --j) {
            lcs[i][j] =
                a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
        }
    }
    return a.size() + b.size() - 2 * lcs[0][0];
}

qsizetype changedTokens(const QList<DiffSegment>& segments) {
    qsizetype count = 0;
    for (const DiffSegment& segment : segments) {
        if (segment.op != DiffOp::equal) {
            count += tokensOf(segment.text).size();
        }
    }
    return count;
}

class TextGenerator {
public:
    explicit TextGenerator(unsigned seed) : rng_(seed) {}

    // Few distinct words give many equally short scripts, the case that tells searches apart.
    void setVocabulary(int size) { vocabulary_ = size; }

    QString words(int count) {
        // Canonically equivalent spellings side by side; "|" separates the entries.
        static const QStringList kWords =
            QStringLiteral(
                "the|a|cafe\u0301|caf\u00E9|re\u0301sume\u0301|r\u00E9sum\u00E9|word|"
                "x\u200By|emoji\U0001F44D\U0001F3FD|Zu\u0308rich|Z\u00FCrich|ok")
                .split(u'|');
        static const QStringList kSpaces =
            QStringLiteral(" | | |  |\t|\r\n|\n|\u00A0|\u2003| \r\n\t").split(u'|');
        QString out;
        if (pick(6) == 0) {
            out += kSpaces[pick(kSpaces.size())];
        }
        for (int i = 0; i < count; ++i) {
            out += kWords[pick(std::min<qsizetype>(vocabulary_, kWords.size()))];
            if (i + 1 < count || pick(2) == 0) {
                out += kSpaces[pick(kSpaces.size())];
            }
        }
        return out;
    }

    // Token-level edits of a text, so the two sides share long runs.
    QString mutate(const QString& text) {
        QStringList tokens = tokensOf(text);
        const int edits = pick(6);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = pick(int(tokens.size()) + 1);
            switch (pick(3)) {
                case 0:
                    tokens.insert(at, words(1 + pick(2)) + " ");
                    break;
                case 1:
                    if (at < tokens.size()) {
                        tokens.removeAt(at);
                    }
                    break;
                default:
                    if (at < tokens.size()) {
                        tokens[at] = words(1) + " ";
                    }
            }
        }
        return tokens.join(QString());
    }

    int pick(qsizetype bound) {
        return std::uniform_int_distribution<int>(0, int(bound) - 1)(rng_);
    }

private:
    std::mt19937 rng_;
    int vocabulary_ = 100;
};

// Reconstructs both sides, never repeats an op, and marks at most `extraPercent` more tokens
// than a shortest script.
void expectSoundDiff(const QString& original, const QString& improved,
                     const QList<DiffSegment>& segments, double extraPercent = 0) {
    SCOPED_TRACE(("original=" + original + " improved=" + improved).toStdString());
    EXPECT_EQ(joined(segments, DiffOp::delete_), original);
    EXPECT_EQ(nfc(joined(segments, DiffOp::insert)), nfc(improved));
    for (qsizetype s = 1; s < segments.size(); ++s) {
        EXPECT_NE(segments[s - 1].op, segments[s].op);
    }
    for (const DiffSegment& segment : segments) {
        EXPECT_FALSE(segment.text.isEmpty());
    }
    const qsizetype minimal = minimalChanges(tokensOf(original), tokensOf(improved));
    EXPECT_GE(changedTokens(segments), minimal);
    EXPECT_LE(double(changedTokens(segments)), double(minimal) * (1 + extraPercent / 100));
}

}  // namespace

TEST(DiffTokenizer, SplitsAfterWhiteSpaceRuns) {
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"", {}},
        {"word", {"word"}},
        {"two words", {"two ", "words"}},
        {"trailing  ", {"trailing  "}},
        {"  lead in", {"  ", "lead ", "in"}},
        {"line\r\nnext\n\tthird", {"line\r\n", "next\n\t", "third"}},
        {"zero\u200Bwidth joiner", {"zero\u200Bwidth ", "joiner"}},
        {"nel\u0085mongolian\u180Evowel", {"nel\u0085", "mongolian\u180Evowel"}},
        {"no\u00A0break", {"no\u00A0", "break"}},
        {"e\u0301 \u0301x", {"e\u0301 \u0301", "x"}},
        {"\U0001F44D\U0001F3FD go", {"\U0001F44D\U0001F3FD ", "go"}},
    };
    for (const auto& [text, tokens] : cases) {
        EXPECT_EQ(tokensOf(text), tokens) << text.toStdString();
        EXPECT_EQ(tokensOf(text).join(QString()), text);
    }
}

TEST(WordDiff, EdgeCases) {
    const struct {
        const char* name;
        QString original;
        QString improved;
        QString expected;
    } cases[] = {
        {"identical", "Same text here.\n", "Same text here.\n", "Same text here.\n"},
        {"only improved", "", "New words", "{+New words+}"},
        {"only original", "Old words", "", "[-Old words-]"},
        {"both empty", "", "", ""},
        {"one word replaced", "the quick fox", "the slow fox", "the {+slow +}[-quick -]fox"},
        {"white space after a word changed", "word next", "word\nnext", "{+word\n+}[-word -]next"},
        {"leading white space dropped", " \t lead text", "lead text", "[- \t -]lead text"},
        {"canonically equivalent", "caf\u00E9 au lait", "cafe\u0301 au lait", "caf\u00E9 au lait"},
        {"runs of changes merged", "keep one two three keep", "keep uno dos keep",
         "keep {+uno dos +}[-one two three -]keep"},
        // Several shortest scripts each; these are the ones the forward search finds.
        {"greedy choice 1", "x a ", "a a ", "[-x -]a {+a +}"},
        {"greedy choice 2", "a b ", "b a ", "[-a -]b {+a +}"},
        {"greedy choice 3", "a b c a b b a", "c b a b a c", "[-a b -]c {+b +}a b {+a c+}[-b a-]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(marked(wordDiff(c.original, c.improved)), c.expected) << c.name;
    }
}

TEST(WordDiff, EverySegmentGetsAFreshId) {
    const QString original = "one two three four";
    const QString improved = "one 2 three 4 five";
    const QList<DiffSegment> first = wordDiff(original, improved);
    const QList<DiffSegment> second = wordDiff(original, improved);
    ASSERT_EQ(marked(first), marked(second));
    QSet<QUuid> ids;
    for (const DiffSegment& segment : first + second) {
        EXPECT_FALSE(segment.id.isNull());
        ids.insert(segment.id);
    }
    EXPECT_EQ(ids.size(), first.size() + second.size());
}

TEST(WordDiff, RandomTextsReconstructWithMinimalChanges) {
    TextGenerator gen(20240611);
    for (int round = 0; round < 600; ++round) {
        gen.setVocabulary(2 + gen.pick(11));
        const QString original = gen.words(gen.pick(40));
        const QString improved = gen.pick(4) == 0 ? gen.words(gen.pick(40)) : gen.mutate(original);
        expectSoundDiff(original, improved, wordDiff(original, improved));
        wordDiffDetail::Stats stats;
        const QList<DiffSegment> linear =
            wordDiffDetail::wordDiff(original, improved, 0, &stats, 0);
        expectSoundDiff(original, improved, linear);
        if (HasFailure()) {
            break;
        }
    }
}

TEST(WordDiff, CutSearchStaysNearMinimalOnUnrelatedProse) {
    std::mt19937 rng(11);
    const auto prose = [&rng](int count) {
        QString text;
        for (int i = 0; i < count; ++i) {
            // Skewed towards the first words of a 400-word vocabulary, as prose is.
            const double u = std::uniform_real_distribution<double>(0, 1)(rng);
            text += "w" + QString::number(int(u * u * 400)) + (i % 17 == 16 ? ".\n" : " ");
        }
        return text;
    };
    for (int round = 0; round < 3; ++round) {
        const QString original = prose(2500);
        const QString improved = prose(2500);
        wordDiffDetail::Stats stats;
        const QList<DiffSegment> segments = wordDiffDetail::wordDiff(original, improved, 0, &stats);
        EXPECT_TRUE(stats.nearMinimal);
        expectSoundDiff(original, improved, segments, 5);
    }
}

TEST(WordDiff, LongUnrelatedTextsStayWithinTheMemoryBound) {
    TextGenerator gen(7);
    const QString original = gen.words(2000);
    const QString improved = gen.words(2000);
    const qint64 bound = 1024 * 1024;
    wordDiffDetail::Stats stats;
    const QList<DiffSegment> segments =
        wordDiffDetail::wordDiff(original, improved, bound, &stats, 0);
    EXPECT_TRUE(stats.linearSpace);
    // The greedy search stops at the bound; the linear search needs a few values per token.
    EXPECT_LE(stats.peakBytes, bound + 4000 * 64);
    expectSoundDiff(original, improved, segments);

    wordDiffDetail::Stats small;
    wordDiffDetail::wordDiff("a b c", "a c d", bound, &small);
    EXPECT_FALSE(small.linearSpace);
}
