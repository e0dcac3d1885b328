#pragma once

#include <memory>

#include "providers/OpenAIProvider.h"

namespace ts {

class RequestError;

// A local runtime's OpenAI-compatible endpoint. It needs no key, but the inner client refuses
// an empty one, so it sends the runtime's name instead. A server that is not there at all
// (refused or timed out) is reported as OllamaError::notRunning by complete and listModels.
class OllamaProvider final : public LLMProvider {
public:
    explicit OllamaProvider(QUrl baseURL, ClientOptions options = {});

    ProviderKind kind() const override { return ProviderKind::ollama; }
    const QUrl& baseURL() const { return m_inner.baseURL(); }
    const OpenAIProvider& inner() const { return m_inner; }

    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    // The inner stream as it is: its transport errors are not rewritten.
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    // Every model the server holds: its list has none of OpenAI's non-chat models.
    std::unique_ptr<ProviderCall> listModels() const override;

    // The error the user sees for a failure of the inner client: notRunning for a refused or
    // timed-out connection, anything else unchanged.
    static RequestError mapError(const RequestError& error, const QUrl& baseURL);

    static constexpr QLatin1StringView placeholderKey{"ollama"};

private:
    OpenAIProvider m_inner;
};

std::unique_ptr<LLMProvider> makeOllamaProvider(const QUrl& baseURL, const ClientOptions& options);

}  // namespace ts
