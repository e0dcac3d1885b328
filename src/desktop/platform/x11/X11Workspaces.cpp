#include "desktop/platform/Workspaces.h"

#include <QWindow>

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace ts {

void showOnAllWorkspaces(QWindow* window) {
    Display* display = x11::qtDisplay();
    if (display == nullptr || window == nullptr) {
        return;
    }
    const auto id = static_cast<Window>(window->winId());
    const Atom desktop = XInternAtom(display, "_NET_WM_DESKTOP", False);
    constexpr long kAllDesktops = 0xFFFFFFFF;
    if (!window->isVisible()) {
        // Read by the window manager when the window is mapped.
        XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&kAllDesktops), 1);
    } else {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = id;
        event.xclient.message_type = desktop;
        event.xclient.format = 32;
        event.xclient.data.l[0] = kAllDesktops;
        event.xclient.data.l[1] = 2;  // from a pager-like source: always honoured
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }
    XFlush(display);
}

}  // namespace ts
