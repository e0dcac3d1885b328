#include "providers/OpenAICompatibleProvider.h"

namespace ts {

OpenAICompatibleProvider::OpenAICompatibleProvider(QString apiKey, QUrl baseURL,
                                                   ClientOptions options)
    : m_inner(std::move(apiKey), std::move(baseURL), ProviderKind::openai, options) {}

std::unique_ptr<ProviderCall> OpenAICompatibleProvider::complete(const QString& systemPrompt,
                                                                 const QString& userMessage,
                                                                 const QString& model) const {
    return m_inner.complete(systemPrompt, userMessage, model);
}

std::unique_ptr<ProviderCall> OpenAICompatibleProvider::stream(const QString& systemPrompt,
                                                               const QString& userMessage,
                                                               const QString& model) const {
    return m_inner.stream(systemPrompt, userMessage, model);
}

// A compatible server names its models as it likes, so OpenAI's own filter would hide them all.
std::unique_ptr<ProviderCall> OpenAICompatibleProvider::listModels() const {
    return m_inner.listAllModels();
}

}  // namespace ts
