#pragma once

#include <QUrl>

#include "core/LLMProvider.h"
#include "providers/ClientOptions.h"

namespace ts {

// The chat-completions protocol, for OpenAI itself and as the inner client of every service
// that speaks it.
class OpenAIProvider final : public LLMProvider {
public:
    OpenAIProvider(QString apiKey, QUrl baseURL, ProviderKind kind = ProviderKind::openai,
                   ClientOptions options = {});

    ProviderKind kind() const override { return m_kind; }
    const QString& apiKey() const { return m_apiKey; }
    const QUrl& baseURL() const { return m_baseURL; }
    const ClientOptions& options() const { return m_options; }

    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    // OpenAI's chat models only (its list also holds embeddings, audio, images, …), sorted.
    std::unique_ptr<ProviderCall> listModels() const override;
    // Every identifier of the list, sorted: for servers whose list holds only chat models.
    std::unique_ptr<ProviderCall> listAllModels() const;

    // Whether OpenAI's list filter keeps the identifier.
    static bool isChatModel(const QString& id);

private:
    std::unique_ptr<ProviderCall> listModels(bool chatModelsOnly) const;

    ProviderKind m_kind;
    QString m_apiKey;
    QUrl m_baseURL;
    ClientOptions m_options;
};

}  // namespace ts
