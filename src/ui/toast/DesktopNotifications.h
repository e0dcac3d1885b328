#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <optional>

#include "desktop/ToastSink.h"

namespace ts {

// Toasts as desktop notifications (org.freedesktop.Notifications), for Wayland sessions: a
// toast window of our own is a new toplevel there, and compositors give it the keyboard focus,
// away from the application being rewritten and from what the user types next. The
// notification server shows them without taking the focus, and tells screen readers.
class DesktopNotifications final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A notification server runs on the session bus, or the bus starts one on demand.
    static bool serverAvailable();

    // Replaces the notification shown before (a progress message by its outcome). Without a
    // duration it stays until the next one replaces it.
    void show(const QString& text, ToastKind kind,
              std::optional<std::chrono::milliseconds> duration);

private:
    uint lastId_ = 0;
    std::optional<bool> markup_;  // the server reads the body as markup
};

}  // namespace ts
