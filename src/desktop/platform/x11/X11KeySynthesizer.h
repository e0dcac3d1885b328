#pragma once

#include "desktop/platform/KeySynthesizer.h"

namespace ts {

// Key presses through XTEST on Qt's connection.
class X11KeySynthesizer final : public KeySynthesizer {
public:
    bool send(const KeyChord& chord) override;
};

}  // namespace ts
