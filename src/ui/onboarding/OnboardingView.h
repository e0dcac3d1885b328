#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "ui/onboarding/OnboardingServices.h"
#include "ui/onboarding/OnboardingSteps.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace ts {

class AccessibilityStep;
class CloudSetupStep;
class DoneStep;
class LocalSetupStep;
class WelcomeStep;

// The first-run window: five steps from the choice between cloud and local to the hotkeys,
// with a footer to go back, on, or skip the whole setup. Finishing marks the onboarding
// completed and then tells the shell, which closes the window.
class OnboardingView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 520;

    explicit OnboardingView(OnboardingServices services, QWidget* parent = nullptr);
    ~OnboardingView() override;

    OnboardingStep step() const { return m_step; }
    StepFacts facts() const;

    void goForward();
    void goBack();
    void finish();

signals:
    void finished();
    void stepChanged(ts::OnboardingStep step);

protected:
    void changeEvent(QEvent* event) override;

private:
    void chooseCloud();
    void chooseLocal();
    void skipSetup();
    void showStep(OnboardingStep step);
    void updateFooter();
    void refreshIcons();

    OnboardingServices m_services;
    OnboardingStep m_step = OnboardingStep::welcome;
    // The provider "Run locally" replaced, given back when setup is skipped before a local
    // model is there: otherwise the first request would go to a runtime that cannot answer.
    std::optional<ProviderKind> m_providerBeforeLocal;

    QStackedWidget* m_pages;
    WelcomeStep* m_welcome;
    CloudSetupStep* m_cloud;
    LocalSetupStep* m_local;
    AccessibilityStep* m_accessibility;
    DoneStep* m_done;
    QPushButton* m_back;
    QPushButton* m_skipSetup;
    QLabel* m_skipNote;
    QPushButton* m_forward;
};

}  // namespace ts
