#include "ScriptedProvider.h"

#include <QTimer>

namespace ts::test {
namespace {

class ScriptedCall final : public ProviderCall {
public:
    ScriptedCall(std::shared_ptr<ScriptedProvider::State> state, QString operation,
                 ScriptedProvider::Script script)
        : m_state(std::move(state)),
          m_operation(std::move(operation)),
          m_script(std::move(script)) {
        ++m_state->liveCalls;
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { step(); });
        m_timer.start(m_script.delayMs);
    }
    ~ScriptedCall() override {
        --m_state->liveCalls;
        if (!isFinished()) {
            ++m_state->abortedCalls;
        }
    }

protected:
    void releaseRequest() override {
        m_timer.stop();
        ++m_state->abortedCalls;
    }

private:
    void step() {
        if (m_script.hang) {
            return;
        }
        const bool streaming = m_operation == QLatin1String("stream");
        if (streaming && m_next < m_script.pieces.size()) {
            m_text += m_script.pieces[m_next];
            if (!deliverPiece(m_script.pieces[m_next++])) {
                return;
            }
            m_timer.start(m_script.delayMs);
            return;
        }
        if (m_script.error) {
            deliverFailure(*m_script.error);
        } else if (m_operation == QLatin1String("listModels")) {
            deliverModels(m_script.models);
        } else {
            deliverCompleted(streaming ? m_text : m_script.pieces.join(QString()));
        }
    }

    std::shared_ptr<ScriptedProvider::State> m_state;
    QString m_operation;
    ScriptedProvider::Script m_script;
    QTimer m_timer;
    qsizetype m_next = 0;
    QString m_text;
};

}  // namespace

std::unique_ptr<ProviderCall> ScriptedProvider::start(const QString& operation,
                                                      const QString& systemPrompt,
                                                      const QString& userMessage,
                                                      const QString& model) const {
    m_state->requests.append(Request{operation, systemPrompt, userMessage, model});
    Script script = m_state->fallback;
    if (!m_state->scripts.empty()) {
        script = std::move(m_state->scripts.front());
        m_state->scripts.pop_front();
    }
    return std::make_unique<ScriptedCall>(m_state, operation, std::move(script));
}

std::unique_ptr<ProviderCall> ScriptedProvider::complete(const QString& systemPrompt,
                                                         const QString& userMessage,
                                                         const QString& model) const {
    return start(QStringLiteral("complete"), systemPrompt, userMessage, model);
}

std::unique_ptr<ProviderCall> ScriptedProvider::stream(const QString& systemPrompt,
                                                       const QString& userMessage,
                                                       const QString& model) const {
    return start(QStringLiteral("stream"), systemPrompt, userMessage, model);
}

std::unique_ptr<ProviderCall> ScriptedProvider::listModels() const {
    return start(QStringLiteral("listModels"), {}, {}, {});
}

}  // namespace ts::test
