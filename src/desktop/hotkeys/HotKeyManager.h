#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

class GlobalKeyGrabber;

inline constexpr quint32 kWindowHotKeyId = 1;
inline constexpr quint32 kInPlaceHotKeyId = 2;

// One registered system-wide shortcut and what it runs. Both managers share one grabber and
// each answers only to its own id, so neither takes the other's key press.
class HotKeyManager final : public QObject {
    Q_OBJECT
public:
    explicit HotKeyManager(GlobalKeyGrabber& grabber, QObject* parent = nullptr);
    ~HotKeyManager() override;

    // Unregisters first. A shortcut the desktop refuses (held by another program, key outside
    // the table) never fires; the false result is for the log, callers need not act on it.
    bool registerHotKey(const Shortcut& shortcut, quint32 id, std::function<void()> callback);
    // The callback is kept; only the grab goes.
    void unregisterHotKey();

    bool isRegistered() const { return registered_; }
    // Registered and accepted by the desktop: the shortcut fires.
    bool isActive() const { return registered_ && grabbed_; }

private:
    void onActivated(quint32 id);

    GlobalKeyGrabber& grabber_;
    std::function<void()> callback_;
    quint32 expectedId_ = 0;
    bool registered_ = false;
    bool grabbed_ = false;
    QMetaObject::Connection connection_;
};

}  // namespace ts
