#include "providers/OpenAIProvider.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <algorithm>
#include <memory>

#include "providers/ChatChunk.h"
#include "providers/HttpCall.h"
#include "providers/LLMError.h"
#include "providers/WireFormat.h"

namespace ts {
namespace {

constexpr double temperature = 0.4;

QJsonObject chatBody(const QString& systemPrompt, const QString& userMessage,
                     const QString& model) {
    const QJsonArray messages{
        QJsonObject{{QStringLiteral("role"), QStringLiteral("system")},
                    {QStringLiteral("content"), systemPrompt}},
        QJsonObject{{QStringLiteral("role"), QStringLiteral("user")},
                    {QStringLiteral("content"), userMessage}},
    };
    return QJsonObject{{QStringLiteral("model"), model},
                       {QStringLiteral("temperature"), temperature},
                       {QStringLiteral("messages"), messages}};
}

HttpCall::Outcome decodeCompletion(const QByteArray& body) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    if (!root) {
        return wire::decodingFailure(
            QCoreApplication::translate("ts::WireFormat", "The answer is not a JSON object."));
    }
    const QJsonValue choices = root->value(QLatin1String("choices"));
    if (!choices.isArray()) {
        return wire::decodingFailure(
            QCoreApplication::translate("ts::WireFormat", "The answer has no \"choices\" list."));
    }
    QString first;
    bool isFirst = true;
    for (const QJsonValue& choice : choices.toArray()) {
        const QJsonValue content = choice.toObject()
                                       .value(QLatin1String("message"))
                                       .toObject()
                                       .value(QLatin1String("content"));
        const std::optional<QString> text =
            content.isString() || content.isArray() ? wire::contentText(content) : std::nullopt;
        if (!choice.isObject() || !text) {
            return wire::decodingFailure(
                QCoreApplication::translate("ts::WireFormat", "A choice has no message text."));
        }
        if (isFirst) {
            first = *text;
            isFirst = false;
        }
    }
    return first;
}

}  // namespace

OpenAIProvider::OpenAIProvider(QString apiKey, QUrl baseURL, ProviderKind kind,
                               ClientOptions options)
    : m_kind(kind),
      m_apiKey(std::move(apiKey)),
      m_baseURL(std::move(baseURL)),
      m_options(options) {}

bool OpenAIProvider::isChatModel(const QString& id) {
    static const QStringList prefixes{QStringLiteral("gpt-"), QStringLiteral("o1"),
                                      QStringLiteral("o3"), QStringLiteral("o4")};
    static const QStringList excluded{
        QStringLiteral("-realtime"),  QStringLiteral("-audio"),      QStringLiteral("-instruct"),
        QStringLiteral("-embedding"), QStringLiteral("-tts"),        QStringLiteral("dall-e"),
        QStringLiteral("whisper"),    QStringLiteral("-moderation"), QStringLiteral("-search"),
    };
    const auto startsWith = [&id](const QString& prefix) { return id.startsWith(prefix); };
    const auto contains = [&id](const QString& part) { return id.contains(part); };
    return std::any_of(prefixes.begin(), prefixes.end(), startsWith) &&
           std::none_of(excluded.begin(), excluded.end(), contains);
}

std::unique_ptr<ProviderCall> OpenAIProvider::complete(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request = wire::makeRequest(
        wire::appendPath(m_baseURL, QStringLiteral("chat/completions")), m_options);
    request.setRawHeader("Content-Type", "application/json");
    request.setRawHeader("Authorization", "Bearer " + m_apiKey.toUtf8());
    const QByteArray body = wire::compactJson(chatBody(systemPrompt, userMessage, model));
    return HttpCall::whole({"POST", request, body}, SecretRedactor(m_apiKey), decodeCompletion);
}

std::unique_ptr<ProviderCall> OpenAIProvider::stream(const QString& systemPrompt,
                                                     const QString& userMessage,
                                                     const QString& model) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request = wire::makeRequest(
        wire::appendPath(m_baseURL, QStringLiteral("chat/completions")), m_options);
    request.setRawHeader("Content-Type", "application/json");
    request.setRawHeader("Authorization", "Bearer " + m_apiKey.toUtf8());
    request.setRawHeader("Accept", "text/event-stream");
    QJsonObject json = chatBody(systemPrompt, userMessage, model);
    json.insert(QStringLiteral("stream"), true);
    const SecretRedactor redactor(m_apiKey);
    auto decodeEvent = [redactor, texts = std::make_shared<chatChunk::StreamTexts>()](
                           const ServerSentEvent& event) {
        if (event.data == "[DONE]") {
            return HttpCall::Step::end();
        }
        // Nearly every chunk has the usual shape, which is read without building a document.
        const bool errorEvent = event.type == "error";
        std::optional<QString> text = errorEvent ? std::nullopt : texts->quick(event.data);
        if (text) {
            return text->isEmpty() ? HttpCall::Step::skip() : HttpCall::Step::piece(*text);
        }
        const std::optional<QJsonObject> chunk = wire::parseObject(event.data);
        if (!chunk) {
            return HttpCall::Step::skip();
        }
        if (std::optional<RequestError> error =
                wire::streamedError(*chunk, event.type == "error", event.data, redactor)) {
            return HttpCall::Step::fail(std::move(*error));
        }
        text = chatChunk::text(*chunk);
        if (text && !errorEvent) {
            texts->learn(event.data, *text);
        }
        return text && !text->isEmpty() ? HttpCall::Step::piece(*text) : HttpCall::Step::skip();
    };
    return HttpCall::events({"POST", request, wire::compactJson(json)}, redactor, decodeEvent,
                            decodeCompletion);
}

std::unique_ptr<ProviderCall> OpenAIProvider::listModels() const {
    return listModels(true);
}

std::unique_ptr<ProviderCall> OpenAIProvider::listAllModels() const {
    return listModels(false);
}

std::unique_ptr<ProviderCall> OpenAIProvider::listModels(bool chatModelsOnly) const {
    if (m_apiKey.isEmpty()) {
        return HttpCall::failing(wire::failure(LLMError::missingAPIKey()));
    }
    QNetworkRequest request =
        wire::makeRequest(wire::appendPath(m_baseURL, QStringLiteral("models")), m_options);
    request.setRawHeader("Authorization", "Bearer " + m_apiKey.toUtf8());
    return HttpCall::whole(
        {"GET", request, {}}, SecretRedactor(m_apiKey),
        [chatModelsOnly](const QByteArray& body) -> HttpCall::Outcome {
            const auto keep =
                chatModelsOnly ? std::function<bool(const QString&)>(&OpenAIProvider::isChatModel)
                               : std::function<bool(const QString&)>();
            return std::visit([](auto&& v) -> HttpCall::Outcome { return v; },
                              wire::decodeDataModelIds(body, keep));
        });
}

}  // namespace ts
