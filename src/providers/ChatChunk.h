#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <optional>

// The text of one streamed chat-completions chunk.
namespace ts::chatChunk {

// The first choice's delta text: nothing when the object is no chunk, the empty text for a
// chunk without text (a role, a finish reason, usage only).
std::optional<QString> text(const QJsonObject& chunk);

// The same answer for a chunk of the usual shape, one choice whose delta holds at most a role
// and a text, read straight from the bytes; nothing when the chunk has any other shape (or an
// error), which the JSON decoder then reads.
std::optional<QString> fastText(QByteArrayView payload);

}  // namespace ts::chatChunk
