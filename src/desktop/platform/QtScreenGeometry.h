#pragma once

#include "desktop/platform/ScreenGeometry.h"

namespace ts {

// The screens and the pointer as Qt sees them: device-independent pixels, the same space
// every window we place lives in.
class QtScreenGeometry final : public ScreenGeometry {
public:
    QPoint pointer() const override;
    QList<ScreenArea> screens() const override;
};

}  // namespace ts
