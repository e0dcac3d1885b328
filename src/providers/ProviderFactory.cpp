#include "providers/ProviderFactory.h"

#include <QUrl>

#include "providers/AnthropicProvider.h"
#include "providers/GeminiProvider.h"
#include "providers/OllamaProvider.h"
#include "providers/OpenAICompatibleProvider.h"
#include "providers/OpenAIProvider.h"

namespace ts {
namespace {

// Only an absolute http(s) URL with a host counts; anything else is taken as unset.
QUrl baseURLOr(const QString& setting, ProviderKind fallback) {
    const QUrl url(setting.trimmed(), QUrl::StrictMode);
    const bool usable =
        !setting.trimmed().isEmpty() && url.isValid() && !url.host().isEmpty() &&
        (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    return usable ? url : QUrl(defaultBaseURL(fallback));
}

}  // namespace

std::unique_ptr<LLMProvider> makeProvider(const ProviderConfig& config) {
    switch (config.kind) {
        case ProviderKind::openai:
            return std::make_unique<OpenAIProvider>(
                config.apiKey, baseURLOr(config.openaiBaseURL, ProviderKind::openai),
                ProviderKind::openai, config.options);
        case ProviderKind::anthropic:
            return std::make_unique<AnthropicProvider>(
                config.apiKey, baseURLOr(config.anthropicBaseURL, ProviderKind::anthropic),
                config.options);
        case ProviderKind::gemini:
            return std::make_unique<GeminiProvider>(
                config.apiKey, baseURLOr(config.geminiBaseURL, ProviderKind::gemini),
                config.options);
        case ProviderKind::ollama:
            return makeOllamaProvider(baseURLOr(config.ollamaBaseURL, ProviderKind::ollama),
                                      config.options);
        case ProviderKind::custom:
            return std::make_unique<OpenAICompatibleProvider>(
                config.apiKey, baseURLOr(config.customBaseURL, ProviderKind::openai),
                config.options);
    }
    return std::make_unique<OpenAIProvider>(config.apiKey, QUrl(defaultBaseURL(config.kind)));
}

}  // namespace ts
