#include "ui/onboarding/OllamaSetupPanel.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "providers/OllamaInstaller.h"
#include "ui/onboarding/ModelCard.h"
#include "ui/onboarding/OnboardingServices.h"
#include "ui/onboarding/OnboardingWidgets.h"

namespace ts {

namespace {

using Kind = OllamaInstaller::StateKind;

struct CardTexts {
    const char* title;
    const char* body;
    const char* action;
};

QString translated(const char* text) {
    return QCoreApplication::translate("ts::OllamaSetupPanel", text);
}

// A card with a title, a line of explanation, its action and "Recheck".
QFrame* actionCard(const CardTexts& texts, QPushButton** action, QPushButton** recheck,
                   QWidget* parent) {
    QFrame* card = cardFrame(parent);
    *action = roleButton(linuxText(translated(texts.action)), "primary", card);
    *recheck = roleButton(QCoreApplication::translate("ts::OllamaSetupPanel", "Recheck"),
                          "secondary", card);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(*action);
    buttons->addWidget(*recheck);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(6);
    column->addWidget(roleLabel(linuxText(translated(texts.title)), "cardTitle", card));
    column->addWidget(roleLabel(linuxText(translated(texts.body)), "cardText", card));
    column->addSpacing(4);
    column->addLayout(buttons);
    return card;
}

}  // namespace

OllamaSetupPanel::OllamaSetupPanel(const OnboardingServices& services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_installer(services.ollama),
      m_status(roleLabel(QString(), "status", this)),
      m_modelsHeading(roleLabel(tr("RECOMMENDED MODELS"), "sectionLabel", this)) {
    QPushButton* download = nullptr;
    QPushButton* recheckInstall = nullptr;
    QPushButton* start = nullptr;
    QPushButton* recheckStart = nullptr;
    m_installCard = actionCard(
        {QT_TRANSLATE_NOOP("ts::OllamaSetupPanel", "Install Ollama to run models locally"),
         QT_TRANSLATE_NOOP("ts::OllamaSetupPanel",
                           "Ollama is a free, open-source runtime for local LLMs. Install once; "
                           "Tessarine detects it automatically when you return."),
         QT_TRANSLATE_NOOP("ts::OllamaSetupPanel", "Download Ollama")},
        &download, &recheckInstall, this);
    m_startCard = actionCard({QT_TRANSLATE_NOOP("ts::OllamaSetupPanel", "Start the Ollama app"),
                              QT_TRANSLATE_NOOP("ts::OllamaSetupPanel",
                                                "Ollama.app lives in your menu bar and runs the "
                                                "local server. Click Start to launch it."),
                              QT_TRANSLATE_NOOP("ts::OllamaSetupPanel", "Start Ollama")},
                             &start, &recheckStart, this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(m_status);
    column->addWidget(m_installCard);
    column->addWidget(m_startCard);
    column->addSpacing(4);
    column->addWidget(m_modelsHeading);
    for (const OllamaInstaller::RecommendedModel& model : OllamaInstaller::recommendedModels()) {
        auto* card = new ModelCard(m_installer, model, this);
        m_cards.append(card);
        column->addWidget(card);
    }
    column->addStretch(1);

    connect(download, &QPushButton::clicked, this, [this] { m_services.open(downloadPage()); });
    connect(start, &QPushButton::clicked, this, [this] { m_installer.launchApp(); });
    for (QPushButton* recheck : {recheckInstall, recheckStart}) {
        connect(recheck, &QPushButton::clicked, &m_installer, &OllamaInstaller::refresh);
    }
    connect(&m_installer, &OllamaInstaller::stateChanged, this, &OllamaSetupPanel::showState);
    const auto refreshCard = [this](const QString& id) {
        for (ModelCard* card : m_cards) {
            if (card->modelId() == id) {
                card->refresh();
            }
        }
    };
    connect(&m_installer, &OllamaInstaller::pullingChanged, this, refreshCard);
    connect(&m_installer, &OllamaInstaller::pullErrorsChanged, this, refreshCard);
    showState();
}

const QUrl& OllamaSetupPanel::downloadPage() {
    static const QUrl page(QStringLiteral("https://ollama.com/download/linux"));
    return page;
}

QString OllamaSetupPanel::statusLine() const {
    const OllamaInstaller::State& state = m_installer.state();
    switch (state.kind) {
        case Kind::checking:
            return tr("Checking Ollama\u2026");
        case Kind::notInstalled:
            return tr("Ollama is not installed");
        case Kind::installedNotRunning:
            return tr("Ollama is installed but not running");
        case Kind::runningNoModels:
            return tr("Ollama is running \u00b7 no models pulled yet");
        case Kind::runningWithModels:
            break;
    }
    // Two source texts keep the English right without a catalogue.
    const auto count = static_cast<int>(state.models.size());
    return count == 1 ? tr("Ollama is running \u00b7 %n model installed", nullptr, count)
                      : tr("Ollama is running \u00b7 %n models installed", nullptr, count);
}

void OllamaSetupPanel::showState() {
    const Kind kind = m_installer.state().kind;
    m_status->setText(statusLine());
    m_installCard->setVisible(kind == Kind::notInstalled);
    m_startCard->setVisible(kind == Kind::installedNotRunning);
    // Models can only be pulled from a server that answers.
    const bool running = kind == Kind::runningNoModels || kind == Kind::runningWithModels;
    m_modelsHeading->setVisible(running);
    for (ModelCard* card : m_cards) {
        card->setVisible(running);
        card->refresh();
    }
}

void OllamaSetupPanel::showEvent(QShowEvent* event) {
    m_installer.startPolling();
    QWidget::showEvent(event);
}

void OllamaSetupPanel::hideEvent(QHideEvent* event) {
    m_installer.stopPolling();
    QWidget::hideEvent(event);
}

}  // namespace ts
