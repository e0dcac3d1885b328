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
        inPlaceHotkey_.registerHotKey(settings.inPlace, kInPlaceHotKeyId, [self] {
            if (self) {
                self->inPlaceFired();
            }
        });
    } else {
        inPlaceHotkey_.unregisterHotKey();
    }
}

void HotKeyBindings::inPlaceFired() {
    const bool own = isOwnApplication(platform_.frontmost.current(),
                                      QCoreApplication::applicationPid(), ownWindowClass_);
    runInPlaceTrigger(own, platform_.desktopControl.available(), actions_);
}

}  // namespace ts
