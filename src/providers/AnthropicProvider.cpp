#include "providers/AnthropicProvider.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <algorithm>
#include <memory>

#include "providers/HttpCall.h"
#include "providers/LLMError.h"
#include "providers/StreamTextCache.h"
#include "providers/WireFormat.h"

namespace ts {
namespace {

constexpr double temperature = 0.4;
constexpr int maxTokens = 2048;
constexpr QByteArrayView apiVersion("2023-06-01");

QJsonObject messagesBody(const QString& systemPrompt, const QString& userMessage,
                         const QString& model) {
    const QJsonArray messages{QJsonObject{{QStringLiteral("role"), QStringLiteral("user")},
                                          {QStringLiteral("content"), userMessage}}};
    return QJsonObject{{QStringLiteral("model"), model},
                       {QStringLiteral("max_tokens"), maxTokens},
                       {QStringLiteral("temperature"), temperature},
                       {QStringLiteral("system"), systemPrompt},
                       {QStringLiteral("messages"), messages}};
}

HttpCall::Outcome decodeMessage(const QByteArray& body) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    const QJsonValue content = root ? root->value(QLatin1String("content")) : QJsonValue();
    if (!content.isArray()) {
        return wire::decodingFailure(
            QCoreApplication::translate("ts::WireFormat", "The answer has no \"content\" list."));
    }
    QString text;
    for (const QJsonValue& value : content.toArray()) {
        const QJsonObject block = value.toObject();
        const QJsonValue blockText = block.value(QLatin1String("text"));
        if (!value.isObject() || !block.value(QLatin1String("type")).isString() ||
            !(blockText.isString() || blockText.isNull() || blockText.isUndefined())) {
            return wire::decodingFailure(
                QCoreApplication::translate("ts::WireFormat", "A content block is malformed."));
        }
        text += blockText.toString();
    }
    return text;
}

// Nothing when the line is no event of the protocol.
struct StreamEvent {
    QString type;
    QString text;
};

std::optional<StreamEvent> decodeEvent(const QJsonObject& event) {
    const QJsonValue type = event.value(QLatin1String("type"));
    const QJsonValue delta = event.value(QLatin1String("delta"));
    if (!type.isString() || !(delta.isObject() || delta.isNull() || delta.isUndefined())) {
        return std::nullopt;
    }
    const QJsonValue text = delta.toObject().value(QLatin1String("text"));
    if (!(text.isString() || text.isNull() || text.isUndefined())) {
        return std::nullopt;
    }
    return StreamEvent{type.toString(), text.toString()};
}

}  // namespace

std::optional<QString> AnthropicProvider::deltaText(QByteArrayView payload) {
    const std::optional<QJsonObject> json = wire::parseObject(payload.toByteArray());
    if (!json || wire::streamedError(*json, false, {}, SecretRedactor())) {
        return std::nullopt;
    }
    const std::optional<StreamEvent> event = decodeEvent(*json);
    if (!event || event->type != QLatin1String("content_block_delta")) {
        return std::nullopt;
    }
    return event->text;
}

AnthropicProvider::AnthropicProvider(QString apiKey, QUrl baseURL, ClientOptions options)
    : m_apiKey(std::move(apiKey)), m_baseURL(std::move(baseURL)), m_options(options) {}

QNetworkRequest AnthropicProvider::messagesRequest() const {
    QNetworkRequest request =
        wire::makeRequest(wire::appendPath(m_baseURL, QStringLiteral("messages")), m_options);
    request.setRawHeader("Content-Type", "application/json");
    request.setRawHeader("x-api-key", m_apiKey.toUtf8());
    request.setRawHeader("anthropic-version", apiVersion.toByteArray());
    return request;
}

std::unique_ptr<ProviderCall> AnthropicProvider::complete(const QString& systemPrompt,
                                                          const QString& userMessage,
                                                          const QString& model) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    const QByteArray body = wire::compactJson(messagesBody(systemPrompt, userMessage, model));
    return HttpCall::whole({"POST", messagesRequest(), body}, SecretRedactor(m_apiKey),
                           decodeMessage);
}

std::unique_ptr<ProviderCall> AnthropicProvider::stream(const QString& systemPrompt,
                                                        const QString& userMessage,
                                                        const QString& model) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request = messagesRequest();
    request.setRawHeader("Accept", "text/event-stream");
    QJsonObject json = messagesBody(systemPrompt, userMessage, model);
    json.insert(QStringLiteral("stream"), true);
    const SecretRedactor redactor(m_apiKey);
    auto decodeStreamEvent = [redactor, cache = std::make_shared<StreamTextCache>(
                                            "text", &deltaText)](const ServerSentEvent& sse) {
        // Text deltas are nearly all alike; those are read without building a document.
        if (const std::optional<QString> text =
                sse.type == "error" ? std::nullopt : cache->text(sse.data)) {
            return text->isEmpty() ? HttpCall::Step::skip() : HttpCall::Step::piece(*text);
        }
        const std::optional<QJsonObject> json = wire::parseObject(sse.data);
        if (!json) {
            return HttpCall::Step::skip();
        }
        // An overloaded or failing service says so inside a 2xx stream; that is no answer.
        if (std::optional<RequestError> error =
                wire::streamedError(*json, sse.type == "error", sse.data, redactor)) {
            return HttpCall::Step::fail(std::move(*error));
        }
        const std::optional<StreamEvent> event = decodeEvent(*json);
        if (!event) {
            return HttpCall::Step::skip();
        }
        if (event->type == QLatin1String("content_block_delta")) {
            if (sse.type != "error") {
                cache->learn(sse.data, event->text);
            }
            return event->text.isEmpty() ? HttpCall::Step::skip()
                                         : HttpCall::Step::piece(event->text);
        }
        if (event->type == QLatin1String("message_stop")) {
            return HttpCall::Step::end();
        }
        return HttpCall::Step::skip();
    };
    return HttpCall::events({"POST", request, wire::compactJson(json)}, redactor, decodeStreamEvent,
                            decodeMessage);
}

std::unique_ptr<ProviderCall> AnthropicProvider::listModels() const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request =
        wire::makeRequest(wire::appendPath(m_baseURL, QStringLiteral("models")), m_options);
    request.setRawHeader("x-api-key", m_apiKey.toUtf8());
    request.setRawHeader("anthropic-version", apiVersion.toByteArray());
    return HttpCall::whole({"GET", request, {}}, SecretRedactor(m_apiKey),
                           [](const QByteArray& body) -> HttpCall::Outcome {
                               return std::visit([](auto&& v) -> HttpCall::Outcome { return v; },
                                                 wire::decodeDataModelIds(body));
                           });
}

}  // namespace ts
