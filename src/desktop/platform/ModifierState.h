#pragma once

#include "desktop/platform/KeyChord.h"

namespace ts {

// The modifier keys physically held right now (lock keys do not count).
class ModifierState {
public:
    virtual ~ModifierState() = default;
    virtual Modifiers heldModifiers() const = 0;
};

}  // namespace ts
