#pragma once

#include <QList>
#include <QString>

#include "core/DiffSegment.h"

namespace ts {

// The original and the improved text merged into kept, inserted and removed runs of whole
// tokens (a word with the white space after it). At a replacement the insertion comes first.
QList<DiffSegment> wordDiff(const QString& original, const QString& improved);

namespace wordDiffDetail {

// Past this, the per-pass copies of the greedy search give way to the linear-space search.
inline constexpr qint64 kTraceByteBound = 64LL * 1024 * 1024;

struct Stats {
    qint64 peakBytes = 0;  // working memory of the edit-script search
    bool linearSpace = false;
};

QList<DiffSegment> wordDiff(const QString& original, const QString& improved, qint64 traceByteBound,
                            Stats* stats = nullptr);

}  // namespace wordDiffDetail

}  // namespace ts
