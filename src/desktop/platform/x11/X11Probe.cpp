#include "desktop/platform/x11/X11Probe.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace ts::x11 {

bool displayOffersXTest() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    const bool offered = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
    XCloseDisplay(display);
    return offered;
}

}  // namespace ts::x11
