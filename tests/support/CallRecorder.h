#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

#include "core/LLMProvider.h"
#include "core/ProviderCall.h"
#include "providers/LLMError.h"
#include "providers/TransportError.h"

namespace ts::test {

// Collects everything one provider call delivers, for the tests to wait on and inspect.
class CallRecorder {
public:
    explicit CallRecorder(std::unique_ptr<ProviderCall> call);

    // Until the terminal signal; false on time-out.
    bool wait(int timeoutMs = 10000) const;
    bool waitForPieces(qsizetype count, int timeoutMs = 10000) const;
    void stop() { m_call.reset(); }
    ProviderCall* call() const { return m_call.get(); }

    QStringList pieces;
    std::optional<QString> completed;
    std::optional<QStringList> models;
    std::optional<RequestError> error;
    qint64 finishedAfterMs = -1;

    bool finished() const { return completed || models || error; }
    const LLMError* llmError() const { return error ? error->as<LLMError>() : nullptr; }
    const TransportError* transportError() const {
        return error ? error->as<TransportError>() : nullptr;
    }

private:
    std::unique_ptr<ProviderCall> m_call;
    QElapsedTimer m_clock;
};

enum class Operation { complete, stream, listModels };
inline constexpr Operation allOperations[] = {Operation::complete, Operation::stream,
                                              Operation::listModels};
inline const char* nameOf(Operation operation) {
    return std::array{"complete", "stream", "listModels"}[static_cast<int>(operation)];
}
// The operation with a fixed system prompt and user text.
std::unique_ptr<ProviderCall> start(const LLMProvider& client, Operation operation,
                                    const QString& model = QStringLiteral("m1"));

}  // namespace ts::test
