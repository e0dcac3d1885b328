#include "ui/main/DiffFormat.h"

#include <QFont>
#include <cmath>

#include "core/ChangeSet.h"
#include "ui/theme/Palette.h"
#include "ui/theme/TextContrast.h"

namespace ts {

namespace {

QColor mix(const QColor& from, const QColor& to, double share) {
    const auto at = [share](float a, float b) { return a + (b - a) * float(share); };
    return QColor::fromRgbF(at(from.redF(), to.redF()), at(from.greenF(), to.greenF()),
                            at(from.blueF(), to.blueF()));
}

// Splits at the last white space before `limit`; text without any is cut at the limit itself
// (never inside a surrogate pair), as the runs are appended side by side in one flow.
qsizetype cutPoint(const QString& text, qsizetype from, qsizetype limit) {
    if (limit >= text.size()) {
        return text.size();
    }
    for (qsizetype at = limit; at > from; --at) {
        if (text.at(at - 1).isSpace()) {
            return at;
        }
    }
    return text.at(limit - 1).isHighSurrogate() && limit - 1 > from ? limit - 1 : limit;
}

}  // namespace

QColor readableOn(const QColor& colour, const QColor& background, const QColor& towards,
                  double ratio) {
    QColor opaque = colour.toRgb();
    opaque.setAlphaF(1.0f);
    for (int step = 0; step <= 20; ++step) {
        const QColor candidate = mix(opaque, towards, step / 20.0);
        if (wcagContrast(candidate, background) >= ratio) {
            return candidate;
        }
    }
    return towards;
}

QColor accentText(const Palette& palette) {
    return readableOn(palette.cyan, palette.gradientA, palette.text, 4.5);
}

DiffFormats DiffFormats::from(const Palette& palette, qreal extraLineSpacingPx) {
    DiffFormats formats;
    formats.equal.setForeground(palette.text);

    const QColor added = accentText(palette);
    formats.insert.setForeground(added);
    formats.insert.setFontWeight(QFont::Medium);
    formats.insert.setFontUnderline(true);
    formats.insert.setUnderlineColor(added);
    formats.insert.setBackground(palette.cyanSoft);

    const QColor removed = readableOn(palette.red, palette.gradientA, palette.text, 4.5);
    formats.remove.setForeground(removed);
    formats.remove.setFontStrikeOut(true);

    formats.droppedInsert.setForeground(palette.textDimmer);
    formats.droppedInsert.setFontStrikeOut(true);

    formats.block.setLineHeight(extraLineSpacingPx, QTextBlockFormat::LineDistanceHeight);
    return formats;
}

QTextCharFormat DiffFormats::of(const TextRun& run, bool dropped) const {
    if (run.change < 0) {
        return of(run.op);
    }
    QTextCharFormat format = !dropped                    ? of(run.op)
                             : run.op == DiffOp::delete_ ? equal
                                                         : droppedInsert;
    format.setAnchor(true);
    format.setAnchorHref(QStringLiteral("change:%1").arg(run.change));
    return format;
}

const QTextCharFormat& DiffFormats::of(DiffOp op) const {
    switch (op) {
        case DiffOp::insert:
            return insert;
        case DiffOp::delete_:
            return remove;
        case DiffOp::equal:
            break;
    }
    return equal;
}

QList<TextRun> cutIntoRuns(const QList<DiffSegment>& segments, qsizetype maxChars) {
    QList<TextRun> runs;
    const QList<int> changes = changeIndexes(segments);
    // Within each change the old words are read first, then the new ones ("hey Hi", not
    // "Hi hey"), whatever order the diff found them in.
    QList<qsizetype> order;
    order.reserve(segments.size());
    for (qsizetype i = 0; i < segments.size();) {
        if (segments[i].op == DiffOp::equal) {
            order.append(i++);
            continue;
        }
        qsizetype end = i;
        while (end < segments.size() && segments[end].op != DiffOp::equal) {
            ++end;
        }
        for (const DiffOp op : {DiffOp::delete_, DiffOp::insert}) {
            for (qsizetype k = i; k < end; ++k) {
                if (segments[k].op == op) {
                    order.append(k);
                }
            }
        }
        i = end;
    }
    for (const qsizetype i : order) {
        const DiffSegment& segment = segments[i];
        const QString& text = segment.text;
        if (text.size() <= maxChars) {
            runs.append({segment.op, text, changes[i]});
            continue;
        }
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype to = cutPoint(text, from, std::min(from + maxChars, text.size()));
            runs.append({segment.op, text.mid(from, to - from), changes[i]});
            from = to;
        }
    }
    return runs;
}

}  // namespace ts
