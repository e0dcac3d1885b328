#include "ui/onboarding/OnboardingView.h"
#include "ui/AccessibleRoles.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "desktop/platform/DesktopControl.h"
#include "providers/OllamaInstaller.h"
#include "store/SettingsStore.h"
#include "ui/onboarding/AccessibilityStep.h"
#include "ui/onboarding/CloudSetupStep.h"
#include "ui/onboarding/DoneStep.h"
#include "ui/onboarding/LocalSetupStep.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/onboarding/WelcomeStep.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"

namespace ts {

OnboardingView::OnboardingView(OnboardingServices services, QWidget* parent)
    // Closable only: no minimise or maximise buttons.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_services(std::move(services)) {
    setObjectName(QStringLiteral("onboarding"));
    accessible::install();
    accessible::setRole(this, QAccessible::Window);
    setWindowTitle(tr("Welcome to Tessarine"));
    setWindowIcon(icons::appIcon());
    resize(kWidth, kHeight);

    auto* background = new PopoverBackground(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);

    m_pages = new QStackedWidget(background);
    m_welcome = new WelcomeStep(m_pages);
    m_cloud = new CloudSetupStep(m_services, m_pages);
    m_local = new LocalSetupStep(m_services, m_pages);
    m_accessibility = new AccessibilityStep(m_services, m_pages);
    m_done = new DoneStep(m_services.requests.settings, m_services.hotkeyDoor, m_pages);
    for (QWidget* page : {static_cast<QWidget*>(m_welcome), static_cast<QWidget*>(m_cloud),
                          static_cast<QWidget*>(m_local), static_cast<QWidget*>(m_accessibility),
                          static_cast<QWidget*>(m_done)}) {
        m_pages->addWidget(page);
    }

    m_back = roleButton(tr("Back"), "footer", background);
    m_skipSetup = roleButton(tr("Skip setup"), "plain", background);
    m_skipNote =
        roleLabel(tr("You can configure Tessarine later in Settings."), "footnote", background);
    m_skipNote->setAlignment(Qt::AlignHCenter);
    m_skipNote->setWordWrap(false);
    m_forward = roleButton(tr("Continue"), "primary", background);
    m_forward->setObjectName(QStringLiteral("onboardingForward"));
    m_forward->setLayoutDirection(Qt::RightToLeft);  // the arrow after the label

    auto* skip = new QVBoxLayout;
    skip->setSpacing(0);
    skip->addWidget(m_skipSetup, 0, Qt::AlignHCenter);
    skip->addWidget(m_skipNote);
    auto* footer = new QHBoxLayout;
    footer->setSpacing(12);
    footer->addWidget(m_back, 0, Qt::AlignVCenter);
    footer->addStretch(1);
    footer->addLayout(skip);
    footer->addStretch(1);
    footer->addWidget(m_forward, 0, Qt::AlignVCenter);

    auto* divider = new QWidget(background);
    divider->setObjectName(QStringLiteral("onboardingDivider"));
    divider->setFixedHeight(1);
    auto* column = new QVBoxLayout(background);
    column->setContentsMargins(24, 24, 24, 16);
    column->setSpacing(14);
    column->addWidget(m_pages, 1);
    column->addWidget(divider);
    column->addLayout(footer);

    connect(m_welcome, &WelcomeStep::cloudChosen, this, &OnboardingView::chooseCloud);
    connect(m_welcome, &WelcomeStep::localChosen, this, &OnboardingView::chooseLocal);
    connect(m_cloud, &CloudSetupStep::testResultChanged, this, &OnboardingView::updateFooter);
    connect(&m_services.ollama, &OllamaInstaller::stateChanged, this,
            &OnboardingView::updateFooter);
    connect(m_accessibility, &AccessibilityStep::grantedChanged, this,
            &OnboardingView::updateFooter);
    connect(m_done, &DoneStep::finishRequested, this, &OnboardingView::finish);
    connect(m_back, &QPushButton::clicked, this, &OnboardingView::goBack);
    connect(m_forward, &QPushButton::clicked, this, &OnboardingView::goForward);
    connect(m_skipSetup, &QPushButton::clicked, this, &OnboardingView::skipSetup);

    refreshIcons();
    showStep(OnboardingStep::welcome);
}

OnboardingView::~OnboardingView() = default;

StepFacts OnboardingView::facts() const {
    const OllamaInstaller::State& local = m_services.ollama.state();
    StepFacts facts;
    facts.testSucceeded = m_cloud->testResult() && m_cloud->testResult()->success;
    facts.localModelInstalled =
        local.kind == OllamaInstaller::StateKind::runningWithModels && !local.models.isEmpty();
    facts.storedProviderIsLocal = m_services.requests.settings.provider() == ProviderKind::ollama;
    facts.desktopControlGranted = m_accessibility->granted();
    return facts;
}

void OnboardingView::goForward() {
    if (m_step == OnboardingStep::welcome) {
        m_welcome->chooseFocusedCard();
        return;
    }
    const StepMoves moves = stepMoves(m_step, facts());
    if (!moves.forwardEnabled) {
        return;
    }
    if (moves.forwardFinishes) {
        finish();
    } else if (moves.forward) {
        showStep(*moves.forward);
    }
}

void OnboardingView::goBack() {
    if (const StepMoves moves = stepMoves(m_step, facts()); moves.back) {
        showStep(*moves.back);
    }
}

void OnboardingView::finish() {
    m_services.requests.settings.setHasCompletedOnboarding(true);
    emit finished();
}

void OnboardingView::skipSetup() {
    SettingsStore& settings = m_services.requests.settings;
    if (m_providerBeforeLocal && settings.provider() == ProviderKind::ollama &&
        !facts().localModelInstalled) {
        settings.setProvider(*m_providerBeforeLocal);
    }
    finish();
}

void OnboardingView::chooseCloud() {
    m_providerBeforeLocal.reset();
    SettingsStore& settings = m_services.requests.settings;
    if (settings.provider() == ProviderKind::ollama) {
        settings.setProvider(ProviderKind::anthropic);
    }
    m_cloud->enter();
    showStep(OnboardingStep::cloudSetup);
}

void OnboardingView::chooseLocal() {
    SettingsStore& settings = m_services.requests.settings;
    if (settings.provider() != ProviderKind::ollama) {
        m_providerBeforeLocal = settings.provider();
    }
    settings.setProvider(ProviderKind::ollama);
    showStep(OnboardingStep::localSetup);
}

void OnboardingView::showStep(OnboardingStep step) {
    m_step = step;
    if (step == OnboardingStep::done) {
        m_done->refresh(m_accessibility->granted());
    }
    m_pages->setCurrentIndex(static_cast<int>(step));
    updateFooter();
    QWidget* focus = nullptr;
    switch (step) {
        case OnboardingStep::welcome:
            focus = m_welcome->firstFocus();
            break;
        case OnboardingStep::cloudSetup:
            focus = m_cloud->firstFocus();
            break;
        case OnboardingStep::done:
            focus = m_done->firstFocus();
            break;
        case OnboardingStep::localSetup:
        case OnboardingStep::accessibility:
            focus = m_forward;
            break;
    }
    focus->setFocus(Qt::OtherFocusReason);
    emit stepChanged(step);
}

void OnboardingView::updateFooter() {
    const StepMoves moves = stepMoves(m_step, facts());
    m_back->setVisible(moves.back.has_value());
    m_forward->setEnabled(moves.forwardEnabled);
    m_forward->setText(moves.forwardLabel);
    m_forward->setAccessibleName(moves.forwardLabel);
    m_skipSetup->setVisible(moves.offersSkipSetup);
    m_skipNote->setVisible(moves.offersSkipSetup);
}

void OnboardingView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
        update();
    }
    QWidget::changeEvent(event);
}

void OnboardingView::refreshIcons() {
    const Palette& palette = Palette::current();
    m_back->setIcon(icons::symbol(QStringLiteral("arrow.left"), palette.text));
    m_forward->setIcon(icons::symbol(QStringLiteral("arrow.right"), palette.ctaText));
    // Placeholders and selections are palette colours the style sheet cannot reach.
    QPalette colours = QApplication::palette();
    colours.setColor(QPalette::PlaceholderText, palette.placeholder);
    colours.setColor(QPalette::Text, palette.text);
    colours.setColor(QPalette::WindowText, palette.text);
    colours.setColor(QPalette::Highlight, palette.cyan);
    colours.setColor(QPalette::HighlightedText, palette.ctaText);
    setPalette(colours);
}

}  // namespace ts
