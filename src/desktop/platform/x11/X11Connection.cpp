#include "desktop/platform/x11/X11Connection.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace ts::x11 {

_XDisplay* qtDisplay() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return nullptr;
    }
    auto* native = app->nativeInterface<QNativeInterface::QX11Application>();
    return native != nullptr ? native->display() : nullptr;
}

unsigned int numLockMask(Display* display) {
    if (display == nullptr) {
        return 0;
    }
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    if (numLock == 0) {
        return 0;
    }
    unsigned int mask = 0;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (map == nullptr) {
        return 0;
    }
    for (int mod = 0; mod < 8 && mask == 0; ++mod) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (map->modifiermap[mod * map->max_keypermod + k] == numLock) {
                mask = 1u << mod;
                break;
            }
        }
    }
    XFreeModifiermap(map);
    return mask;
}

}  // namespace ts::x11
