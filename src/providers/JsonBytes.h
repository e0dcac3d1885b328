#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Reading JSON text straight from its bytes, for the few places where building a document per
// streamed chunk would cost more than the chunk is worth.
namespace ts::jsonBytes {

// The first position at or after `at` that is no JSON white space.
qsizetype skipSpaces(QByteArrayView text, qsizetype at);

// The quote that closes the string opened at `open`, or -1.
qsizetype closingQuote(QByteArrayView text, qsizetype open);

// The string literal whose opening quote is at `at`, decoded; `end` receives the position after
// its closing quote. Nothing when it is malformed, not UTF-8 or holds a lone surrogate.
std::optional<QString> stringLiteral(QByteArrayView text, qsizetype at, qsizetype& end);

// Calls onKey(name, position of its opening quote) for every member name, at any depth. Returns
// whether the text is one object whose braces and brackets pair up and that closes at its last
// byte, so a chunk cut short is never taken for a whole one.
template <typename OnKey>
bool scanMembers(QByteArrayView text, OnKey&& onKey) {
    int depth = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '"') {
            const qsizetype close = closingQuote(text, i);
            if (close < 0) {
                return false;
            }
            const qsizetype colon = skipSpaces(text, close + 1);
            if (colon < size && text[colon] == ':') {
                onKey(text.sliced(i + 1, close - i - 1), i);
            }
            i = close;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth <= 0) {
                return depth == 0 && skipSpaces(text, i + 1) == size;
            }
        }
    }
    return false;
}

}  // namespace ts::jsonBytes
