#pragma once

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

// A fresh client for one request. Never fails; an empty or malformed base URL means the
// kind's public one. The key is not checked here.
std::unique_ptr<LLMProvider> makeProvider(const ProviderConfig& config);

}  // namespace ts
