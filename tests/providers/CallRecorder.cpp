#include "CallRecorder.h"

#include <QTest>

namespace ts::test {

CallRecorder::CallRecorder(std::unique_ptr<ProviderCall> call) : m_call(std::move(call)) {
    m_clock.start();
    ProviderCall* raw = m_call.get();
    QObject::connect(raw, &ProviderCall::piece, raw,
                     [this](const QString& text) { pieces.append(text); });
    QObject::connect(raw, &ProviderCall::completed, raw, [this](const QString& text) {
        completed = text;
        finishedAfterMs = m_clock.elapsed();
    });
    QObject::connect(raw, &ProviderCall::modelsListed, raw, [this](const QStringList& list) {
        models = list;
        finishedAfterMs = m_clock.elapsed();
    });
    QObject::connect(raw, &ProviderCall::failed, raw, [this](const RequestError& failure) {
        error = failure;
        finishedAfterMs = m_clock.elapsed();
    });
}

bool CallRecorder::wait(int timeoutMs) const {
    return QTest::qWaitFor([this] { return finished(); }, timeoutMs);
}

bool CallRecorder::waitForPieces(qsizetype count, int timeoutMs) const {
    return QTest::qWaitFor([this, count] { return pieces.size() >= count || finished(); },
                           timeoutMs);
}

}  // namespace ts::test
