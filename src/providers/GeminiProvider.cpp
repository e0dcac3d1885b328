#include "providers/GeminiProvider.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QUrlQuery>
#include <algorithm>

#include "providers/HttpCall.h"
#include "providers/LLMError.h"
#include "providers/WireFormat.h"

namespace ts {
namespace {

constexpr double temperature = 0.4;

QJsonObject textParts(const QString& text) {
    return QJsonObject{
        {QStringLiteral("parts"), QJsonArray{QJsonObject{{QStringLiteral("text"), text}}}}};
}

QJsonObject generateBody(const QString& systemPrompt, const QString& userMessage) {
    QJsonObject user = textParts(userMessage);
    user.insert(QStringLiteral("role"), QStringLiteral("user"));
    return QJsonObject{
        {QStringLiteral("systemInstruction"), textParts(systemPrompt)},
        {QStringLiteral("contents"), QJsonArray{user}},
        {QStringLiteral("generationConfig"),
         QJsonObject{{QStringLiteral("temperature"), temperature}}},
    };
}

bool isOptionalString(const QJsonValue& value) {
    return value.isString() || value.isNull() || value.isUndefined();
}

RequestError blocked(const QString& reason) {
    return RequestError(
        QCoreApplication::translate("ts::GeminiProvider", "Gemini blocked this response (%1).")
            .arg(reason));
}

bool isBlockReason(const QString& finishReason) {
    static const QStringList reasons{
        QStringLiteral("SAFETY"),
        QStringLiteral("RECITATION"),
        QStringLiteral("PROHIBITED_CONTENT"),
        QStringLiteral("BLOCKLIST"),
        QStringLiteral("SPII"),
    };
    return reasons.contains(finishReason);
}

HttpCall::Outcome decodeAnswer(const QByteArray& body) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    const QJsonValue candidates = root ? root->value(QLatin1String("candidates")) : QJsonValue();
    const QString blockReason = root ? root->value(QLatin1String("promptFeedback"))
                                           .toObject()
                                           .value(QLatin1String("blockReason"))
                                           .toString()
                                     : QString();
    if (!blockReason.isEmpty()) {
        return blocked(blockReason);
    }
    if (!candidates.isArray()) {
        return wire::decodingFailure(QCoreApplication::translate(
            "ts::WireFormat", "The answer has no \"candidates\" list."));
    }
    QString text;
    for (const QJsonValue& candidate : candidates.toArray()) {
        const QJsonValue content = candidate.toObject().value(QLatin1String("content"));
        const QJsonValue parts = content.toObject().value(QLatin1String("parts"));
        const QString finishReason =
            candidate.toObject().value(QLatin1String("finishReason")).toString();
        if (!parts.isArray()) {
            if (isBlockReason(finishReason)) {
                return blocked(finishReason);
            }
            // A candidate that ended without a word (for example at its token limit).
            if (!finishReason.isEmpty()) {
                continue;
            }
            return wire::decodingFailure(
                QCoreApplication::translate("ts::WireFormat", "A candidate has no content parts."));
        }
        for (const QJsonValue& part : parts.toArray()) {
            const QJsonObject fields = part.toObject();
            const QJsonValue partText = fields.value(QLatin1String("text"));
            if (!part.isObject() || !isOptionalString(partText)) {
                return wire::decodingFailure(
                    QCoreApplication::translate("ts::WireFormat", "A content part is malformed."));
            }
            // The model's reasoning is not part of its answer.
            if (!fields.value(QLatin1String("thought")).toBool()) {
                text += partText.toString();
            }
        }
    }
    return text;
}

HttpCall::Outcome decodeModelIds(const QByteArray& body) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    const QJsonValue models = root ? root->value(QLatin1String("models")) : QJsonValue();
    if (!models.isArray()) {
        return wire::decodingFailure(QCoreApplication::translate(
            "ts::WireFormat", "The model list has no \"models\" list."));
    }
    QStringList ids;
    for (const QJsonValue& value : models.toArray()) {
        const QJsonObject model = value.toObject();
        const QJsonValue name = model.value(QLatin1String("name"));
        const QJsonValue methods = model.value(QLatin1String("supportedGenerationMethods"));
        if (!name.isString() || !(methods.isArray() || methods.isNull() || methods.isUndefined())) {
            return wire::decodingFailure(
                QCoreApplication::translate("ts::WireFormat", "A model entry is malformed."));
        }
        const QJsonArray methodList = methods.toArray();
        bool generates = false;
        for (const QJsonValue& method : methodList) {
            if (!method.isString()) {
                return wire::decodingFailure(
                    QCoreApplication::translate("ts::WireFormat", "A model entry is malformed."));
            }
            generates = generates || method.toString() == QLatin1String("generateContent");
        }
        if (generates) {
            ids.append(name.toString().remove(QStringLiteral("models/")));
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace

GeminiProvider::GeminiProvider(QString apiKey, QUrl baseURL, ClientOptions options)
    : m_apiKey(std::move(apiKey)), m_baseURL(std::move(baseURL)), m_options(options) {}

QUrl GeminiProvider::urlWithKey(const QString& component) const {
    QUrl url = wire::appendPath(m_baseURL, component);
    QUrlQuery query(url);
    // Fully encoded, so "+", "&" or "=" in a key cannot change its meaning.
    query.addQueryItem(QStringLiteral("key"),
                       QString::fromLatin1(QUrl::toPercentEncoding(m_apiKey)));
    url.setQuery(query);
    return url;
}

std::unique_ptr<ProviderCall> GeminiProvider::generate(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model,
                                                       bool asSinglePiece) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request = wire::makeRequest(
        urlWithKey(QStringLiteral("models/") + model + QStringLiteral(":generateContent")),
        m_options);
    request.setRawHeader("Content-Type", "application/json");
    const QByteArray body = wire::compactJson(generateBody(systemPrompt, userMessage));
    return HttpCall::whole({"POST", request, body}, SecretRedactor(m_apiKey), decodeAnswer,
                           asSinglePiece);
}

std::unique_ptr<ProviderCall> GeminiProvider::complete(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model) const {
    return generate(systemPrompt, userMessage, model, false);
}

std::unique_ptr<ProviderCall> GeminiProvider::stream(const QString& systemPrompt,
                                                     const QString& userMessage,
                                                     const QString& model) const {
    return generate(systemPrompt, userMessage, model, true);
}

std::unique_ptr<ProviderCall> GeminiProvider::listModels() const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    const QNetworkRequest request =
        wire::makeRequest(urlWithKey(QStringLiteral("models")), m_options);
    return HttpCall::whole({"GET", request, {}}, SecretRedactor(m_apiKey), decodeModelIds);
}

}  // namespace ts
