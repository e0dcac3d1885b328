#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include "core/DiffSegment.h"

namespace ts {

// One change of a word diff: a maximal run of deleted and inserted segments between two equal
// ones, so a replacement is one change that is kept or dropped as a whole.
struct Change {
    qsizetype first = 0;  // index of its first segment
    qsizetype end = 0;    // one past its last segment
    QString removed;      // the original side
    QString inserted;     // the improved side

    // How a screen reader or a terminal names it: "sending → send", "delete: really",
    // "insert: by Thursday".
    QString describe() const;
};

QList<Change> changesOf(const QList<DiffSegment>& segments);

// The text with every change taken from the improved side, except the rejected ones (indexes
// into changesOf), which keep the original words. Nothing rejected gives the improved text,
// everything rejected the original.
QString keptText(const QList<DiffSegment>& segments, const QSet<int>& rejected);

// The change each segment belongs to, or -1 for equal segments.
QList<int> changeIndexes(const QList<DiffSegment>& segments);

}  // namespace ts
