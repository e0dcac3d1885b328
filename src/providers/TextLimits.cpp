#include "providers/TextLimits.h"

#include <QTextBoundaryFinder>

namespace ts {

qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0) {
        ++count;
    }
    return count;
}

QString firstCharacters(const QString& text, qsizetype count) {
    // Quick exit: no text can hold more characters than code units.
    if (text.size() <= count) {
        return text;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype seen = 0;
    qsizetype end = 0;
    while (seen < count) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0) {
            return text;
        }
        end = next;
        ++seen;
    }
    return text.left(end);
}

}  // namespace ts
