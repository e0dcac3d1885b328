#include "desktop/platform/x11/X11KeySynthesizer.h"

#include <optional>
#include <vector>

#include "desktop/DesktopLogging.h"
#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace ts {

namespace {

struct KeyLocation {
    KeyCode keycode = 0;
    int group = 0;
    bool needsShift = false;
};

// Finds a key producing the keysym, preferring the active group so a layout switch is only
// made when the active layout has no such key (a Cyrillic or Greek group has no Latin "c").
std::optional<KeyLocation> locate(Display* display, KeySym keysym, int activeGroup) {
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    std::optional<KeyLocation> elsewhere;
    XkbDescPtr desc = XkbGetMap(display, XkbAllClientInfoMask, XkbUseCoreKbd);
    if (desc == nullptr) {
        return std::nullopt;
    }
    std::optional<KeyLocation> found;
    for (int kc = minKeycode; kc <= maxKeycode && !found; ++kc) {
        const int groups = XkbKeyNumGroups(desc, kc);
        for (int group = 0; group < groups; ++group) {
            const int levels = XkbKeyGroupWidth(desc, kc, group);
            for (int level = 0; level < levels && level < 2; ++level) {
                if (XkbKeySymEntry(desc, kc, level, group) != keysym) {
                    continue;
                }
                const KeyLocation location{static_cast<KeyCode>(kc), group, level == 1};
                if (group == activeGroup) {
                    found = location;
                } else if (!elsewhere) {
                    elsewhere = location;
                }
            }
        }
    }
    XkbFreeKeyboard(desc, 0, True);
    return found ? found : elsewhere;
}

}  // namespace

bool X11KeySynthesizer::send(const KeyChord& chord) {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        qCWarning(lcKeys, "no X display: %s not sent", qPrintable(describe(chord)));
        return false;
    }
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    const std::optional<KeyLocation> key = locate(display, chord.keysym, state.group);
    if (!key) {
        qCWarning(lcKeys, "no key produces %s", qPrintable(describe(chord)));
        return false;
    }

    std::vector<KeyCode> modifiers;
    const auto addModifier = [&](Modifier flag, KeySym sym) {
        if (chord.modifiers & flag || (flag == Modifier::shift && key->needsShift)) {
            const KeyCode code = XKeysymToKeycode(display, sym);
            if (code != 0) {
                modifiers.push_back(code);
            }
        }
    };
    addModifier(Modifier::control, XK_Control_L);
    addModifier(Modifier::shift, XK_Shift_L);
    addModifier(Modifier::alt, XK_Alt_L);
    addModifier(Modifier::super, XK_Super_L);

    const bool switchGroup = key->group != state.group;
    if (switchGroup) {
        XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned int>(key->group));
    }
    for (KeyCode code : modifiers) {
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    }
    XTestFakeKeyEvent(display, key->keycode, True, CurrentTime);
    XTestFakeKeyEvent(display, key->keycode, False, CurrentTime);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        XTestFakeKeyEvent(display, *it, False, CurrentTime);
    }
    if (switchGroup) {
        XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned int>(state.group));
    }
    XSync(display, False);
    return true;
}

}  // namespace ts
