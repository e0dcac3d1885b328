#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/ChangeSet.h"
#include "core/WordDiff.h"

using namespace ts;

namespace {

QString original(const QList<DiffSegment>& segments) {
    return keptText(segments, [&] {
        QSet<int> all;
        for (int i = 0; i < changesOf(segments).size(); ++i) {
            all.insert(i);
        }
        return all;
    }());
}

QString randomText(QRandomGenerator& random) {
    static const QStringList words{"send",   "the",     "numbers", "by",    "Friday",
                                   "please", "could",   "you",     "maybe", "today",
                                   "team,",  "thanks.", "\n",      "really"};
    QStringList out;
    const int count = random.bounded(1, 14);
    for (int i = 0; i < count; ++i) {
        out << words[random.bounded(words.size())];
    }
    return out.join(QLatin1Char(' '));
}

}  // namespace

TEST(ChangeSet, AReplacementIsOneChangeNamedByItsWords) {
    const QList<DiffSegment> segments = wordDiff(QStringLiteral("I am really sending it now"),
                                                 QStringLiteral("I am sending it by Thursday"));
    QStringList names;
    for (const Change& change : changesOf(segments)) {
        names << change.describe();
    }
    EXPECT_EQ(names, QStringList({"delete: really", "now → by Thursday"}));
    EXPECT_EQ(keptText(segments, {1}), "I am sending it now");
    EXPECT_EQ(keptText(segments, {0}), "I am really sending it by Thursday");
}

// Over random pairs and random choices: nothing dropped is the answer, everything dropped the
// original, and a text with k changes kept differs from the original by at most k changes.
TEST(ChangeSet, AnySubsetOfDroppedChangesRebuildsAConsistentText) {
    QRandomGenerator random(20261207);
    for (int round = 0; round < 300; ++round) {
        const QString before = randomText(random);
        const QString after = randomText(random);
        const QList<DiffSegment> segments = wordDiff(before, after);
        const QList<Change> changes = changesOf(segments);
        ASSERT_EQ(keptText(segments, {}), after);
        ASSERT_EQ(original(segments), before);
        QSet<int> dropped;
        for (int i = 0; i < changes.size(); ++i) {
            if (random.bounded(2) == 0) {
                dropped.insert(i);
            }
        }
        const QString kept = keptText(segments, dropped);
        const QList<DiffSegment> again = wordDiff(before, kept);
        EXPECT_LE(changesOf(again).size(), changes.size() - dropped.size())
            << qPrintable(before) << " | " << qPrintable(after);
        EXPECT_EQ(original(again), before);
        const QList<int> indexes = changeIndexes(segments);
        for (int i = 0; i < changes.size(); ++i) {
            for (qsizetype s = changes[i].first; s < changes[i].end; ++s) {
                ASSERT_EQ(indexes[s], i);
            }
        }
    }
}
