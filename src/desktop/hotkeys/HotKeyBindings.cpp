#include "desktop/hotkeys/HotKeyBindings.h"

#include <QCoreApplication>
#include <QPointer>

#include "desktop/platform/Platform.h"

namespace ts {

HotKeyBindings::HotKeyBindings(Platform platform, std::function<HotKeySettings()> readSettings,
                               InPlaceTriggerActions actions, QString ownWindowClass,
                               QObject* parent)
    : QObject(parent),
      platform_(std::move(platform)),
      readSettings_(std::move(readSettings)),
      actions_(std::move(actions)),
      ownWindowClass_(std::move(ownWindowClass)),
      hotkey_(platform_.keyGrabber),
      inPlaceHotkey_(platform_.keyGrabber) {}

void HotKeyBindings::reregister() {
    const HotKeySettings settings = readSettings_();
    QPointer<HotKeyBindings> self(this);
    hotkey_.registerHotKey(settings.window, kWindowHotKeyId, [self] {
        if (self && self->actions_.toggleWindow) {
            self->actions_.toggleWindow();
        }
    });
    if (settings.inPlaceEnabled) {
        // Where the rewrite reads the text through the accessibility bus first (Wayland), the
        // programs started from now on must expose it; on X11 the desktop decides.
        if (!platform_.desktopControl.prefersCopyPaste()) {
            platform_.focusedText.exposeNewApplications();
        }
        inPlaceHotkey_.registerHotKey(settings.inPlace, kInPlaceHotKeyId, [self] {
            if (self) {
                self->inPlaceFired(Mode::rewrite);
            }
        });
    } else {
        inPlaceHotkey_.unregisterHotKey();
    }
}

void HotKeyBindings::trigger(quint32 id, Mode mode) {
    if (id == kWindowHotKeyId) {
        if (actions_.toggleWindow) {
            actions_.toggleWindow();
        }
    } else if (id == kInPlaceHotKeyId) {
        inPlaceFired(mode);
    }
}

void HotKeyBindings::inPlaceFired(Mode mode) {
    const bool own = isOwnApplication(platform_.frontmost.current(),
                                      QCoreApplication::applicationPid(), ownWindowClass_);
    runInPlaceTrigger(own, platform_.desktopControl.available(), actions_, mode);
}

}  // namespace ts
