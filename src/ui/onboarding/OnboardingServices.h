#pragma once

#include <QUrl>
#include <functional>

#include "desktop/hotkeys/DesktopSession.h"
#include "session/RequestServices.h"

namespace ts {

class DesktopControl;
class OllamaInstaller;

// What the first-run flow works with; the shell hands in the shared ones.
struct OnboardingServices {
    RequestServices requests;  // the settings, the key store, and how clients are built
    OllamaInstaller& ollama;
    DesktopControl& desktopControl;
    std::function<void()> showAccessibilityAlert;
    std::function<void(const QUrl&)> openUrl = {};  // the desktop's browser when empty
    std::function<HotkeyDoor()> hotkeyDoor = {};    // X11's grab when empty

    void open(const QUrl& url) const;
};

}  // namespace ts
