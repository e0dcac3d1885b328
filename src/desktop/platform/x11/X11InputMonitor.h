#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include "desktop/platform/InputMonitor.h"

namespace ts {

// XInput 2 raw events on the root window: the server reports every button and key of any
// application to us without taking it from that application.
class X11InputMonitor final : public InputMonitor, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11InputMonitor(QObject* parent = nullptr);
    ~X11InputMonitor() override;

    void acquire(InputKinds kinds) override;
    void release(InputKinds kinds) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void select();
    void emitButton(unsigned physical, bool press);
    unsigned logicalButton(unsigned physical);

    InputHolders held_;
    bool selected_ = false;
    int xiOpcode_ = -1;  // -1 without XInput 2
    // Physical to logical button numbers (a left-handed user swaps 1 and 3); raw events carry
    // the physical one. Empty until the first button after a mapping change.
    QByteArray buttonMap_;
};

}  // namespace ts
