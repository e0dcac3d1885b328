#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

#include "core/LLMProvider.h"

namespace ts::test {

// A model client for unit tests: answers each call from a queue of scripts, on timers, and
// records what it was asked. Copies share one state, like clients built per request.
class ScriptedProvider final : public LLMProvider {
public:
    struct Script {
        QStringList pieces;                 // stream pieces; complete() answers their join
        std::optional<RequestError> error;  // fail after the pieces
        QStringList models;                 // for listModels()
        int delayMs = 0;                    // before each piece and before the end
        bool hang = false;                  // never end (until aborted)
    };

    struct Request {
        QString operation;  // "complete", "stream" or "listModels"
        QString systemPrompt;
        QString userMessage;
        QString model;
    };

    struct State {
        std::deque<Script> scripts;
        Script fallback;  // used when the queue is empty
        QList<Request> requests;
        int liveCalls = 0;
        int abortedCalls = 0;
    };

    explicit ScriptedProvider(ProviderKind kind = ProviderKind::openai)
        : m_kind(kind), m_state(std::make_shared<State>()) {}

    ProviderKind kind() const override { return m_kind; }
    std::unique_ptr<ProviderCall> complete(const QString& systemPrompt, const QString& userMessage,
                                           const QString& model) const override;
    std::unique_ptr<ProviderCall> stream(const QString& systemPrompt, const QString& userMessage,
                                         const QString& model) const override;
    std::unique_ptr<ProviderCall> listModels() const override;

    State& state() const { return *m_state; }
    Script& fallback() const { return m_state->fallback; }
    void enqueue(Script script) const { m_state->scripts.push_back(std::move(script)); }
    // Shorthand: a stream/complete answer in one or more pieces.
    void enqueueAnswer(const QStringList& pieces) const {
        enqueue(Script{pieces, {}, {}, 0, false});
    }
    void enqueueError(const QString& description) const {
        enqueue(Script{{}, RequestError(description), {}, 0, false});
    }

private:
    std::unique_ptr<ProviderCall> start(const QString& operation, const QString& systemPrompt,
                                        const QString& userMessage, const QString& model) const;

    ProviderKind m_kind;
    std::shared_ptr<State> m_state;
};

}  // namespace ts::test
