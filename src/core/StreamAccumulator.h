#pragma once

#include <QString>
#include <QStringView>

namespace ts {

// Collects a streamed answer and keeps its preview (what streamingPreview would give for the
// text so far) up to date at a cost per piece that does not grow with the answer: only the new
// piece and the few characters before it that may start a separator are looked at.
class StreamAccumulator final {
public:
    // Returns the preview after the piece.
    QString append(QStringView piece);

    const QString& text() const { return m_text; }
    // A reference, not a copy: a consumer that kept a copy would make the next append copy the
    // whole preview.
    const QString& preview() const { return m_preview; }

    void clear();

private:
    void scanUpTo(qsizetype end);
    void commitUpTo(qsizetype end);
    void freezeAt(qsizetype separator);

    QString m_text;
    // m_text[m_previewStart, m_previewEnd): from the first to the last non-white-space character
    // seen before the separator. White space after m_previewEnd waits until something follows.
    QString m_preview;
    qsizetype m_previewStart = -1;
    qsizetype m_previewEnd = 0;
    qsizetype m_scanned = 0;
    bool m_frozen = false;
};

}  // namespace ts
