#include "ui/onboarding/LocalSetupStep.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "ui/onboarding/OllamaSetupPanel.h"
#include "ui/onboarding/OnboardingWidgets.h"

namespace ts {

LocalSetupStep::LocalSetupStep(const OnboardingServices& services, QWidget* parent)
    : QWidget(parent) {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("onboardingScroll"));
    scroll->setFocusPolicy(Qt::NoFocus);  // its buttons take Tab; the area shows no focus
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panel = new OllamaSetupPanel(services, scroll);
    scroll->setWidget(m_panel);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(roleLabel(linuxText(tr("Run Tessarine on your Mac")), "heading", this));
    column->addWidget(roleLabel(tr("Uses Ollama. Free, private, no API key."), "subtitle", this));
    column->addSpacing(4);
    column->addWidget(scroll, 1);
}

}  // namespace ts
