#include "providers/LLMError.h"

#include <QCoreApplication>
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

QString translated(const char* text) {
    return QCoreApplication::translate("ts::LLMError", text);
}

QString httpDescription(int status, const ProviderMessage& provider) {
    const QString& message = provider.text;
    const QString code = QString::number(status);
    if (status == 400) {
        return message.isEmpty()
                   ? translated(QT_TRANSLATE_NOOP("ts::LLMError",
                                                  "The provider rejected the request (400). Check "
                                                  "Settings → Provider."))
                   : translated(
                         QT_TRANSLATE_NOOP("ts::LLMError", "The provider rejected the request: %1"))
                         .arg(message);
    }
    if (status == 401 || status == 403) {
        return translated(QT_TRANSLATE_NOOP(
            "ts::LLMError", "API key rejected. Open Settings → Provider and re-check the key."));
    }
    if (status == 404) {
        return provider.namesModel ? translated(QT_TRANSLATE_NOOP(
                                         "ts::LLMError",
                                         "Model not found. Open Settings → Provider and pick one "
                                         "that's available for this provider."))
                                   : translated(QT_TRANSLATE_NOOP(
                                         "ts::LLMError",
                                         "Provider endpoint not found (404). Check Settings → "
                                         "Provider."));
    }
    if (status == 408 || status == 504) {
        return translated(QT_TRANSLATE_NOOP(
            "ts::LLMError", "Provider timed out. Try again, or switch provider in Settings."));
    }
    if (status == 429) {
        return translated(
            QT_TRANSLATE_NOOP("ts::LLMError",
                              "Rate limited by the provider. Wait ~30 seconds and try again, "
                              "or switch provider in Settings."));
    }
    if (status >= 500 && status <= 599) {
        return translated(
                   QT_TRANSLATE_NOOP("ts::LLMError",
                                     "Provider is temporarily unavailable (%1). Try again in a "
                                     "moment or switch provider in Settings."))
            .arg(code);
    }
    if (message.isEmpty()) {
        return translated(QT_TRANSLATE_NOOP("ts::LLMError",
                                            "Provider returned %1. Try again or switch provider in "
                                            "Settings."))
            .arg(code);
    }
    return translated(QT_TRANSLATE_NOOP("ts::LLMError", "Provider returned %1: %2"))
        .arg(code, message);
}

}  // namespace

QString LLMError::description() const {
    switch (m_kind) {
        case Kind::invalidResponse:
            return translated(QT_TRANSLATE_NOOP("ts::LLMError",
                                                "Couldn't parse the provider's response. %1"))
                .arg(m_text);
        case Kind::httpError:
            return httpDescription(m_status,
                                   m_message ? *m_message : providerMessageOf(m_text.toUtf8()));
        case Kind::reported:
            return translated(
                       QT_TRANSLATE_NOOP("ts::LLMError", "The provider reported an error: %1"))
                .arg(m_text);
        case Kind::missingAPIKey:
            return translated(QT_TRANSLATE_NOOP("ts::LLMError",
                                                "API key is missing. Open Settings and add one."));
        case Kind::cancelled:
            return translated(QT_TRANSLATE_NOOP("ts::LLMError", "Request cancelled."));
    }
    return {};
}

}  // namespace ts
