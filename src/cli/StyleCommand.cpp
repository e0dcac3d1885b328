#include "cli/StyleCommand.h"

#include <csignal>

#include "cli/CliMessages.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"
#include "store/StyleAnalyzer.h"

namespace ts::cli {

StyleCommand::StyleCommand(CliEnvironment& env, Command command, QObject* parent)
    : QObject(parent), m_env(env), m_command(command) {
    m_progress.setInterval(100);
    connect(&m_progress, &QTimer::timeout, this, [this] {
        static const char frames[] = {'|', '/', '-', '\\'};
        m_env.err << '\r' << frames[m_frame++ % 4] << " Analyzing your writing" << QChar(0x2026)
                  << Qt::flush;
    });
}

StyleCommand::~StyleCommand() = default;

void StyleCommand::start() {
    m_analyzer = std::make_unique<StyleAnalyzer>(m_env.settings(), m_env.history());
    switch (m_command) {
        case Command::styleRefresh:
            refresh();
            return;
        case Command::styleClear:
            m_analyzer->clearProfile();
            m_env.out << tr("Cleared the style profile.") << Qt::endl;
            emit finished(exitSuccess);
            return;
        default:
            show();
            return;
    }
}

void StyleCommand::show() {
    SettingsStore& settings = m_env.settings();
    const QString profile = settings.styleProfile().trimmed();
    //: The state of the style profile: none, on, or off (kept, not used).
    m_env.out << tr("Style profile: %1")
                     .arg(profile.isEmpty()                ? tr("none")
                          : settings.styleProfileEnabled() ? tr("on")
                                                           : tr("off (kept, not used)"))
              << "\n"
              << tr("Inputs: %1, %n thumbed-up reviews (%2)", nullptr,
                    static_cast<int>(m_analyzer->thumbedUpCount()))
                     .arg(StyleAnalyzer::samplesLabel(m_analyzer->usableSampleCount()),
                          StyleAnalyzer::inputsLabel(m_analyzer->inputCount()))
              << "\n";
    if (!profile.isEmpty()) {
        m_env.out << "\n" << profile << "\n";
    }
    m_env.out.flush();
    emit finished(exitSuccess);
}

void StyleCommand::refresh() {
    const ProviderConfig config = currentProviderConfig(m_env.settings(), m_env.keys());
    // Too few examples is said first: a key would not help.
    const bool enoughInputs = m_analyzer->inputCount() >= StyleAnalyzer::minimumInputs;
    if (enoughInputs && requiresAPIKey(config.kind) && config.apiKey.isEmpty()) {
        m_env.err << forCommandLine(missingKeyMessage(), config.kind) << Qt::endl;
        emit finished(exitFailure);
        return;
    }
    m_provider = makeProvider(config);
    connect(m_analyzer.get(), &StyleAnalyzer::refreshingChanged, this,
            [this, kind = config.kind](bool refreshing) {
                if (refreshing) {
                    return;
                }
                stopProgress();
                if (!m_analyzer->errorMessage().isEmpty()) {
                    m_env.err << forCommandLine(m_analyzer->errorMessage(), kind) << Qt::endl;
                    emit finished(exitFailure);
                    return;
                }
                m_env.out << m_env.settings().styleProfile().trimmed() << Qt::endl;
                emit finished(exitSuccess);
            });
    if (m_env.errIsTerminal) {
        m_progress.start();
    }
    m_analyzer->refresh(*m_provider, StyleAnalyzer::chosenModel(m_env.settings()));
}

void StyleCommand::stopProgress() {
    if (m_progress.isActive()) {
        m_progress.stop();
        m_env.err << "\r\x1b[K" << Qt::flush;
    }
}

void StyleCommand::interrupt(int signalNumber) {
    stopProgress();
    m_analyzer.reset();
    m_env.err << (signalNumber == SIGINT ? "Interrupted." : "Terminated.") << Qt::endl;
    emit finished(128 + signalNumber);
}

}  // namespace ts::cli
