#include "providers/OllamaProvider.h"

#include "providers/OllamaError.h"
#include "providers/TransportError.h"

namespace ts {
namespace {

// Passes an inner call's signals on, rewriting a failure to reach the server. Once a stream has
// delivered text the server was reached, and its failure stays what it is.
class MappedCall final : public ProviderCall {
public:
    MappedCall(std::unique_ptr<ProviderCall> inner, QUrl baseURL)
        : m_inner(std::move(inner)), m_baseURL(std::move(baseURL)) {
        ProviderCall* call = m_inner.get();
        connect(call, &ProviderCall::piece, this, [this](const QString& text) {
            m_reached = true;
            deliverPiece(text);
        });
        connect(call, &ProviderCall::completed, this,
                [this](const QString& text) { deliverCompleted(text); });
        connect(call, &ProviderCall::modelsListed, this,
                [this](const QStringList& models) { deliverModels(models); });
        connect(call, &ProviderCall::failed, this, [this](const RequestError& error) {
            deliverFailure(m_reached ? error : OllamaProvider::mapError(error, m_baseURL));
        });
    }

protected:
    void releaseRequest() override { m_inner.reset(); }

private:
    std::unique_ptr<ProviderCall> m_inner;
    QUrl m_baseURL;
    bool m_reached = false;
};

}  // namespace

OllamaProvider::OllamaProvider(QUrl baseURL, ClientOptions options)
    : m_inner(QString(placeholderKey), std::move(baseURL), ProviderKind::openai, options) {}

RequestError OllamaProvider::mapError(const RequestError& error, const QUrl& baseURL) {
    const TransportError* transport = error.as<TransportError>();
    if (!transport || transport->kind() == TransportError::Kind::other) {
        return error;
    }
    const OllamaError notRunning = OllamaError::notRunning(baseURL);
    return RequestError(notRunning.description(), notRunning);
}

std::unique_ptr<ProviderCall> OllamaProvider::complete(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model) const {
    return std::make_unique<MappedCall>(m_inner.complete(systemPrompt, userMessage, model),
                                        baseURL());
}

std::unique_ptr<ProviderCall> OllamaProvider::stream(const QString& systemPrompt,
                                                     const QString& userMessage,
                                                     const QString& model) const {
    return std::make_unique<MappedCall>(m_inner.stream(systemPrompt, userMessage, model),
                                        baseURL());
}

std::unique_ptr<ProviderCall> OllamaProvider::listModels() const {
    return std::make_unique<MappedCall>(m_inner.listAllModels(), baseURL());
}

std::unique_ptr<LLMProvider> makeOllamaProvider(const QUrl& baseURL, const ClientOptions& options) {
    return std::make_unique<OllamaProvider>(baseURL, options);
}

}  // namespace ts
