#include "CallRecorder.h"

#include <QTest>

namespace ts::test {

CallRecorder::CallRecorder(std::unique_ptr<ProviderCall> call) : m_call(std::move(call)) {
    m_clock.start();
    ProviderCall* raw = m_call.get();
    const auto finish = [this] { finishedAfterMs = m_clock.elapsed(); };
    QObject::connect(raw, &ProviderCall::piece, raw,
                     [this](const QString& t) { pieces.append(t); });
    QObject::connect(raw, &ProviderCall::completed, raw, [this, finish](const QString& text) {
        completed = text;
        finish();
    });
    QObject::connect(raw, &ProviderCall::modelsListed, raw, [this, finish](const QStringList& l) {
        models = l;
        finish();
    });
    QObject::connect(raw, &ProviderCall::failed, raw, [this, finish](const RequestError& failure) {
        error = failure;
        finish();
    });
}

bool CallRecorder::wait(int timeoutMs) const {
    return QTest::qWaitFor([this] { return finished(); }, timeoutMs);
}

bool CallRecorder::waitForPieces(qsizetype count, int timeoutMs) const {
    return QTest::qWaitFor([this, count] { return pieces.size() >= count || finished(); },
                           timeoutMs);
}

std::unique_ptr<ProviderCall> start(const LLMProvider& client, Operation operation,
                                    const QString& model) {
    switch (operation) {
        case Operation::complete:
            return client.complete(QStringLiteral("system"), QStringLiteral("user"), model);
        case Operation::stream:
            return client.stream(QStringLiteral("system"), QStringLiteral("user"), model);
        case Operation::listModels:
            break;
    }
    return client.listModels();
}

}  // namespace ts::test
