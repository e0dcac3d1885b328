#include "session/ReviewTask.h"

namespace ts {

ReviewTask::ReviewTask(std::unique_ptr<LLMProvider> provider, std::unique_ptr<ProviderCall> call,
                       Handlers handlers)
    : m_provider(std::move(provider)), m_call(std::move(call)), m_handlers(std::move(handlers)) {
    connect(m_call.get(), &ProviderCall::piece, this, [this](const QString& piece) {
        m_accumulator.append(piece);
        m_handlers.previewChanged();
    });
    // The handlers may destroy this task; nothing of it is touched after they return.
    connect(m_call.get(), &ProviderCall::completed, this,
            [this](const QString&) { m_handlers.finished(m_accumulator.text()); });
    connect(m_call.get(), &ProviderCall::failed, this,
            [this](const RequestError& error) { m_handlers.failed(error.description()); });
}

ReviewTask::~ReviewTask() {
    // Abort before the provider goes, so the request is released while its client still exists.
    m_call.reset();
}

}  // namespace ts
