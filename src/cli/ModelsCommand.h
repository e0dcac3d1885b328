#pragma once

#include <QObject>
#include <memory>

#include "cli/CliEnvironment.h"
#include "core/LLMProvider.h"

namespace ts::cli {

// `models` waits for the provider: the list of the current provider's models.
class ModelsCommand final : public QObject {
    Q_OBJECT

public:
    ModelsCommand(CliEnvironment& env, bool json, QObject* parent = nullptr);
    void start();
    void interrupt(int signalNumber);

signals:
    void finished(int exitStatus);

private:
    CliEnvironment& m_env;
    bool m_json = false;
    std::unique_ptr<LLMProvider> m_provider;
    std::unique_ptr<ProviderCall> m_call;
};

}  // namespace ts::cli
