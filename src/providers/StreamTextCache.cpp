#include "providers/StreamTextCache.h"

#include "providers/JsonBytes.h"

namespace ts {

std::optional<QString> StreamTextCache::text(QByteArrayView payload) const {
    if (m_prefix.isEmpty() || payload.size() < m_prefix.size() + m_suffix.size() ||
        !payload.startsWith(m_prefix) || !payload.endsWith(m_suffix)) {
        return std::nullopt;
    }
    // Valid JSON stays valid when one string literal is swapped for another, so the chunk's
    // meaning differs from the learnt one's only in that string.
    qsizetype end = 0;
    std::optional<QString> text = jsonBytes::stringLiteral(payload, m_prefix.size() - 1, end);
    if (!text || end != payload.size() - m_suffix.size() + 1) {
        return std::nullopt;
    }
    return text;
}

void StreamTextCache::learn(QByteArrayView payload, const QString& text) {
    m_prefix.clear();
    m_suffix.clear();
    int found = 0;
    qsizetype keyAt = -1;
    const bool whole = jsonBytes::scanMembers(payload, [&](QByteArrayView name, qsizetype at) {
        if (name == m_key) {
            ++found;
            keyAt = at;
        }
    });
    if (!whole || found != 1) {
        return;
    }
    qsizetype open = jsonBytes::skipSpaces(payload, keyAt + m_key.size() + 2);
    open = open < payload.size() && payload[open] == ':' ? jsonBytes::skipSpaces(payload, open + 1)
                                                         : -1;
    if (open < 0 || open >= payload.size() || payload[open] != '"') {
        return;
    }
    qsizetype end = 0;
    // Only where the string really is the text the decoder found.
    if (jsonBytes::stringLiteral(payload, open, end) != text) {
        return;
    }
    m_prefix = payload.first(open + 1).toByteArray();
    m_suffix = payload.sliced(end - 1).toByteArray();
}

}  // namespace ts
