#include "desktop/hotkeys/InPlaceTrigger.h"

namespace ts {

bool isOwnApplication(const std::optional<AppInfo>& frontmost, qint64 ownPid,
                      const QString& ownWindowClass) {
    if (!frontmost) {
        return false;
    }
    if (frontmost->pid != 0 && frontmost->pid == ownPid) {
        return true;
    }
    return !ownWindowClass.isEmpty() &&
           frontmost->windowClass.compare(ownWindowClass, Qt::CaseInsensitive) == 0;
}

InPlaceTriggerAction decideInPlaceTrigger(bool ownApplicationFrontmost,
                                          bool desktopControlAvailable) {
    if (ownApplicationFrontmost) {
        return InPlaceTriggerAction::toggleWindow;
    }
    if (!desktopControlAvailable) {
        return InPlaceTriggerAction::accessibilityAlert;
    }
    return InPlaceTriggerAction::runInPlace;
}

InPlaceTriggerAction runInPlaceTrigger(bool ownApplicationFrontmost, bool desktopControlAvailable,
                                       const InPlaceTriggerActions& actions, Mode mode) {
    const InPlaceTriggerAction action =
        decideInPlaceTrigger(ownApplicationFrontmost, desktopControlAvailable);
    switch (action) {
        case InPlaceTriggerAction::toggleWindow:
            if (actions.toggleWindow) {
                actions.toggleWindow();
            }
            break;
        case InPlaceTriggerAction::accessibilityAlert:
            if (actions.showAccessibilityAlert) {
                actions.showAccessibilityAlert();
            }
            break;
        case InPlaceTriggerAction::runInPlace:
            if (actions.runInPlace) {
                actions.runInPlace(mode);
            }
            break;
    }
    return action;
}

}  // namespace ts
