#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

#include "core/LLMProvider.h"
#include "core/StreamAccumulator.h"

namespace ts {

// One streaming request of the session. Destroying the task stops its request; a destroyed task
// reports nothing, so a cancelled or replaced request never touches the session.
class ReviewTask final : public QObject {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void()> previewChanged;
        std::function<void(const QString& answer)> finished;
        std::function<void(const QString& description)> failed;
    };

    ReviewTask(std::unique_ptr<LLMProvider> provider, std::unique_ptr<ProviderCall> call,
               Handlers handlers);
    ~ReviewTask() override;

    const QString& preview() const { return m_accumulator.preview(); }

private:
    std::unique_ptr<LLMProvider> m_provider;  // outlives the call it made
    std::unique_ptr<ProviderCall> m_call;
    StreamAccumulator m_accumulator;
    Handlers m_handlers;
};

}  // namespace ts
