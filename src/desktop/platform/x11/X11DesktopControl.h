#pragma once

#include "desktop/platform/DesktopControl.h"

namespace ts {

class X11DesktopControl final : public DesktopControl {
public:
    bool available() const override;
};

}  // namespace ts
