#include "providers/WireFormat.h"

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

int statusForErrorType(const QString& type) {
    static const QHash<QString, int> statuses{
        {QStringLiteral("invalid_request_error"), 400},
        {QStringLiteral("authentication_error"), 401},
        {QStringLiteral("permission_error"), 403},
        {QStringLiteral("not_found_error"), 404},
        {QStringLiteral("request_too_large"), 413},
        {QStringLiteral("rate_limit_error"), 429},
        {QStringLiteral("api_error"), 500},
        {QStringLiteral("overloaded_error"), 529},
    };
    return statuses.value(type, 500);
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

std::optional<QByteArray> dataPayload(const QByteArray& line) {
    static constexpr QByteArrayView prefix("data: ");
    if (!line.startsWith(prefix)) {
        return std::nullopt;
    }
    return line.mid(prefix.size());
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

std::optional<RequestError> streamedError(const QJsonObject& event, const QByteArray& payload,
                                          const SecretRedactor& redactor) {
    const QJsonValue error = event.value(QLatin1String("error"));
    const bool errorEvent = event.value(QLatin1String("type")).toString() == QLatin1String("error");
    if (!errorEvent && !error.isObject()) {
        return std::nullopt;
    }
    int status = 500;
    if (error.isObject()) {
        const QJsonObject detail = error.toObject();
        const QJsonValue code = detail.value(QLatin1String("code"));
        const QJsonValue type = detail.value(QLatin1String("type"));
        if (code.isDouble() && code.toDouble() == code.toInt() && code.toInt() >= 400 &&
            code.toInt() <= 599) {
            status = code.toInt();
        } else if (errorEvent && type.isString()) {
            status = statusForErrorType(type.toString());
        }
    }
    return failure(LLMError::httpError(status, redactor.apply(QString::fromUtf8(payload))));
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
        return decodingFailure(QStringLiteral("The model list has no \"data\" list."));
    }
    QStringList ids;
    for (const QJsonValue& model : data.toArray()) {
        const QJsonValue id = model.toObject().value(QLatin1String("id"));
        if (!id.isString()) {
            return decodingFailure(QStringLiteral("A model has no \"id\"."));
        }
        if (!keep || keep(id.toString())) {
            ids.append(id.toString());
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace ts::wire
