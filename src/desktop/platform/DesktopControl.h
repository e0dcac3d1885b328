#pragma once

namespace ts {

// Whether this process may drive other applications by synthetic keys and their clipboard: on
// X11 a display offering XTEST and XInput 2; on Wayland a compositor offering a virtual keyboard
// and clipboard control.
class DesktopControl {
public:
    virtual ~DesktopControl() = default;
    virtual bool available() const = 0;
    // Copy and paste before the focused element's text (X11: one undo step, and browsers take
    // it), or after it (Wayland, where keys reach only some compositors).
    virtual bool prefersCopyPaste() const { return true; }
};

}  // namespace ts
