#pragma once

#include <QAbstractNativeEventFilter>

#include "desktop/platform/FrontmostApp.h"

namespace ts {

// The active window as the EWMH window manager publishes it on the root window.
class X11FrontmostApp final : public FrontmostApp, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11FrontmostApp(QObject* parent = nullptr);
    ~X11FrontmostApp() override;

    std::optional<AppInfo> current() const override;
    bool activate(qint64 pid) override;
    bool activateWindow(quint64 windowId) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    unsigned long activeWindowAtom_ = 0;
};

}  // namespace ts
