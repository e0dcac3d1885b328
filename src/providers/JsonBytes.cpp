#include "providers/JsonBytes.h"

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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
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

}  // namespace ts::jsonBytes
