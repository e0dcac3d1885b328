#pragma once

namespace ts {

// Whether this process can reach other applications' selected text: on X11 a display offering
// XTEST and XInput 2; on Wayland the accessibility bus, or a compositor offering a virtual
// keyboard and clipboard control.
class DesktopControl {
public:
    virtual ~DesktopControl() = default;
    virtual bool available() const = 0;
    // Through synthetic keys and the clipboard.
    virtual bool copyPaste() const { return available(); }
    // Copy and paste before the focused element's text (X11: one undo step, and browsers take
    // it), or after it (Wayland, where keys reach only some compositors).
    virtual bool prefersCopyPaste() const { return true; }
};

}  // namespace ts
