#include "providers/WireFormat.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <algorithm>

#include "providers/LLMError.h"
#include "providers/SecretRedactor.h"
#include "providers/TextLimits.h"

namespace ts::wire {
namespace {

constexpr qsizetype errorTextLength = 400;

// Error codes and types of the services that mean what an HTTP status means.
int statusForErrorCode(const QJsonValue& code) {
    static const QHash<QString, int> statuses{
        {QStringLiteral("invalid_api_key"), 401},     {QStringLiteral("authentication_error"), 401},
        {QStringLiteral("unauthorized"), 401},        {QStringLiteral("permission_error"), 403},
        {QStringLiteral("permission_denied"), 403},   {QStringLiteral("rate_limit_exceeded"), 429},
        {QStringLiteral("rate_limit_error"), 429},    {QStringLiteral("insufficient_quota"), 429},
        {QStringLiteral("resource_exhausted"), 429},  {QStringLiteral("overloaded_error"), 529},
        {QStringLiteral("overloaded"), 503},          {QStringLiteral("server_overloaded"), 503},
        {QStringLiteral("service_unavailable"), 503}, {QStringLiteral("unavailable"), 503},
    };
    if (code.isDouble()) {
        const int status = code.toInt();
        const bool known =
            status == 401 || status == 403 || status == 429 || status == 503 || status == 529;
        return known && code.toDouble() == status ? status : 0;
    }
    return statuses.value(code.toString().toLower(), 0);
}

}  // namespace

QUrl appendPath(const QUrl& base, const QString& component) {
    QUrl url = base;
    QString path = base.path();
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    url.setPath(path + component);
    return url;
}

QNetworkRequest makeRequest(const QUrl& url, const ClientOptions& options) {
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(options.inactivityTimeout.count()));
    return request;
}

QByteArray compactJson(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString utf8OrEmpty(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

std::optional<QString> contentText(const QJsonValue& content) {
    if (content.isString() || content.isNull() || content.isUndefined()) {
        return content.toString();
    }
    if (!content.isArray()) {
        return std::nullopt;
    }
    QString text;
    for (const QJsonValue& part : content.toArray()) {
        const QJsonValue partText = part.toObject().value(QLatin1String("text"));
        if (!part.isObject() || !(partText.isString() || partText.isUndefined())) {
            return std::nullopt;
        }
        text += partText.toString();
    }
    return text;
}

std::optional<QJsonObject> parseObject(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    return doc.object();
}

QString errorText(const QByteArray& body, const SecretRedactor& redactor) {
    return firstCharacters(redactor.apply(utf8OrEmpty(body)), errorTextLength);
}

LLMError httpFailure(int status, const QString& text, QByteArrayView body,
                     const SecretRedactor& redactor) {
    const bool parsable = body.size() <= kErrorBodyParseLimit && parseObject(body.toByteArray());
    const QByteArray cut = parsable ? QByteArray() : text.toUtf8();
    ProviderMessage message = providerMessageOf(parsable ? body : QByteArrayView(cut));
    message.text = redactor.apply(message.text);
    return LLMError::httpError(status, text, std::move(message));
}

std::optional<RequestError> streamedError(const QJsonObject& event, bool errorEvent,
                                          const QByteArray& payload,
                                          const SecretRedactor& redactor) {
    const QJsonValue error = event.value(QLatin1String("error"));
    errorEvent =
        errorEvent || event.value(QLatin1String("type")).toString() == QLatin1String("error");
    if (!errorEvent && !error.isObject() && !error.isString()) {
        return std::nullopt;
    }
    const QJsonObject detail = error.toObject();
    for (const QJsonValue& code :
         {detail.value(QLatin1String("code")), detail.value(QLatin1String("type")),
          detail.value(QLatin1String("status"))}) {
        if (const int status = statusForErrorCode(code)) {
            return failure(
                httpFailure(status, redactor.apply(QString::fromUtf8(payload)), payload, redactor));
        }
    }
    QString message = detail.value(QLatin1String("message")).toString();
    if (message.isEmpty()) {
        message =
            error.isString() ? error.toString() : event.value(QLatin1String("message")).toString();
    }
    if (message.trimmed().isEmpty()) {
        message = utf8OrEmpty(payload);
    }
    return failure(
        LLMError::reported(firstCharacters(redactor.apply(message.trimmed()), errorTextLength)));
}

RequestError decodingFailure(const QString& detail) {
    return failure(LLMError::invalidResponse(detail));
}

RequestError failure(const LLMError& error) {
    return RequestError(error.description(), error);
}

std::variant<QStringList, RequestError> decodeDataModelIds(
    const QByteArray& body, const std::function<bool(const QString&)>& keep) {
    const std::optional<QJsonObject> root = parseObject(body);
    const QJsonValue data = root ? root->value(QLatin1String("data")) : QJsonValue();
    if (!data.isArray()) {
        return decodingFailure(
            QCoreApplication::translate("ts::WireFormat", "The model list has no \"data\" list."));
    }
    QStringList ids;
    for (const QJsonValue& model : data.toArray()) {
        const QJsonValue id = model.toObject().value(QLatin1String("id"));
        if (!id.isString()) {
            return decodingFailure(
                QCoreApplication::translate("ts::WireFormat", "A model has no \"id\"."));
        }
        if (!keep || keep(id.toString())) {
            ids.append(id.toString());
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace ts::wire
