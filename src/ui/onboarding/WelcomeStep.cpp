#include "ui/onboarding/WelcomeStep.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "ui/AccessibleRoles.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

// A card that is one button: Tab reaches it, Space or Enter chooses it, and a screen reader
// reads its title as the name and the other lines as its description.
QPushButton* choiceCard(const QString& title, const QString& lead, const QString& detail,
                        QWidget* parent) {
    auto* card = roleButton(QString(), "choiceCard", parent);
    card->setAccessibleName(title);
    card->setAccessibleDescription(lead + u' ' + detail);
    card->setMinimumHeight(88);
    auto* icon = new QLabel(card);
    icon->setObjectName(QStringLiteral("choiceIcon"));
    icon->setFixedSize(28, 28);
    icon->setAlignment(Qt::AlignTop);
    auto* titleLabel = roleLabel(title, "cardTitle", card);
    auto* leadLabel = roleLabel(lead, "cardLead", card);
    auto* detailLabel = roleLabel(detail, "cardText", card);
    for (QLabel* label : {titleLabel, leadLabel, detailLabel}) {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(titleLabel);
    text->addWidget(leadLabel);
    text->addWidget(detailLabel);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 14, 16, 14);
    row->setSpacing(14);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    return card;
}

}  // namespace

WelcomeStep::WelcomeStep(QWidget* parent) : QWidget(parent) {
    auto* headingBox = new QWidget(this);
    auto* lead = roleLabel(tr("Welcome to"), "heading", headingBox);
    auto* accent = roleLabel(QStringLiteral("Tessarine"), "headingAccent", headingBox);
    lead->setWordWrap(false);
    accent->setWordWrap(false);
    accessible::setHeading(headingBox, tr("Welcome to Tessarine"));
    auto* heading = new QHBoxLayout(headingBox);
    heading->setContentsMargins(0, 0, 0, 0);
    heading->setSpacing(8);
    heading->addWidget(lead);
    heading->addWidget(accent);
    heading->addStretch(1);
    auto* intro = roleLabel(linuxText(tr("Rewrite, proofread, and draft text in any "
                                         "Mac app. Pick how you want to run the AI:")),
                            "subtitle", this);
    m_cloud = choiceCard(tr("Use a cloud model"), tr("OpenAI, Anthropic, or Gemini."),
                         tr("Best quality. Bring your own API key. Pay the provider "
                            "per use."),
                         this);
    m_local = choiceCard(
        tr("Run locally"), tr("Free. Private. On-device."),
        linuxText(tr("Uses Ollama. No API key. Slower on older Macs. Works offline.")), this);
    m_cloud->setObjectName(QStringLiteral("cloudCard"));
    m_local->setObjectName(QStringLiteral("localCard"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addWidget(headingBox);
    column->addWidget(intro);
    column->addSpacing(8);
    column->addWidget(m_cloud);
    column->addWidget(m_local);
    column->addStretch(1);

    m_focusedCard = m_cloud;
    m_cloud->installEventFilter(this);
    m_local->installEventFilter(this);
    connect(m_cloud, &QPushButton::clicked, this, &WelcomeStep::cloudChosen);
    connect(m_local, &QPushButton::clicked, this, &WelcomeStep::localChosen);
    refreshIcons();
}

QWidget* WelcomeStep::firstFocus() const {
    return m_cloud;
}

void WelcomeStep::chooseFocusedCard() {
    m_focusedCard->click();
}

bool WelcomeStep::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        m_focusedCard = watched == m_local ? m_local : m_cloud;
    }
    return QWidget::eventFilter(watched, event);
}

void WelcomeStep::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QWidget::changeEvent(event);
}

void WelcomeStep::refreshIcons() {
    const QColor tint = Palette::current().cyan;
    const std::pair<QPushButton*, const char*> cards[] = {{m_cloud, "cloud"}, {m_local, "shield"}};
    for (const auto& [card, symbol] : cards) {
        auto* icon = card->findChild<QLabel*>(QStringLiteral("choiceIcon"));
        icon->setPixmap(icons::symbol(QString::fromLatin1(symbol), tint).pixmap(28, 28));
    }
}

}  // namespace ts
