#pragma once

#include "desktop/platform/AccessibleSelection.h"

namespace ts {

class AtspiBus;

// The focused element's selection in a given application, as a screen reader reads it, with
// where it is on screen.
class AtspiSelection final : public AccessibleSelection {
public:
    explicit AtspiSelection(AtspiBus& bus);

    bool available() const override;
    std::optional<FocusedSelection> focusedSelection(qint64 pid) const override;

private:
    AtspiBus& bus_;
};

}  // namespace ts
