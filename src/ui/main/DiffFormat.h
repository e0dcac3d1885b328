#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include "core/DiffSegment.h"

namespace ts {

struct Palette;

// `colour`, moved towards `towards` just far enough to reach `ratio` (WCAG contrast) on
// `background`. The palette's cyan is too pale for small type on the light background.
QColor readableOn(const QColor& colour, const QColor& background, const QColor& towards,
                  double ratio);

// The accent colour for text on the window's background.
QColor accentText(const Palette& palette);

// How the runs of the answer and its word diff are drawn. Removed words are red and struck
// through, added ones are cyan, medium weight and underlined, so that they also differ in form.
struct TextRun;

struct DiffFormats {
    QTextCharFormat equal;
    QTextCharFormat insert;
    QTextCharFormat remove;
    // An added run the user dropped: struck out and dimmed, so the choice reads without colour.
    QTextCharFormat droppedInsert;
    QTextBlockFormat block;

    static DiffFormats from(const Palette& palette, qreal extraLineSpacingPx);
    const QTextCharFormat& of(DiffOp op) const;
    // A run of a change carries a "change:N" link, so a click on it can toggle the change; a
    // dropped change shows its original words plainly and its added words struck out.
    QTextCharFormat of(const TextRun& run, bool dropped) const;
};

// A piece of text to append in one go.
struct TextRun {
    DiffOp op = DiffOp::equal;
    QString text;
    int change = -1;  // the change it belongs to, for inserted and deleted runs
};

// The segments cut into runs of at most `maxChars` characters, at white space where there is
// any, so that appending a slice of runs costs the same however long a segment is.
QList<TextRun> cutIntoRuns(const QList<DiffSegment>& segments, qsizetype maxChars);

}  // namespace ts
