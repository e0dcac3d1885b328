#include "cli/ModelsCommand.h"

#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"

namespace ts::cli {

ModelsCommand::ModelsCommand(CliEnvironment& env, QObject* parent) : QObject(parent), m_env(env) {}

void ModelsCommand::start() {
    const ProviderConfig config = currentProviderConfig(m_env.settings(), m_env.keys());
    if (requiresAPIKey(config.kind) && config.apiKey.isEmpty()) {
        m_env.err << kMissingKeyMessage << Qt::endl;
        emit finished(exitFailure);
        return;
    }
    m_provider = makeProvider(config);
    m_call = m_provider->listModels();
    connect(m_call.get(), &ProviderCall::modelsListed, this, [this](const QStringList& models) {
        for (const QString& model : models) {
            m_env.out << model << "\n";
        }
        m_env.out.flush();
        emit finished(exitSuccess);
    });
    connect(m_call.get(), &ProviderCall::failed, this, [this](const RequestError& error) {
        m_env.err << error.description() << Qt::endl;
        emit finished(exitFailure);
    });
}

void ModelsCommand::interrupt() {
    m_call.reset();
    m_env.err << "Interrupted." << Qt::endl;
    emit finished(exitInterrupted);
}

}  // namespace ts::cli
