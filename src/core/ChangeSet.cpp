#include "core/ChangeSet.h"

namespace ts {

namespace {

QString shown(const QString& words) {
    return words.simplified();
}

}  // namespace

QString Change::describe() const {
    if (removed.trimmed().isEmpty()) {
        return QStringLiteral("insert: ") + shown(inserted);
    }
    if (inserted.trimmed().isEmpty()) {
        return QStringLiteral("delete: ") + shown(removed);
    }
    return shown(removed) + QStringLiteral(" → ") + shown(inserted);
}

QList<Change> changesOf(const QList<DiffSegment>& segments) {
    QList<Change> changes;
    qsizetype i = 0;
    while (i < segments.size()) {
        if (segments[i].op == DiffOp::equal) {
            ++i;
            continue;
        }
        Change change;
        change.first = i;
        while (i < segments.size() && segments[i].op != DiffOp::equal) {
            (segments[i].op == DiffOp::delete_ ? change.removed : change.inserted) +=
                segments[i].text;
            ++i;
        }
        change.end = i;
        changes.append(change);
    }
    return changes;
}

QList<int> changeIndexes(const QList<DiffSegment>& segments) {
    QList<int> indexes(segments.size(), -1);
    int change = -1;
    bool inChange = false;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const bool equal = segments[i].op == DiffOp::equal;
        if (!equal && !inChange) {
            ++change;
        }
        inChange = !equal;
        indexes[i] = equal ? -1 : change;
    }
    return indexes;
}

QString keptText(const QList<DiffSegment>& segments, const QSet<int>& rejected) {
    QString out;
    const QList<int> indexes = changeIndexes(segments);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const DiffSegment& segment = segments[i];
        const bool dropped = rejected.contains(indexes[i]);
        if (segment.op == DiffOp::equal || (segment.op == DiffOp::insert && !dropped) ||
            (segment.op == DiffOp::delete_ && dropped)) {
            out += segment.text;
        }
    }
    return out;
}

}  // namespace ts
