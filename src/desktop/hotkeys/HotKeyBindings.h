#pragma once

#include <QObject>
#include <functional>

#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/InPlaceTrigger.h"
#include "desktop/platform/Platform.h"

namespace ts {

// The stored hotkey settings, read afresh on every re-registration.
struct HotKeySettings {
    Shortcut window = kDefaultWindowShortcut;
    Shortcut inPlace = kDefaultInPlaceShortcut;
    bool inPlaceEnabled = true;
};

// The application's two hotkeys: the window hotkey (id 1) and the in-place hotkey (id 2).
class HotKeyBindings final : public QObject {
    Q_OBJECT
public:
    // ownWindowClass identifies this application's windows among frontmost windows.
    HotKeyBindings(Platform platform, std::function<HotKeySettings()> readSettings,
                   InPlaceTriggerActions actions, QString ownWindowClass,
                   QObject* parent = nullptr);

    HotKeyManager& hotkey() { return hotkey_; }
    HotKeyManager& inPlaceHotkey() { return inPlaceHotkey_; }

public slots:
    // Registers both from the current settings; connected to "io.tessarine.hotkeyChanged".
    void reregister();

public:
    // What a hotkey does, reached without its key press: the trigger command on desktops whose
    // shortcuts run a command. `mode` is for the in-place hotkey only.
    void trigger(quint32 id, Mode mode = Mode::rewrite);

private:
    void inPlaceFired(Mode mode);

    Platform platform_;
    std::function<HotKeySettings()> readSettings_;
    InPlaceTriggerActions actions_;
    QString ownWindowClass_;
    HotKeyManager hotkey_;
    HotKeyManager inPlaceHotkey_;
};

}  // namespace ts
