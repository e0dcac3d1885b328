#pragma once

#include <functional>

#include "desktop/services/UrlSchemeAction.h"

namespace ts {

class AppState;
class PromptStore;

// What carrying out a URL needs from the shell: the session and the saved prompts, and the two
// window steps, which belong to the application layer.
struct UrlActionTargets {
    AppState& session;
    const PromptStore& prompts;
    std::function<void()> bringWindowToFront;
    std::function<void()> announceOpen;  // the openPopover notification
};

// Resets the session, fills it as the action says, brings the window up and, when the action
// allows it, starts the review.
void carryOut(const UrlSchemeAction& action, const UrlActionTargets& targets);

}  // namespace ts
