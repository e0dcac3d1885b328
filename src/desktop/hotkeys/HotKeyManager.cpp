#include "desktop/hotkeys/HotKeyManager.h"

#include <QTimer>
#include "desktop/DesktopLogging.h"

#include "desktop/platform/GlobalKeyGrabber.h"

namespace ts {

HotKeyManager::HotKeyManager(GlobalKeyGrabber& grabber, QObject* parent)
    : QObject(parent), grabber_(grabber) {}

HotKeyManager::~HotKeyManager() {
    unregisterHotKey();
}

bool HotKeyManager::registerHotKey(const Shortcut& shortcut, quint32 id,
                                   std::function<void()> callback) {
    unregisterHotKey();
    callback_ = std::move(callback);
    expectedId_ = id;
    connection_ =
        connect(&grabber_, &GlobalKeyGrabber::activated, this, &HotKeyManager::onActivated);
    registered_ = true;
    const std::optional<KeyChord> chord = keyChord(shortcut);
    if (!chord) {
        qCWarning(lcHotkeys, "hotkey %u: key code %u cannot be grabbed", id, shortcut.keyCode);
        return false;
    }
    grabbed_ = grabber_.grab(id, *chord);
    return grabbed_;
}

void HotKeyManager::unregisterHotKey() {
    if (!registered_) {
        return;
    }
    disconnect(connection_);
    grabber_.ungrab(expectedId_);
    registered_ = false;
    grabbed_ = false;
}

void HotKeyManager::onActivated(quint32 id) {
    if (id != expectedId_ || !callback_) {
        return;
    }
    // Run outside the event dispatch that delivered the key press.
    QTimer::singleShot(0, this, [this] {
        if (registered_ && callback_) {
            callback_();
        }
    });
}

}  // namespace ts
