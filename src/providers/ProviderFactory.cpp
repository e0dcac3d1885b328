#include "providers/ProviderFactory.h"

#include <QUrl>
#include <optional>

#include "providers/AnthropicProvider.h"
#include "providers/GeminiProvider.h"
#include "providers/HttpCall.h"
#include "providers/OllamaProvider.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

// A client whose settings cannot be used: every call fails without any traffic.
class UnusableProvider final : public LLMProvider {
public:
    UnusableProvider(ProviderKind kind, QString reason)
        : m_kind(kind), m_reason(std::move(reason)) {}

    ProviderKind kind() const override { return m_kind; }
    std::unique_ptr<ProviderCall> complete(const QString&, const QString&,
                                           const QString&) const override {
        return fail();
    }
    std::unique_ptr<ProviderCall> stream(const QString&, const QString&,
                                         const QString&) const override {
        return fail();
    }
    std::unique_ptr<ProviderCall> listModels() const override { return fail(); }

private:
    std::unique_ptr<ProviderCall> fail() const { return HttpCall::failing(RequestError(m_reason)); }

    ProviderKind m_kind;
    QString m_reason;
};

std::optional<QUrl> baseURL(const QString& setting, ProviderKind fallback) {
    const QString trimmed = setting.trimmed();
    if (trimmed.isEmpty()) {
        return QUrl(defaultBaseURL(fallback));
    }
    if (!isHttpURL(trimmed)) {
        return std::nullopt;
    }
    return QUrl(trimmed, QUrl::StrictMode);
}

const QString& baseURLSetting(const ProviderConfig& config) {
    switch (config.kind) {
        case ProviderKind::openai:
            return config.openaiBaseURL;
        case ProviderKind::anthropic:
            return config.anthropicBaseURL;
        case ProviderKind::gemini:
            return config.geminiBaseURL;
        case ProviderKind::ollama:
            return config.ollamaBaseURL;
        case ProviderKind::custom:
            break;
    }
    return config.customBaseURL;
}

}  // namespace

bool isHttpURL(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

std::unique_ptr<LLMProvider> makeProvider(const ProviderConfig& config) {
    // The custom endpoint speaks the chat-completions protocol, so it falls back like OpenAI.
    const ProviderKind fallback =
        config.kind == ProviderKind::custom ? ProviderKind::openai : config.kind;
    const std::optional<QUrl> url = baseURL(baseURLSetting(config), fallback);
    if (!url) {
        return std::make_unique<UnusableProvider>(
            config.kind,
            QCoreApplication::translate("ts::ProviderFactory", kInvalidBaseURLMessage));
    }
    switch (config.kind) {
        case ProviderKind::openai:
            return std::make_unique<OpenAIProvider>(config.apiKey, *url, ProviderKind::openai,
                                                    config.options);
        case ProviderKind::anthropic:
            return std::make_unique<AnthropicProvider>(config.apiKey, *url, config.options);
        case ProviderKind::gemini:
            return std::make_unique<GeminiProvider>(config.apiKey, *url, config.options);
        case ProviderKind::ollama:
            return makeOllamaProvider(*url, config.options);
        case ProviderKind::custom:
            break;
    }
    return std::make_unique<OpenAICompatibleProvider>(config.apiKey, *url, config.options);
}

}  // namespace ts
