#pragma once

#include <QString>

namespace ts::cli {

// Turns the growing streaming preview into text that can be written to a terminal or pipe and
// never taken back: a tail that might be the start of the separator is held until it is not.
class StreamPrinter {
public:
    // The new text to write for this preview.
    QString advance(const QString& preview);
    // The rest to write once the final improved text is known.
    QString finish(const QString& improved);

    qsizetype written() const { return m_written; }

private:
    // The preview only grows (but for the held tail), so a count is all that must be kept;
    // comparing or copying the whole preview per piece would cost more with every piece.
    qsizetype m_written = 0;
};

}  // namespace ts::cli
