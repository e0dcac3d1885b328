#pragma once

#include <QString>
#include <functional>

#include "desktop/hotkeys/DesktopSession.h"
#include "session/RequestServices.h"

namespace ts {

class KeyStore;
class PromptStore;
class SettingsStore;
class SettingsWatcher;
class StyleAnalyzer;

// What the grab of one hotkey came to, as the shell's hotkey manager knows it.
enum class GrabState { active, heldElsewhere, unavailable, off };

// Everything the settings tabs edit or ask, handed in by the shell (or a test).
struct SettingsServices {
    SettingsStore& settings;
    KeyStore& keys;
    PromptStore& prompts;
    StyleAnalyzer& style;
    RequestServices::ProviderBuilder buildProvider = {};  // makeProvider when empty
    std::function<bool()> desktopControl = {};
    // false: the window hotkey, true: the in-place one.
    std::function<GrabState(bool inPlace)> grabState = {};
    std::function<void()> showAccessibilityAlert = {};
    std::function<void()> replayOnboarding = {};
    SettingsWatcher* watcher = nullptr;
    QString autostartFolder = {};  // the XDG one when empty
    QString program = {};          // the running executable when empty
    // The application that was active before Tessarine; empty when none.
    std::function<QString()> lastApplication = {};
    // Through which door the hotkeys go; X11's grab when empty.
    std::function<HotkeyDoor()> hotkeyDoor = {};
};

}  // namespace ts
