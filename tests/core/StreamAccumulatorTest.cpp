#include <gtest/gtest.h>

#include <QStringList>
#include <random>

#include "core/ReviewParser.h"
#include "core/StreamAccumulator.h"

using namespace ts;

namespace {

// Answers built from fragments that stress the preview: white space of every sort, separator
// starts that do not complete, whole separators, surrogate pairs and CR LF.
QString randomAnswer(std::mt19937& rng) {
    static const QStringList fragments{
        QStringLiteral("word"),       QStringLiteral(" "),
        QStringLiteral("\t"),         QStringLiteral("\r\n"),
        QStringLiteral("\n"),         QStringLiteral("\u00A0"),
        QStringLiteral("\u2028"),     QStringLiteral("\u3000"),
        QStringLiteral("<"),          QStringLiteral("<<<"),
        QStringLiteral("<<<WHY"),     QStringLiteral("<<<WHYS>>"),
        QStringLiteral("<<<WHYS>>>"), QStringLiteral("\n<<<WHYS>>>\n"),
        QStringLiteral(">>>"),        QStringLiteral("\U0001F44D"),
        QStringLiteral("- tone: x"),  QStringLiteral("é"),
    };
    QString answer;
    const int count = int(rng() % 30);
    for (int i = 0; i < count; ++i) {
        answer += fragments[int(rng() % fragments.size())];
    }
    return answer;
}

}  // namespace

TEST(StreamAccumulator, EveryStepMatchesThePreviewOfThePrefix) {
    std::mt19937 rng(20240611);
    StreamAccumulator accumulator;
    for (int round = 0; round < 3000; ++round) {
        const QString answer = randomAnswer(rng);
        accumulator.clear();
        ASSERT_TRUE(accumulator.text().isEmpty());
        ASSERT_TRUE(accumulator.preview().isEmpty());
        qsizetype at = 0;
        while (at < answer.size()) {
            // Piece lengths in UTF-16 units, so pairs, CR LF and separators get cut anywhere.
            const qsizetype length = std::min<qsizetype>(rng() % 7, answer.size() - at);
            const QString shown = accumulator.append(QStringView(answer).mid(at, length));
            at += length;
            const QString prefix = answer.first(at);
            ASSERT_EQ(shown, streamingPreview(prefix))
                << "round " << round << " answer " << answer.toStdString() << " at " << at;
            ASSERT_EQ(accumulator.preview(), shown);
            ASSERT_EQ(accumulator.text(), prefix);
        }
        ASSERT_EQ(accumulator.preview(), parseReview(answer).improved);
    }
}

TEST(StreamAccumulator, SeparatorCutAtEveryPosition) {
    const QString answer = QStringLiteral("  Better text <<<WHYS>>>\n- tone: ok");
    const qsizetype separator = answer.indexOf(u"<<<WHYS>>>");
    for (qsizetype cut = separator; cut < separator + 10; ++cut) {
        SCOPED_TRACE(cut);
        StreamAccumulator accumulator;
        const QString before = accumulator.append(QStringView(answer).first(cut));
        EXPECT_EQ(before, answer.first(cut).trimmed());
        EXPECT_EQ(accumulator.append(QStringView(answer).sliced(cut)), "Better text");
        // The separator start showed until it completed; from then on the preview is fixed.
        EXPECT_EQ(accumulator.append(u"\nmore <<<WHYS>>> text"), "Better text");
        EXPECT_EQ(accumulator.text(), answer + QStringLiteral("\nmore <<<WHYS>>> text"));
    }
}
