#pragma once

#include <QWidget>

namespace ts {

class OllamaSetupPanel;
struct OnboardingServices;

// "Run Tessarine on your computer": the local runtime's setup panel under a short heading.
class LocalSetupStep final : public QWidget {
    Q_OBJECT
public:
    LocalSetupStep(const OnboardingServices& services, QWidget* parent = nullptr);

    OllamaSetupPanel& panel() const { return *m_panel; }

private:
    OllamaSetupPanel* m_panel;
};

}  // namespace ts
