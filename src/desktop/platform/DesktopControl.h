#pragma once

namespace ts {

// Whether this process may read and drive other applications (synthetic keys, global input
// monitors): on X11 a display offering XTEST and XInput 2.
class DesktopControl {
public:
    virtual ~DesktopControl() = default;
    virtual bool available() const = 0;
};

}  // namespace ts
