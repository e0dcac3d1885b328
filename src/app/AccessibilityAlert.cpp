#include "app/AccessibilityAlert.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/AppLogging.h"
#include "desktop/PlatformTexts.h"
#include "desktop/platform/DesktopControl.h"
#include "session/AppEvents.h"
#include "store/SettingsStore.h"
#include "ui/DesktopControlTexts.h"

namespace ts {

namespace {

QMessageBox* informationBox(const QString& title, const QString& text, const QString& informative) {
    auto* box = new QMessageBox(QMessageBox::Information, title, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setInformativeText(informative);
    return box;
}

void bringUp(QMessageBox* box) {
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace

AccessibilityAlert::AccessibilityAlert(SettingsStore& settings, DesktopControl& desktopControl,
                                       QObject* parent)
    : QObject(parent), settings_(settings), desktopControl_(desktopControl) {}

AccessibilityAlert::~AccessibilityAlert() {
    delete alert_.data();
    delete answer_.data();
}

bool AccessibilityAlert::isVisible() const {
    return alert_ && alert_->isVisible();
}

void AccessibilityAlert::show() {
    qCInfo(lcApp, "desktop control alert");
    if (alert_) {
        bringUp(alert_);
        return;
    }
    const QString message = linuxText(tr("Enable rewriting in any app"));
    QMessageBox* alert = informationBox(
        message, message,
        linuxText(tr(
            "Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, "
            "Slack, Notes, or any other app) without copy-paste.\n\nWithout this permission, the "
            "hotkey only opens the Tessarine window.")));
    // One role for all three keeps them in this order on every desktop's button layout.
    QPushButton* grant =
        alert->addButton(linuxText(tr("Grant Access\u2026")), QMessageBox::ActionRole);
    QPushButton* notNow = alert->addButton(tr("Not Now"), QMessageBox::ActionRole);
    QPushButton* turnOff =
        alert->addButton(tr("Turn Off In-Place Rewrite"), QMessageBox::ActionRole);
    alert->setDefaultButton(grant);
    alert->setEscapeButton(notNow);
    connect(grant, &QPushButton::clicked, this, &AccessibilityAlert::checkAgain);
    connect(turnOff, &QPushButton::clicked, this, &AccessibilityAlert::turnOffInPlace);
    alert_ = alert;
    bringUp(alert);
}

void AccessibilityAlert::checkAgain() {
    // Nothing can be granted here: the check is the session's own; the flag still records that
    // the user has been told once.
    if (!settings_.hasPromptedForAccessibility()) {
        settings_.setHasPromptedForAccessibility(true);
    }
    const bool available = desktopControl_.available();
    qCInfo(lcApp, "desktop control checked again: available=%d", available ? 1 : 0);
    delete answer_.data();
    answer_ = informationBox(
        tr("Desktop control"),
        available ? tr("Desktop control is available.") : tr("Desktop control is not available."),
        desktopControlText(desktopControlFacts(available)));
    bringUp(answer_);
}

void AccessibilityAlert::turnOffInPlace() {
    qCInfo(lcApp, "in-place rewrite turned off from the alert");
    settings_.setInPlaceHotkeyEnabled(false);
    emit AppEvents::shared().hotkeyChanged();
}

}  // namespace ts
