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
    const jsonBytes::Scan scan = jsonBytes::scanObject(payload);
    // The one member of that name, unambiguous: a name spelt with escapes could be a second one.
    if (!scan.valid || scan.escapedNames || scan.count(m_key) != 1 ||
        scan.find(m_key)->kind != jsonBytes::Member::Kind::string) {
        return;
    }
    const qsizetype keyAt = scan.find(m_key)->at;
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
    // A member of that name may hold something other than the answer (a stray top-level
    // "content"), which the decoder ignores: the shape is learnt only when the decoder reads
    // another string in its place as the text.
    const QByteArray prefix = payload.first(open + 1).toByteArray();
    const QByteArray suffix = payload.sliced(end - 1).toByteArray();
    if (m_decoder(prefix + QByteArrayLiteral(R"(\u00e9\"x)") + suffix) != QStringLiteral("é\"x")) {
        return;
    }
    m_prefix = prefix;
    m_suffix = suffix;
}

}  // namespace ts
