#include "cli/ModelsCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <csignal>

#include "cli/CliMessages.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"

namespace ts::cli {

ModelsCommand::ModelsCommand(CliEnvironment& env, bool json, QObject* parent)
    : QObject(parent), m_env(env), m_json(json) {}

void ModelsCommand::start() {
    const ProviderConfig config = currentProviderConfig(m_env.settings(), m_env.keys());
    if (requiresAPIKey(config.kind) && config.apiKey.isEmpty()) {
        m_env.err << forCommandLine(missingKeyMessage(), config.kind) << Qt::endl;
        emit finished(exitFailure);
        return;
    }
    m_provider = makeProvider(config);
    m_call = m_provider->listModels();
    connect(m_call.get(), &ProviderCall::modelsListed, this, [this](const QStringList& models) {
        if (m_json) {
            m_env.out << QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(models))
                                               .toJson(QJsonDocument::Compact))
                      << "\n";
        } else {
            for (const QString& model : models) {
                m_env.out << model << "\n";
            }
        }
        m_env.out.flush();
        emit finished(exitSuccess);
    });
    connect(m_call.get(), &ProviderCall::failed, this,
            [this, kind = config.kind](const RequestError& error) {
                m_env.err << forCommandLine(error.description(), kind) << Qt::endl;
                emit finished(exitFailure);
            });
}

void ModelsCommand::interrupt(int signalNumber) {
    m_call.reset();
    m_env.err << (signalNumber == SIGINT ? "Interrupted." : "Terminated.") << Qt::endl;
    emit finished(128 + signalNumber);
}

}  // namespace ts::cli
