#include "ui/onboarding/AccessibilityStep.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "desktop/platform/DesktopControl.h"
#include "ui/DesktopControlTexts.h"
#include "ui/onboarding/OnboardingServices.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

AccessibilityStep::AccessibilityStep(const OnboardingServices& services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_grantedIcon(new QLabel(this)),
      m_grantedText(roleLabel(linuxText(tr("Accessibility permission granted")), "success", this)),
      m_hint(roleLabel(QString(), "note", this)),
      m_grant(roleButton(linuxText(tr("Grant Accessibility\u2026")), "secondary", this)) {
    m_poll.setInterval(500);
    connect(&m_poll, &QTimer::timeout, this, &AccessibilityStep::check);
    m_grantedIcon->setFixedSize(18, 18);
    m_grantedIcon->setAccessibleName(m_grantedText->text());
    m_grant->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    auto* grantedRow = new QHBoxLayout;
    grantedRow->setSpacing(8);
    grantedRow->addWidget(m_grantedIcon);
    grantedRow->addWidget(m_grantedText, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addWidget(
        roleLabel(tr("Optional, but it's the most useful feature."), "heading", this));
    column->addWidget(
        roleLabel(linuxText(tr("With Accessibility permission, Tessarine can rewrite selected "
                               "text directly in Mail, Slack, Notes, or any editable field. "
                               "Without it, you can still use Tessarine's own window.")),
                  "subtitle", this));
    column->addSpacing(8);
    column->addLayout(grantedRow);
    column->addWidget(m_hint);
    column->addWidget(m_grant);
    column->addStretch(1);

    connect(m_grant, &QPushButton::clicked, this, [this] {
        if (m_services.showAccessibilityAlert) {
            m_services.showAccessibilityAlert();
        }
    });
    m_granted = m_services.desktopControl.available();
    showGranted();
    refreshIcons();
}

void AccessibilityStep::check() {
    const bool granted = m_services.desktopControl.available();
    if (granted == m_granted) {
        return;
    }
    m_granted = granted;
    showGranted();
    emit grantedChanged(granted);
}

void AccessibilityStep::showGranted() {
    m_grantedIcon->setVisible(m_granted);
    m_grantedText->setVisible(m_granted);
    // Asked again only when the answer changes: the session is probed on the bus.
    m_hint->setText(desktopControlText(desktopControlFacts(m_granted)));
    m_grant->setVisible(!m_granted);
}

void AccessibilityStep::showEvent(QShowEvent* event) {
    m_poll.stop();
    check();
    m_poll.start();
    QWidget::showEvent(event);
}

void AccessibilityStep::hideEvent(QHideEvent* event) {
    m_poll.stop();
    QWidget::hideEvent(event);
}

void AccessibilityStep::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QWidget::changeEvent(event);
}

void AccessibilityStep::refreshIcons() {
    const Palette& palette = Palette::current();
    m_grantedIcon->setPixmap(
        icons::symbol(QStringLiteral("checkmark.seal"), palette.green).pixmap(18, 18));
    m_grant->setIcon(icons::symbol(QStringLiteral("hand.raised"), palette.cyan));
}

}  // namespace ts
