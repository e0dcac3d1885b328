#pragma once

#include <QUrl>

#include "core/LLMProvider.h"
#include "providers/ClientOptions.h"

namespace ts {

// The generate-content protocol. It answers whole: a stream is one request delivered as a
// single piece.
class GeminiProvider final : public LLMProvider {
public:
    GeminiProvider(QString apiKey, QUrl baseURL, ClientOptions options = {});

    ProviderKind kind() const override { return ProviderKind::gemini; }
    const QString& apiKey() const { return m_apiKey; }
    const QUrl& baseURL() const { return m_baseURL; }

    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    std::unique_ptr<ProviderCall> listModels() const override;

private:
    std::unique_ptr<ProviderCall> generate(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model, bool asSinglePiece) const;
    QUrl urlWithKey(const QString& component) const;

    QString m_apiKey;
    QUrl m_baseURL;
    ClientOptions m_options;
};

}  // namespace ts
