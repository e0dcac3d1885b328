#pragma once

#include "desktop/platform/KeyChord.h"

namespace ts {

// Synthetic key presses delivered to the focused window of the frontmost application.
class KeySynthesizer {
public:
    virtual ~KeySynthesizer() = default;
    // Presses the modifiers, presses and releases the key, releases the modifiers, in the
    // keyboard group that has the key. False when nothing was sent (no display, no key
    // producing the keysym); whatever was pressed is always released.
    virtual bool send(const KeyChord& chord) = 0;
};

}  // namespace ts
