#include "desktop/platform/Workspaces.h"

#include <QByteArray>
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
    // Read by the window manager when the window is mapped.
    XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&kAllDesktops), 1);
    XFlush(display);
}

bool hasCompositingManager() {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return true;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

}  // namespace ts
