#pragma once

#include <QString>
#include <memory>

#include "core/Enums.h"
#include "core/ProviderCall.h"

namespace ts {

// What every model client offers. Clients are immutable values built per request; each call
// returns a fresh ProviderCall that the caller owns (see ProviderCall for delivery and stopping).
class LLMProvider {
public:
    virtual ~LLMProvider() = default;

    virtual ProviderKind kind() const = 0;

    // One request; `completed` carries the whole answer text.
    virtual std::unique_ptr<ProviderCall> complete(const QString& systemPrompt,
                                                   const QString& userMessage,
                                                   const QString& model) const = 0;

    // The answer in pieces; `completed` follows the last piece with the whole text.
    virtual std::unique_ptr<ProviderCall> stream(const QString& systemPrompt,
                                                 const QString& userMessage,
                                                 const QString& model) const = 0;

    // `modelsListed` carries the model identifiers, sorted ascending.
    virtual std::unique_ptr<ProviderCall> listModels() const = 0;
};

}  // namespace ts
