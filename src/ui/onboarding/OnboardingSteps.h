#pragma once

#include <QString>
#include <optional>

namespace ts {

enum class OnboardingStep { welcome, cloudSetup, localSetup, accessibility, done };

// What the footer's buttons depend on at a given moment.
struct StepFacts {
    bool testSucceeded = false;          // the last connection test of the cloud step
    bool localModelInstalled = false;    // the runtime is serving at least one model
    bool storedProviderIsLocal = false;  // the provider setting is the local runtime
    bool desktopControlGranted = false;
};

struct StepMoves {
    bool forwardEnabled = true;
    std::optional<OnboardingStep> forward;  // none: stays (welcome) or finishes (done)
    bool forwardFinishes = false;
    std::optional<OnboardingStep> back;  // none: no way back
    QString forwardLabel;
    bool offersSkipSetup = true;
};

// The whole navigation of the first-run flow as one table.
StepMoves stepMoves(OnboardingStep step, const StepFacts& facts);

}  // namespace ts
