#include "core/ProviderCall.h"

#include <QPointer>

namespace ts {

ProviderCall::ProviderCall(QObject* parent) : QObject(parent) {}

ProviderCall::~ProviderCall() = default;

void ProviderCall::abort() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    releaseRequest();
}

bool ProviderCall::deliverPiece(const QString& text) {
    if (m_finished) {
        return false;
    }
    QPointer<ProviderCall> alive(this);
    emit piece(text);
    return alive && !m_finished;
}

bool ProviderCall::beginTerminal() {
    if (m_finished) {
        return false;
    }
    m_finished = true;
    return true;
}

bool ProviderCall::deliverCompleted(const QString& text) {
    if (!beginTerminal()) {
        return false;
    }
    emit completed(text);
    return false;
}

bool ProviderCall::deliverModels(const QStringList& models) {
    if (!beginTerminal()) {
        return false;
    }
    emit modelsListed(models);
    return false;
}

bool ProviderCall::deliverFailure(const RequestError& error) {
    if (!beginTerminal()) {
        return false;
    }
    emit failed(error);
    return false;
}

}  // namespace ts
