#pragma once

#include "providers/OpenAIProvider.h"

namespace ts {

// Any server that speaks the chat-completions protocol at a base URL the user chose.
class OpenAICompatibleProvider final : public LLMProvider {
public:
    OpenAICompatibleProvider(QString apiKey, QUrl baseURL, ClientOptions options = {});

    ProviderKind kind() const override { return ProviderKind::custom; }
    const OpenAIProvider& inner() const { return m_inner; }

    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    std::unique_ptr<ProviderCall> listModels() const override;

private:
    OpenAIProvider m_inner;
};

}  // namespace ts
