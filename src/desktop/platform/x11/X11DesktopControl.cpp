#include "desktop/platform/x11/X11DesktopControl.h"

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace ts {

bool X11DesktopControl::available() const {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        return false;
    }
    int opcode = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &eventBase, &errorBase)) {
        return false;
    }
    // Qt negotiated XInput on this connection already; asking for an older version than it
    // did is an error, a newer one is answered with what the server has.
    major = 2;
    minor = 4;
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Status status = XIQueryVersion(display, &major, &minor);
    XSync(display, False);
    XSetErrorHandler(previous);
    return status == Success && major >= 2;
}

}  // namespace ts
