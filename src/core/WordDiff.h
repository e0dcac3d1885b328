#pragma once

#include <QList>
#include <QString>

#include "core/DiffSegment.h"

namespace ts {

// The original and the improved text merged into kept, inserted and removed runs of whole
// tokens (a word with the white space after it). At a replacement the insertion comes first.
QList<DiffSegment> wordDiff(const QString& original, const QString& improved);

namespace wordDiffDetail {

// The exact search of the forward greedy form keeps a copy of its diagonals per pass: up to
// this bound (about 1,000 changed tokens) its script is the one given. Past it the linear-space
// search finds a script just as short, until one of its splits has searched kCostLimit passes;
// that split is cut where the search got furthest. This keeps two unrelated 100,000-word texts
// under 50 ms instead of seconds, at the price of about 4% more marked tokens than the minimum.
inline constexpr qint64 kTraceByteBound = 2LL * 1024 * 1024;
inline constexpr int kCostLimit = 48;

struct Stats {
    qint64 peakBytes = 0;  // working memory of the edit-script search
    bool linearSpace = false;
    bool nearMinimal = false;  // the cost limit was reached
};

// A cost limit of 0 searches for a shortest script however long it takes.
QList<DiffSegment> wordDiff(const QString& original, const QString& improved, qint64 traceByteBound,
                            Stats* stats = nullptr, int costLimit = kCostLimit);

}  // namespace wordDiffDetail

}  // namespace ts
