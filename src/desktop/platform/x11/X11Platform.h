#pragma once

#include <memory>

#include "desktop/platform/Platform.h"

namespace ts {

class X11Clipboard;
class X11KeySynthesizer;
class X11ModifierState;
class X11FrontmostApp;
class X11KeyGrabber;
class X11DesktopControl;
class X11PrimarySelection;
class X11InputMonitor;
class QtScreenGeometry;
class AtspiBus;
class AtspiSelection;
class AtspiFocusedText;

// Owns the X11 implementations; created once by the application after its QApplication.
// Without an X display (offscreen, pure Wayland) everything but the clipboard reports
// "unavailable" instead of failing.
class X11Platform final {
public:
    X11Platform();
    ~X11Platform();
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    Platform platform();

private:
    std::unique_ptr<X11Clipboard> clipboard_;
    std::unique_ptr<X11KeySynthesizer> keys_;
    std::unique_ptr<X11ModifierState> modifiers_;
    std::unique_ptr<X11FrontmostApp> frontmost_;
    std::unique_ptr<X11KeyGrabber> keyGrabber_;
    std::unique_ptr<X11DesktopControl> desktopControl_;
    std::unique_ptr<X11PrimarySelection> primary_;
    std::unique_ptr<X11InputMonitor> input_;
    std::unique_ptr<QtScreenGeometry> screens_;
    std::unique_ptr<AtspiBus> atspi_;
    std::unique_ptr<AtspiSelection> accessible_;
    std::unique_ptr<AtspiFocusedText> focusedText_;
};

}  // namespace ts
