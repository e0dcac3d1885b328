#include "cli/StreamPrinter.h"

#include "core/Prompts.h"

namespace ts::cli {
namespace {

// Length of the longest proper prefix of the separator that ends `text`.
qsizetype separatorPrefixAtEnd(const QString& text) {
    const QStringView separator = reviewSeparator;
    for (qsizetype length = std::min<qsizetype>(separator.size() - 1, text.size()); length > 0;
         --length) {
        if (QStringView(text).right(length) == separator.left(length)) {
            return length;
        }
    }
    return 0;
}

}  // namespace

QString StreamPrinter::advance(const QString& preview) {
    qsizetype safe = preview.size() - separatorPrefixAtEnd(preview);
    // White space before a held tail is trimmed away if that tail turns out to be the separator.
    while (safe > 0 && preview.at(safe - 1).isSpace()) {
        --safe;
    }
    if (safe <= m_written) {
        return {};
    }
    const QString added = preview.mid(m_written, safe - m_written);
    m_written = safe;
    return added;
}

QString StreamPrinter::finish(const QString& improved) {
    if (improved.size() < m_written) {
        // Cannot happen for a well-formed preview; never print a corrupted tail.
        return {};
    }
    const QString added = improved.mid(m_written);
    m_written = improved.size();
    return added;
}

}  // namespace ts::cli
