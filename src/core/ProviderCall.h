#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "core/RequestError.h"

namespace ts {

// One request to a model service, owned by whoever asked for it.
//
// Delivery: `piece` for every piece of a streamed answer, in order; then exactly one terminal
// signal: `completed` (the whole answer text; for a stream the concatenation of its pieces),
// `modelsListed` (for a model list) or `failed`. Nothing is emitted before control returns to
// the event loop, so the owner can connect after the call is made.
//
// Stopping: destroying the call (or calling abort()) releases the request at once: the
// connection is closed and no further signal is emitted. It is safe to destroy a call from a
// slot connected to any of its signals (use deleteLater() or reset the owning pointer).
class ProviderCall : public QObject {
    Q_OBJECT

public:
    explicit ProviderCall(QObject* parent = nullptr);
    ~ProviderCall() override;

    // Stops the request; no further signal is emitted. Idempotent.
    void abort();

    bool isFinished() const { return m_finished; }

signals:
    void piece(const QString& text);
    void completed(const QString& text);
    void modelsListed(const QStringList& models);
    void failed(const ts::RequestError& error);

protected:
    // Releases the underlying request (e.g. aborts the network reply). Called once, from
    // abort(); implementations also release in their own destructor.
    virtual void releaseRequest() {}

    // Each returns false when the call was finished, aborted or destroyed by a receiver, in
    // which case the implementation must not touch its members any more.
    bool deliverPiece(const QString& text);
    bool deliverCompleted(const QString& text);
    bool deliverModels(const QStringList& models);
    bool deliverFailure(const RequestError& error);

private:
    bool beginTerminal();

    bool m_finished = false;
};

}  // namespace ts
