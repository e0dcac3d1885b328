#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <variant>

#include "core/RequestError.h"
#include "providers/ClientOptions.h"

namespace ts {

class SecretRedactor;
class LLMError;

// Helpers shared by the model clients' request building and response reading.
namespace wire {

// `base` with `component` appended to its path, exactly one "/" between them; query kept.
QUrl appendPath(const QUrl& base, const QString& component);

QNetworkRequest makeRequest(const QUrl& url, const ClientOptions& options);

QByteArray compactJson(const QJsonObject& object);

// The body as text, or the empty text when it is not valid UTF-8.
QString utf8OrEmpty(const QByteArray& bytes);

// A message content: a text, nothing (the empty text), or a list of parts whose "text"s are
// joined. Nothing when it is none of these.
std::optional<QString> contentText(const QJsonValue& content);

std::optional<QJsonObject> parseObject(const QByteArray& json);

// The text of a non-2xx answer read whole: the first 400 characters, secrets removed.
QString errorText(const QByteArray& body, const SecretRedactor& redactor);

// Error bodies longer than this are not parsed for the service's message.
constexpr qsizetype kErrorBodyParseLimit = 64 * 1024;

// The failure of a non-2xx answer. `text` is what the error keeps (cut short); the message the
// user reads comes from the whole `body` where that is a JSON object, and is redacted after
// decoding, since a JSON escape could otherwise hide a secret from the raw-text redaction.
LLMError httpFailure(int status, const QString& text, QByteArrayView body,
                     const SecretRedactor& redactor);

// A failure reported inside a successful stream (an error event, or an "error" member in a
// chunk). A code the service shares with an HTTP status (a rejected key, a rate limit, an
// overload) reads as that status does; any other error in the service's own words. Nothing
// when the event is no error.
std::optional<RequestError> streamedError(const QJsonObject& event, bool errorEvent,
                                          const QByteArray& payload,
                                          const SecretRedactor& redactor);

RequestError decodingFailure(const QString& detail);

// The "data" list of model objects with string "id"s that OpenAI and Anthropic answer, kept
// where `keep` says so and sorted.
std::variant<QStringList, RequestError> decodeDataModelIds(
    const QByteArray& body, const std::function<bool(const QString&)>& keep = {});

RequestError failure(const LLMError& error);

}  // namespace wire
}  // namespace ts
