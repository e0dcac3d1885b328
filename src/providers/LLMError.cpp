#include "providers/LLMError.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "providers/TextLimits.h"

namespace ts {

LLMError LLMError::invalidResponse(QString detail) {
    return LLMError(Kind::invalidResponse, 0, std::move(detail));
}

LLMError LLMError::httpError(int status, QString body) {
    return LLMError(Kind::httpError, status, std::move(body));
}

LLMError LLMError::missingAPIKey() {
    return LLMError(Kind::missingAPIKey, 0, {});
}

LLMError LLMError::cancelled() {
    return LLMError(Kind::cancelled, 0, {});
}

QString providerMessage(const QString& body) {
    const QJsonDocument doc = QJsonDocument::fromJson(body.toUtf8());
    if (doc.isObject()) {
        const QJsonObject root = doc.object();
        const QJsonValue error = root.value(QLatin1String("error"));
        if (error.isObject()) {
            const QJsonValue message = error.toObject().value(QLatin1String("message"));
            if (message.isString()) {
                return message.toString();
            }
        }
        const QJsonValue message = root.value(QLatin1String("message"));
        if (message.isString()) {
            return message.toString();
        }
    }
    return firstCharacters(body, 200).trimmed();
}

namespace {

QString httpDescription(int status, const QString& body) {
    const QString message = providerMessage(body);
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
        return message.contains(QLatin1String("model"), Qt::CaseInsensitive)
                   ? QStringLiteral(
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
            return httpDescription(m_status, m_text);
        case Kind::missingAPIKey:
            return QStringLiteral("API key is missing. Open Settings and add one.");
        case Kind::cancelled:
            return QStringLiteral("Request cancelled.");
    }
    return {};
}

}  // namespace ts
