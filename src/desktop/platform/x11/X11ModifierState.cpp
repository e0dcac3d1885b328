#include "desktop/platform/x11/X11ModifierState.h"

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>

namespace ts {

Modifiers X11ModifierState::heldModifiers() const {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return {};
    }
    char keys[32] = {};
    XQueryKeymap(display, keys);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (map == nullptr) {
        return {};
    }
    const auto held = [&](int modIndex) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            const KeyCode code = map->modifiermap[modIndex * map->max_keypermod + k];
            if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0) {
                return true;
            }
        }
        return false;
    };
    Modifiers out;
    out.setFlag(Modifier::shift, held(ShiftMapIndex));
    out.setFlag(Modifier::control, held(ControlMapIndex));
    out.setFlag(Modifier::alt, held(Mod1MapIndex));
    out.setFlag(Modifier::super, held(Mod4MapIndex));
    XFreeModifiermap(map);
    return out;
}

}  // namespace ts
