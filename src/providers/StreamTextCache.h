#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace ts {

// The chunks of one stream nearly always share everything but their text. Once a full decode
// has shown where a chunk's text lies (the one member named `key`), a later chunk that is byte
// for byte the same outside that string is read by decoding the string alone.
class StreamTextCache final {
public:
    // The full decoder of a chunk's text; nothing for a chunk that carries no answer text.
    using Decoder = std::optional<QString> (*)(QByteArrayView payload);

    StreamTextCache(QByteArray key, Decoder decoder) : m_key(std::move(key)), m_decoder(decoder) {}

    // The text of a chunk shaped like the learnt one; nothing otherwise.
    std::optional<QString> text(QByteArrayView payload) const;
    // A chunk whose text a full decode found to be `text`.
    void learn(QByteArrayView payload, const QString& text);

private:
    QByteArray m_key;
    Decoder m_decoder;
    QByteArray m_prefix;  // the learnt chunk up to and with its text's opening quote
    QByteArray m_suffix;  // the learnt chunk from its text's closing quote on
};

}  // namespace ts
