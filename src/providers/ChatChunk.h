#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "providers/StreamTextCache.h"

// The text of one streamed chat-completions chunk.
namespace ts::chatChunk {

// The first choice's delta text: nothing when the object is no chunk, the empty text for a
// chunk without text (a role, a finish reason, usage only).
std::optional<QString> text(const QJsonObject& chunk);

// The same answer for a chunk of the usual shape, one choice whose delta holds at most a role
// and a text, read straight from the bytes; nothing when the chunk has any other shape (or an
// error), which the JSON decoder then reads.
std::optional<QString> fastText(QByteArrayView payload);

// The full decode of a payload's text: text() of the parsed object, nothing for an error.
std::optional<QString> decodedText(QByteArrayView payload);

// The texts of one stream's chunks: what decodedText() gives, read from the bytes where the chunk
// has a shape seen before or the usual one. Nothing means "decode it fully, then learn()".
class StreamTexts final {
public:
    std::optional<QString> quick(QByteArrayView payload);
    void learn(QByteArrayView payload, const QString& text) { m_cache.learn(payload, text); }

private:
    StreamTextCache m_cache{"content", &decodedText};
};

}  // namespace ts::chatChunk
