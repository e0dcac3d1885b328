#include "providers/LLMError.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "providers/TextLimits.h"

namespace ts {

LLMError LLMError::invalidResponse(QString detail) {
    return LLMError(Kind::invalidResponse, 0, std::move(detail));
}

LLMError LLMError::httpError(int status, QString body) {
    return LLMError(Kind::httpError, status, std::move(body));
}

LLMError LLMError::httpError(int status, QString body, ProviderMessage message) {
    LLMError error(Kind::httpError, status, std::move(body));
    error.m_message = std::move(message);
    return error;
}

LLMError LLMError::reported(QString message) {
    return LLMError(Kind::reported, 0, std::move(message));
}

LLMError LLMError::missingAPIKey() {
    return LLMError(Kind::missingAPIKey, 0, {});
}

LLMError LLMError::cancelled() {
    return LLMError(Kind::cancelled, 0, {});
}

namespace {

// The message of a JSON error body; nothing when the body is no such document.
std::optional<QString> structuredMessage(const QJsonObject& root) {
    const QJsonValue error = root.value(QLatin1String("error"));
    const QJsonValue nested = error.toObject().value(QLatin1String("message"));
    if (nested.isString()) {
        return nested.toString();
    }
    if (error.isString()) {
        return error.toString();
    }
    const QJsonValue message = root.value(QLatin1String("message"));
    if (message.isString()) {
        return message.toString();
    }
    return std::nullopt;
}

std::optional<QJsonObject> jsonObject(QByteArrayView body) {
    const QJsonDocument doc = QJsonDocument::fromJson(body.toByteArray());
    return doc.isObject() ? std::optional(doc.object()) : std::nullopt;
}

// Only the service's own words may say the model is missing: a bare "Cannot GET /models" from
// a wrong path is no statement about the model.
bool namesModel(const QJsonObject& root) {
    const QJsonObject error = root.value(QLatin1String("error")).toObject();
    const QString words = structuredMessage(root).value_or(QString()) + QLatin1Char(' ') +
                          error.value(QLatin1String("code")).toString() + QLatin1Char(' ') +
                          error.value(QLatin1String("type")).toString();
    return words.contains(QLatin1String("model"), Qt::CaseInsensitive);
}

}  // namespace

ProviderMessage providerMessageOf(QByteArrayView body) {
    if (const std::optional<QJsonObject> root = jsonObject(body)) {
        if (std::optional<QString> message = structuredMessage(*root)) {
            return {*message, namesModel(*root)};
        }
        return {firstCharacters(QString::fromUtf8(body), 200).trimmed(), namesModel(*root)};
    }
    return {firstCharacters(QString::fromUtf8(body), 200).trimmed(), false};
}

QString providerMessage(const QString& body) {
    return providerMessageOf(body.toUtf8()).text;
}

namespace {

QString httpDescription(int status, const ProviderMessage& provider) {
    const QString& message = provider.text;
    const QString code = QString::number(status);
    if (status == 400) {
        return message.isEmpty() ? QStringLiteral(
                                       "The provider rejected the request (400). Check Settings → "
                                       "Provider.")
                                 : QStringLiteral("The provider rejected the request: ") + message;
    }
    if (status == 401 || status == 403) {
        return QStringLiteral("API key rejected. Open Settings → Provider and re-check the key.");
    }
    if (status == 404) {
        return provider.namesModel ? QStringLiteral(
                                         "Model not found. Open Settings → Provider and pick one "
                                         "that's available for this provider.")
                                   : QStringLiteral(
                                         "Provider endpoint not found (404). Check Settings → "
                                         "Provider.");
    }
    if (status == 408 || status == 504) {
        return QStringLiteral("Provider timed out. Try again, or switch provider in Settings.");
    }
    if (status == 429) {
        return QStringLiteral(
            "Rate limited by the provider. Wait ~30 seconds and try again, or switch provider in "
            "Settings.");
    }
    if (status >= 500 && status <= 599) {
        return QStringLiteral("Provider is temporarily unavailable (") + code +
               QStringLiteral("). Try again in a moment or switch provider in Settings.");
    }
    if (message.isEmpty()) {
        return QStringLiteral("Provider returned ") + code +
               QStringLiteral(". Try again or switch provider in Settings.");
    }
    return QStringLiteral("Provider returned ") + code + QStringLiteral(": ") + message;
}

}  // namespace

QString LLMError::description() const {
    switch (m_kind) {
        case Kind::invalidResponse:
            return QStringLiteral("Couldn't parse the provider's response. ") + m_text;
        case Kind::httpError:
            return httpDescription(m_status,
                                   m_message ? *m_message : providerMessageOf(m_text.toUtf8()));
        case Kind::reported:
            return QStringLiteral("The provider reported an error: ") + m_text;
        case Kind::missingAPIKey:
            return QStringLiteral("API key is missing. Open Settings and add one.");
        case Kind::cancelled:
            return QStringLiteral("Request cancelled.");
    }
    return {};
}

}  // namespace ts
