#include "ui/onboarding/OnboardingSteps.h"

#include <QCoreApplication>

namespace ts {

StepMoves stepMoves(OnboardingStep step, const StepFacts& facts) {
    using S = OnboardingStep;
    StepMoves moves;
    moves.forwardLabel = QCoreApplication::translate("ts::OnboardingSteps", "Continue");
    switch (step) {
        case S::welcome:
            // The choice cards navigate; forward chooses the card that had the focus.
            break;
        case S::cloudSetup:
            moves.forwardEnabled = facts.testSucceeded;
            moves.forward = S::accessibility;
            moves.back = S::welcome;
            break;
        case S::localSetup:
            moves.forwardEnabled = facts.localModelInstalled;
            moves.forward = S::accessibility;
            moves.back = S::welcome;
            break;
        case S::accessibility:
            moves.forward = S::done;
            moves.back = facts.storedProviderIsLocal ? S::localSetup : S::cloudSetup;
            if (!facts.desktopControlGranted) {
                moves.forwardLabel =
                    QCoreApplication::translate("ts::OnboardingSteps", "Skip for now");
            }
            break;
        case S::done:
            moves.forwardFinishes = true;
            moves.back = S::accessibility;
            moves.offersSkipSetup = false;
            break;
    }
    return moves;
}

}  // namespace ts
