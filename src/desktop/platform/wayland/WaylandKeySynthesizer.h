#pragma once

#include <memory>

#include "desktop/platform/KeySynthesizer.h"

struct zwp_virtual_keyboard_v1;

namespace ts {

class WaylandConnection;
class XkbKeymap;

// Key presses through a virtual keyboard of the compositor's seat. It carries a whole keymap
// (the user's layout as xkbcommon reads it from XKB_DEFAULT_* or its defaults): with one holding
// only the typed symbols, GTK 3 programs ignore shortcuts such as Ctrl+C.
class WaylandKeySynthesizer final : public KeySynthesizer {
public:
    // The connection must offer a seat and the virtual keyboard manager, and outlive this.
    explicit WaylandKeySynthesizer(WaylandConnection& connection);
    ~WaylandKeySynthesizer() override;
    WaylandKeySynthesizer(const WaylandKeySynthesizer&) = delete;
    WaylandKeySynthesizer& operator=(const WaylandKeySynthesizer&) = delete;

    // False without a keyboard (no keymap, refused by the compositor) or a key for the keysym.
    // Returns once the compositor has the keys, or after a bounded wait for it.
    bool send(const KeyChord& chord) override;
    bool ready() const { return keyboard_ != nullptr; }

private:
    WaylandConnection& connection_;
    std::unique_ptr<XkbKeymap> keymap_;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
};

}  // namespace ts
