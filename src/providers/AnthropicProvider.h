#pragma once

#include <QNetworkRequest>
#include <QUrl>
#include <optional>

#include "core/LLMProvider.h"
#include "providers/ClientOptions.h"

namespace ts {

// The messages protocol.
class AnthropicProvider final : public LLMProvider {
public:
    AnthropicProvider(QString apiKey, QUrl baseURL, ClientOptions options = {});

    ProviderKind kind() const override { return ProviderKind::anthropic; }
    const QString& apiKey() const { return m_apiKey; }
    const QUrl& baseURL() const { return m_baseURL; }

    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    std::unique_ptr<ProviderCall> listModels() const override;

    // The text of a streamed text delta, fully decoded; nothing for any other event.
    static std::optional<QString> deltaText(QByteArrayView payload);

private:
    QNetworkRequest messagesRequest() const;

    QString m_apiKey;
    QUrl m_baseURL;
    ClientOptions m_options;
};

}  // namespace ts
