#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>

#include "core/LLMProvider.h"
#include "providers/ClientOptions.h"

namespace ts {

// What the factory needs from the settings and the key store of the moment.
struct ProviderConfig {
    ProviderKind kind = ProviderKind::openai;
    QString apiKey{};
    QString customBaseURL{};
    QString ollamaBaseURL{};
    QString openaiBaseURL{};
    QString anthropicBaseURL{};
    QString geminiBaseURL{};
    ClientOptions options{};
};

inline constexpr const char* kInvalidBaseURLMessage = QT_TRANSLATE_NOOP(
    "ts::ProviderFactory", "The base URL in Settings isn't a valid http or https address.");

// An absolute http or https URL with a host.
bool isHttpURL(const QString& text);

// A fresh client for one request. An empty base URL means the kind's public one; a base URL
// that is set but unusable gives a client whose every call fails with kInvalidBaseURLMessage,
// so the text and the key never go anywhere the user did not name. The key is not checked here.
std::unique_ptr<LLMProvider> makeProvider(const ProviderConfig& config);

}  // namespace ts
