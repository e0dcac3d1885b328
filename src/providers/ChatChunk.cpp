#include "providers/ChatChunk.h"

#include <QJsonArray>
#include <algorithm>

#include "providers/JsonBytes.h"
#include "providers/SecretRedactor.h"
#include "providers/WireFormat.h"

namespace ts::chatChunk {

using jsonBytes::skipSpaces;
using jsonBytes::stringLiteral;

std::optional<QString> text(const QJsonObject& chunk) {
    const QJsonValue choices = chunk.value(QLatin1String("choices"));
    if (!choices.isArray()) {
        return std::nullopt;
    }
    QString first;
    bool isFirst = true;
    for (const QJsonValue& choice : choices.toArray()) {
        const QJsonValue delta = choice.toObject().value(QLatin1String("delta"));
        if (!choice.isObject() || !delta.isObject()) {
            return std::nullopt;
        }
        const std::optional<QString> content =
            wire::contentText(delta.toObject().value(QLatin1String("content")));
        if (!content) {
            return std::nullopt;
        }
        if (isFirst) {
            first = *content;
            isFirst = false;
        }
    }
    return first;
}

std::optional<QString> fastText(QByteArrayView payload) {
    // One choice with one delta, no error, and the text as a plain string: anything else (several
    // choices, content parts, tool calls) is left to the decoder.
    using jsonBytes::Member;
    const jsonBytes::Scan scan = jsonBytes::scanObject(payload);
    if (!scan.valid || scan.escapedNames || scan.count("error") > 0 || scan.count("choices") != 1 ||
        scan.count("delta") != 1) {
        return std::nullopt;
    }
    const Member* choices = scan.find("choices");
    const Member* delta = scan.find("delta");
    // Another member named "type" at the top could be an error event of another dialect.
    const bool topLevelType = std::any_of(
        scan.members.begin(), scan.members.end(),
        [](const Member& member) { return member.depth == 1 && member.name == "type"; });
    if (topLevelType || choices->depth != 1 || choices->kind != Member::Kind::array ||
        choices->length != 1 || delta->depth != 3 || delta->kind != Member::Kind::object ||
        delta->at < choices->at || delta->at > choices->valueEnd) {
        return std::nullopt;
    }
    qsizetype open = skipSpaces(payload, delta->at + 7);
    if (open >= payload.size() || payload[open] != ':') {
        return std::nullopt;
    }
    open = skipSpaces(payload, open + 1);
    if (open >= payload.size() || payload[open] != '{') {
        return std::nullopt;
    }
    // The delta's members: "role" and "content" only, each a string (content may be null).
    QString content;
    qsizetype i = skipSpaces(payload, open + 1);
    if (i < payload.size() && payload[i] == '}') {
        return content;
    }
    while (i < payload.size()) {
        if (payload[i] != '"') {
            return std::nullopt;
        }
        const QByteArrayView rest = payload.sliced(i);
        const bool isContent = rest.startsWith("\"content\"");
        if (!isContent && !rest.startsWith("\"role\"")) {
            return std::nullopt;
        }
        i = skipSpaces(payload, i + (isContent ? 9 : 6));
        if (i >= payload.size() || payload[i] != ':') {
            return std::nullopt;
        }
        i = skipSpaces(payload, i + 1);
        if (isContent && payload.sliced(i).startsWith("null")) {
            content.clear();
            i += 4;
        } else if (i < payload.size() && payload[i] == '"') {
            qsizetype afterValue = 0;
            const std::optional<QString> value = stringLiteral(payload, i, afterValue);
            if (!value) {
                return std::nullopt;
            }
            if (isContent) {
                content = *value;
            }
            i = afterValue;
        } else {
            return std::nullopt;
        }
        i = skipSpaces(payload, i);
        if (i < payload.size() && payload[i] == '}') {
            return content;
        }
        if (i >= payload.size() || payload[i] != ',') {
            return std::nullopt;
        }
        i = skipSpaces(payload, i + 1);
    }
    return std::nullopt;
}

std::optional<QString> decodedText(QByteArrayView payload) {
    const std::optional<QJsonObject> chunk = wire::parseObject(payload.toByteArray());
    if (!chunk || wire::streamedError(*chunk, false, {}, SecretRedactor())) {
        return std::nullopt;
    }
    return text(*chunk);
}

std::optional<QString> StreamTexts::quick(QByteArrayView payload) {
    if (std::optional<QString> text = m_cache.text(payload)) {
        return text;
    }
    std::optional<QString> text = fastText(payload);
    if (text) {
        m_cache.learn(payload, *text);
    }
    return text;
}

}  // namespace ts::chatChunk
