#pragma once

#include <memory>

#include "desktop/platform/Platform.h"

namespace ts {

class X11Clipboard;
class X11KeySynthesizer;
class X11ModifierState;
class X11KeyGrabber;
class X11PrimarySelection;
class X11InputMonitor;
class QtScreenGeometry;
class AtspiBus;
class AtspiSelection;
class AtspiFocusedText;
class WaylandFallback;

// Owns the desktop's implementations; created once by the application after its QApplication.
// On X11 they are X11's. On a Wayland session (also with XWayland, whose keys and active window
// miss the native windows) the selected text goes through the accessibility bus, and copy and
// paste through the compositor's virtual keyboard and clipboard control where it offers them.
// Without any display everything but the clipboard reports "unavailable" instead of failing.
class X11Platform final {
public:
    X11Platform();
    ~X11Platform();
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    Platform platform();

private:
    std::unique_ptr<AtspiBus> atspi_;
    std::unique_ptr<WaylandFallback> wayland_;
    std::unique_ptr<X11Clipboard> clipboard_;
    std::unique_ptr<X11KeySynthesizer> keys_;
    std::unique_ptr<X11ModifierState> modifiers_;
    std::unique_ptr<FrontmostApp> frontmost_;
    std::unique_ptr<X11KeyGrabber> keyGrabber_;
    std::unique_ptr<DesktopControl> desktopControl_;
    std::unique_ptr<X11PrimarySelection> primary_;
    std::unique_ptr<X11InputMonitor> input_;
    std::unique_ptr<QtScreenGeometry> screens_;
    std::unique_ptr<AtspiSelection> accessible_;
    std::unique_ptr<AtspiFocusedText> focusedText_;
};

}  // namespace ts
