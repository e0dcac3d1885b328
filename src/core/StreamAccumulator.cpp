#include "core/StreamAccumulator.h"

#include <algorithm>

#include "core/Prompts.h"
#include "core/ReviewParser.h"

namespace ts {

QString StreamAccumulator::append(QStringView piece) {
    const qsizetype oldSize = m_text.size();
    m_text.append(piece);
    if (m_frozen) {
        return m_preview;
    }

    // A separator may have begun in an earlier piece.
    const qsizetype searchFrom = std::max<qsizetype>(0, oldSize - (reviewSeparator.size() - 1));
    const qsizetype separator = QStringView(m_text).indexOf(reviewSeparator, searchFrom);
    if (separator >= 0) {
        scanUpTo(separator);
        freezeAt(separator);
    } else {
        scanUpTo(m_text.size());
    }
    return m_preview;
}

void StreamAccumulator::scanUpTo(qsizetype end) {
    // Only the last visible character matters, so the scan runs backwards and stops there.
    qsizetype lastVisible = -1;
    for (qsizetype i = end - 1; i >= m_scanned; --i) {
        if (!isWhiteSpace(m_text[i])) {
            lastVisible = i;
            break;
        }
    }
    if (lastVisible >= 0) {
        commitUpTo(lastVisible + 1);
    }
    m_scanned = std::max(m_scanned, end);
}

void StreamAccumulator::commitUpTo(qsizetype end) {
    if (m_previewStart < 0) {
        qsizetype start = m_scanned;
        while (isWhiteSpace(m_text[start])) {
            ++start;
        }
        m_previewStart = start;
        m_previewEnd = start;
    }
    m_preview.append(QStringView(m_text).sliced(m_previewEnd, end - m_previewEnd));
    m_previewEnd = end;
}

void StreamAccumulator::freezeAt(qsizetype separator) {
    m_frozen = true;
    if (m_previewStart < 0 || separator <= m_previewStart) {
        m_preview.clear();
        return;
    }
    // Characters of the separator itself (and white space before it) leave the preview again.
    m_preview.truncate(std::min(m_previewEnd, separator) - m_previewStart);
    qsizetype end = m_preview.size();
    while (end > 0 && isWhiteSpace(m_preview[end - 1])) {
        --end;
    }
    m_preview.truncate(end);
}

void StreamAccumulator::clear() {
    *this = StreamAccumulator();
}

}  // namespace ts
