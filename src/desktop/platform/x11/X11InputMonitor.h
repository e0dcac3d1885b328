#pragma once

#include <QAbstractNativeEventFilter>

#include "desktop/platform/InputMonitor.h"

namespace ts {

// XInput 2 raw events on the root window: the server reports every button and key of any
// application to us without taking it from that application.
class X11InputMonitor final : public InputMonitor, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11InputMonitor(QObject* parent = nullptr);
    ~X11InputMonitor() override;

    void acquire() override;
    void release() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void select(bool on);

    int holders_ = 0;
    int xiOpcode_ = -1;  // -1 without XInput 2
};

}  // namespace ts
