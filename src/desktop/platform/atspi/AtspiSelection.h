#pragma once

#include <memory>

#include "desktop/platform/AccessibleSelection.h"

namespace ts {

// The focused element's selection through AT-SPI 2 (libatspi), as a screen reader reads it.
// Connects on first use, and only to an accessibility bus that is already running: this
// process reads the tree but never joins it as an application. Every call is short (a few
// hundred ms at most) since it runs on the GUI thread.
class AtspiSelection final : public AccessibleSelection {
public:
    AtspiSelection();
    ~AtspiSelection() override;
    AtspiSelection(const AtspiSelection&) = delete;
    AtspiSelection& operator=(const AtspiSelection&) = delete;

    bool available() const override;
    std::optional<FocusedSelection> focusedSelection(qint64 pid) const override;
    // Focus changes the bus has reported since the first use (they name the focused element
    // without a search).
    quint64 focusEvents() const;

    struct State;

private:
    bool start() const;

    std::unique_ptr<State> state_;
};

}  // namespace ts
