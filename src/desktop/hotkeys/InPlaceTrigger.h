#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "core/Enums.h"
#include "desktop/platform/FrontmostApp.h"

namespace ts {

enum class InPlaceTriggerAction { toggleWindow, accessibilityAlert, runInPlace };

// Whether the frontmost application is this one: the same process, or the same window class
// (a second instance's window still counts as ours).
bool isOwnApplication(const std::optional<AppInfo>& frontmost, qint64 ownPid,
                      const QString& ownWindowClass);

// What the in-place hotkey does: in our own window it behaves as the window hotkey; without
// desktop control it explains what is missing; otherwise it rewrites in place.
InPlaceTriggerAction decideInPlaceTrigger(bool ownApplicationFrontmost,
                                          bool desktopControlAvailable);

struct InPlaceTriggerActions {
    std::function<void()> toggleWindow;
    std::function<void()> showAccessibilityAlert;
    // The hotkey's mode is rewrite; the trigger command may ask for proofread. No instruction,
    // text or application name.
    std::function<void(Mode)> runInPlace;
};

InPlaceTriggerAction runInPlaceTrigger(bool ownApplicationFrontmost, bool desktopControlAvailable,
                                       const InPlaceTriggerActions& actions,
                                       Mode mode = Mode::rewrite);

}  // namespace ts
