#include "providers/OllamaProvider.h"

namespace ts {

OllamaProvider::OllamaProvider(QUrl baseURL, ClientOptions options)
    : m_inner(QString(placeholderKey), std::move(baseURL), ProviderKind::ollama, options) {}

std::unique_ptr<ProviderCall> OllamaProvider::complete(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model) const {
    return m_inner.complete(systemPrompt, userMessage, model);
}

std::unique_ptr<ProviderCall> OllamaProvider::stream(const QString& systemPrompt,
                                                     const QString& userMessage,
                                                     const QString& model) const {
    return m_inner.stream(systemPrompt, userMessage, model);
}

std::unique_ptr<ProviderCall> OllamaProvider::listModels() const {
    return m_inner.listAllModels();
}

std::unique_ptr<LLMProvider> makeOllamaProvider(const QUrl& baseURL, const ClientOptions& options) {
    return std::make_unique<OllamaProvider>(baseURL, options);
}

}  // namespace ts
