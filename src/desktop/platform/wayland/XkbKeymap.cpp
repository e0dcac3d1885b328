#include "desktop/platform/wayland/XkbKeymap.h"

#include <xkbcommon/xkbcommon.h>
#include <cstdlib>

namespace ts {

std::unique_ptr<XkbKeymap> XkbKeymap::fromEnvironment() {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (context == nullptr) {
        return nullptr;
    }
    // No names: xkbcommon takes them from XKB_DEFAULT_* and falls back to its defaults.
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<XkbKeymap>(new XkbKeymap(context, keymap));
}

XkbKeymap::XkbKeymap(xkb_context* context, xkb_keymap* keymap)
    : context_(context), keymap_(keymap) {}

XkbKeymap::~XkbKeymap() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

QByteArray XkbKeymap::text() const {
    char* text = xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (text == nullptr) {
        return {};
    }
    QByteArray out(text, static_cast<qsizetype>(qstrlen(text)) + 1);
    free(text);
    return out;
}

quint32 XkbKeymap::maskOf(Modifiers modifiers) const {
    quint32 mask = 0;
    const auto add = [&](Modifier flag, const char* name) {
        const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap_, name);
        if (modifiers & flag && index != XKB_MOD_INVALID) {
            mask |= 1u << index;
        }
    };
    add(Modifier::shift, XKB_MOD_NAME_SHIFT);
    add(Modifier::control, XKB_MOD_NAME_CTRL);
    add(Modifier::alt, XKB_MOD_NAME_ALT);
    add(Modifier::super, XKB_MOD_NAME_LOGO);
    return mask;
}

std::optional<KeyPlacement> XkbKeymap::place(const KeyChord& chord) const {
    const quint32 shiftMask = maskOf(Modifier::shift);
    const xkb_keycode_t min = xkb_keymap_min_keycode(keymap_);
    const xkb_keycode_t max = xkb_keymap_max_keycode(keymap_);
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap_);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        for (xkb_keycode_t key = min; key <= max && key >= 8; ++key) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, key, layout);
            for (xkb_level_index_t level = 0; level < levels; ++level) {
                const xkb_keysym_t* syms = nullptr;
                if (xkb_keymap_key_get_syms_by_level(keymap_, key, layout, level, &syms) != 1 ||
                    syms[0] != chord.keysym) {
                    continue;
                }
                xkb_mod_mask_t masks[4] = {};
                const size_t count =
                    xkb_keymap_key_get_mods_for_level(keymap_, key, layout, level, masks, 4);
                for (size_t i = 0; i < count; ++i) {
                    // Levels behind AltGr or Lock are left to another key or layout.
                    if ((masks[i] & ~shiftMask) == 0) {
                        return KeyPlacement{key - 8, layout, masks[i] | maskOf(chord.modifiers)};
                    }
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace ts
