#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QTimer>

#include "core/Review.h"
#include "desktop/services/ServicesHandler.h"

namespace ts {

class ReviewRequest;

// One rewrite, proofread or reply call: the key check, the model request, and one reply to the
// caller: the answer, or the text unchanged on failure and after the deadline. It stays until
// the model has answered, so a late answer still reaches the history, then deletes itself.
class ServiceCall final : public QObject {
    Q_OBJECT
public:
    ServiceCall(ServicesHandler& handler, Mode mode, QDBusMessage message,
                QDBusConnection connection);

    void start(const QString& text);

private:
    void ready();
    void answered(const Review& review);
    void failed(const QString& description);
    void timedOut();
    // Replies with `result` once; false when the caller was answered already.
    bool reply(const QString& result);
    void toast(const QString& macText, ToastKind kind);
    void done();

    ServicesHandler& handler_;
    Mode mode_;
    QDBusMessage message_;
    QDBusConnection connection_;
    QString text_;
    ReviewRequest* review_ = nullptr;  // a child
    QTimer deadline_;
    bool replied_ = false;
};

}  // namespace ts
