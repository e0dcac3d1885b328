#pragma once

#include "desktop/platform/ModifierState.h"

namespace ts {

// Reads which modifier keys are down from the server's key map, so lock keys never count.
class X11ModifierState final : public ModifierState {
public:
    Modifiers heldModifiers() const override;
};

}  // namespace ts
