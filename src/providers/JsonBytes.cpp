#include "providers/JsonBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace ts::jsonBytes {
namespace {

// A run of raw string bytes: Latin-1 when it is plain ASCII, else checked UTF-8.
bool appendRun(QString& out, QByteArrayView run) {
    const bool ascii = std::all_of(run.begin(), run.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        out += QLatin1StringView(run.data(), run.size());
        return true;
    }
    // A U+FEFF at the start of a run is text here, not a byte-order mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    out += utf8(run);
    return !utf8.hasError();
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<char16_t> unicodeEscape(QByteArrayView text, qsizetype at) {
    if (at + 4 > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (qsizetype i = at; i < at + 4; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return char16_t(value);
}

}  // namespace

qsizetype skipSpaces(QByteArrayView text, qsizetype at) {
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
        ++at;
    }
    return at;
}

// A JSON string literal starting at `at` (its opening quote); `end` receives the position after
// the closing quote. Nothing when it is malformed or holds a lone surrogate.
std::optional<QString> stringLiteral(QByteArrayView text, qsizetype at, qsizetype& end) {
    // Most streamed text is plain ASCII without escapes: one copy, no decoding.
    const qsizetype close = closingQuote(text, at);
    if (close > at) {
        const QByteArrayView body = text.sliced(at + 1, close - at - 1);
        const bool plain = std::all_of(body.begin(), body.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u >= 0x20 && u < 0x80 && c != '\\';
        });
        if (plain) {
            end = close + 1;
            return QString::fromLatin1(body);
        }
    }
    QString out;
    qsizetype runStart = at + 1;
    bool valid = true;
    const auto flushRun = [&](qsizetype runEnd) {
        valid = appendRun(out, text.sliced(runStart, runEnd - runStart)) && valid;
    };
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 0x20) {
            return std::nullopt;
        }
        if (c == '"') {
            flushRun(i);
            end = i + 1;
            if (!valid) {
                return std::nullopt;
            }
            for (qsizetype k = 0; k < out.size(); ++k) {
                const QChar ch = out[k];
                if (ch.isHighSurrogate() && (k + 1 >= out.size() || !out[k + 1].isLowSurrogate())) {
                    return std::nullopt;
                }
                if (ch.isLowSurrogate() && (k == 0 || !out[k - 1].isHighSurrogate())) {
                    return std::nullopt;
                }
            }
            return out;
        }
        if (c != '\\') {
            continue;
        }
        flushRun(i);
        if (i + 1 >= text.size()) {
            return std::nullopt;
        }
        const char escaped = text[++i];
        switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += QLatin1Char(escaped);
                break;
            case 'b':
                out += QLatin1Char('\b');
                break;
            case 'f':
                out += QLatin1Char('\f');
                break;
            case 'n':
                out += QLatin1Char('\n');
                break;
            case 'r':
                out += QLatin1Char('\r');
                break;
            case 't':
                out += QLatin1Char('\t');
                break;
            case 'u': {
                const std::optional<char16_t> unit = unicodeEscape(text, i + 1);
                if (!unit) {
                    return std::nullopt;
                }
                out += QChar(*unit);
                i += 4;
                break;
            }
            default:
                return std::nullopt;
        }
        runStart = i + 1;
    }
    return std::nullopt;
}

// The quote that closes the string opened at `open`, or -1.
qsizetype closingQuote(QByteArrayView text, qsizetype open) {
    const char* const begin = text.data();
    const char* pos = begin + open + 1;
    const char* const end = begin + text.size();
    while (pos < end) {
        const auto* quote = static_cast<const char*>(std::memchr(pos, '"', size_t(end - pos)));
        if (!quote) {
            return -1;
        }
        // Escaped when an odd number of backslashes comes before it.
        const char* back = quote;
        while (back > pos && back[-1] == '\\') {
            --back;
        }
        if ((quote - back) % 2 == 0) {
            return quote - begin;
        }
        pos = quote + 1;
    }
    return -1;
}

namespace {

// A recursive-descent check of the JSON grammar over the bytes.
class Scanner final {
public:
    Scanner(QByteArrayView text, Scan& scan) : m_text(text), m_scan(scan) {}

    bool document() {
        m_pos = skipSpaces(m_text, 0);
        if (!at('{') || !object(0)) {
            return false;
        }
        return skipSpaces(m_text, m_pos) == m_text.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    bool at(char c) const { return m_pos < m_text.size() && m_text[m_pos] == c; }

    // From an opening brace; `depth` is that of the enclosing container.
    bool object(int depth) {
        if (depth >= kMaxDepth) {
            return false;
        }
        ++m_pos;
        m_pos = skipSpaces(m_text, m_pos);
        if (at('}')) {
            ++m_pos;
            return true;
        }
        for (;;) {
            if (!at('"')) {
                return false;
            }
            const qsizetype nameAt = m_pos;
            if (!string()) {
                return false;
            }
            const QByteArrayView name = m_text.sliced(nameAt + 1, m_pos - nameAt - 2);
            if (name.contains('\\')) {
                m_scan.escapedNames = true;
            }
            m_pos = skipSpaces(m_text, m_pos);
            if (!at(':')) {
                return false;
            }
            m_pos = skipSpaces(m_text, m_pos + 1);
            Member member{name, depth + 1, nameAt};
            const qsizetype index = m_scan.members.size();
            m_scan.members.append(member);
            int length = 0;
            Member::Kind kind = Member::Kind::other;
            if (!value(depth + 1, kind, length)) {
                return false;
            }
            Member& stored = m_scan.members[index];
            stored.kind = kind;
            stored.length = length;
            stored.valueEnd = m_pos;
            m_pos = skipSpaces(m_text, m_pos);
            if (at('}')) {
                ++m_pos;
                return true;
            }
            if (!at(',')) {
                return false;
            }
            m_pos = skipSpaces(m_text, m_pos + 1);
        }
    }

    bool array(int depth, int& length) {
        if (depth >= kMaxDepth) {
            return false;
        }
        m_pos = skipSpaces(m_text, m_pos + 1);
        if (at(']')) {
            ++m_pos;
            return true;
        }
        for (;;) {
            Member::Kind kind = Member::Kind::other;
            int inner = 0;
            if (!value(depth + 1, kind, inner)) {
                return false;
            }
            ++length;
            m_pos = skipSpaces(m_text, m_pos);
            if (at(']')) {
                ++m_pos;
                return true;
            }
            if (!at(',')) {
                return false;
            }
            m_pos = skipSpaces(m_text, m_pos + 1);
        }
    }

    bool value(int depth, Member::Kind& kind, int& length) {
        if (m_pos >= m_text.size()) {
            return false;
        }
        switch (m_text[m_pos]) {
            case '{':
                kind = Member::Kind::object;
                return object(depth);
            case '[':
                kind = Member::Kind::array;
                return array(depth, length);
            case '"':
                kind = Member::Kind::string;
                return string();
            case 't':
                return literal("true");
            case 'f':
                return literal("false");
            case 'n':
                return literal("null");
            default:
                return number();
        }
    }

    bool literal(QByteArrayView word) {
        if (!m_text.sliced(m_pos).startsWith(word)) {
            return false;
        }
        m_pos += word.size();
        return true;
    }

    bool digits() {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            ++m_pos;
        }
        return m_pos > start;
    }

    bool number() {
        const qsizetype start = m_pos;
        if (!numberSyntax()) {
            return false;
        }
        // Short integers are always in range; anything else is checked by the parser that reads
        // these documents, which refuses numbers beyond a double's range.
        const QByteArrayView text = m_text.sliced(start, m_pos - start);
        const bool plainInteger =
            text.size() <= 15 && !text.contains('.') && !text.contains('e') && !text.contains('E');
        return plainInteger ||
               !QJsonDocument::fromJson("[" + text.toByteArray() + "]").array().isEmpty();
    }

    bool numberSyntax() {
        if (at('-')) {
            ++m_pos;
        }
        if (at('0')) {
            ++m_pos;
        } else if (!digits()) {
            return false;
        }
        if (at('.')) {
            ++m_pos;
            if (!digits()) {
                return false;
            }
        }
        if (at('e') || at('E')) {
            ++m_pos;
            if (at('+') || at('-')) {
                ++m_pos;
            }
            if (!digits()) {
                return false;
            }
        }
        return true;
    }

    // From an opening quote to just past the closing one: escapes, no control characters, and
    // UTF-8 where the bytes leave ASCII.
    bool string() {
        const qsizetype open = m_pos;
        const qsizetype close = closingQuote(m_text, open);
        if (close < 0) {
            return false;
        }
        bool ascii = true;
        for (qsizetype i = open + 1; i < close; ++i) {
            const auto c = static_cast<unsigned char>(m_text[i]);
            if (c < 0x20) {
                return false;
            }
            ascii = ascii && c < 0x80;
            if (c != '\\') {
                continue;
            }
            const char escaped = m_text[++i];
            if (escaped == 'u') {
                for (qsizetype k = i + 1; k <= i + 4; ++k) {
                    if (k >= close || hexValue(m_text[k]) < 0) {
                        return false;
                    }
                }
                i += 4;
            } else if (!std::strchr("\"\\/bfnrt", escaped) || escaped == '\0') {
                return false;
            }
        }
        if (!ascii) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8(m_text.sliced(open + 1, close - open - 1));
            if (utf8.hasError()) {
                return false;
            }
        }
        m_pos = close + 1;
        return true;
    }

    QByteArrayView m_text;
    Scan& m_scan;
    qsizetype m_pos = 0;
};

}  // namespace

int Scan::count(QByteArrayView name) const {
    return int(std::count_if(members.begin(), members.end(),
                             [name](const Member& member) { return member.name == name; }));
}

const Member* Scan::find(QByteArrayView name) const {
    const auto found = std::find_if(members.begin(), members.end(),
                                    [name](const Member& member) { return member.name == name; });
    return found == members.end() ? nullptr : &*found;
}

Scan scanObject(QByteArrayView text) {
    Scan scan;
    scan.valid = Scanner(text, scan).document();
    return scan;
}

}  // namespace ts::jsonBytes
