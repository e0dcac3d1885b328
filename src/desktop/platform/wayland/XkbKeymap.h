#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <memory>
#include <optional>

#include "desktop/platform/KeyChord.h"

struct xkb_context;
struct xkb_keymap;

namespace ts {

// Where a keysym is on the keymap, and the modifier state that produces it.
struct KeyPlacement {
    quint32 evdevKey = 0;  // the key as Wayland names it (the XKB keycode less 8)
    quint32 layout = 0;
    quint32 modifierMask = 0;  // depressed modifiers, the chord's and the level's
};

// A full keymap compiled by xkbcommon from the user's rules, model, layout, variant and options
// (XKB_DEFAULT_* or xkbcommon's defaults).
class XkbKeymap final {
public:
    static std::unique_ptr<XkbKeymap> fromEnvironment();
    ~XkbKeymap();
    XkbKeymap(const XkbKeymap&) = delete;
    XkbKeymap& operator=(const XkbKeymap&) = delete;

    // The keymap in the text format, NUL-terminated as wl_keyboard keymaps are.
    QByteArray text() const;
    // A key producing the keysym with at most Shift, in the first layout that has one.
    std::optional<KeyPlacement> place(const KeyChord& chord) const;

private:
    XkbKeymap(xkb_context* context, xkb_keymap* keymap);
    quint32 maskOf(Modifiers modifiers) const;

    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
};

}  // namespace ts
