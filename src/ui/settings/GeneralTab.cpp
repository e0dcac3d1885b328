#include "ui/settings/GeneralTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "session/AppEvents.h"
#include "store/SettingsStore.h"
#include "ui/DesktopControlTexts.h"
#include "ui/settings/SettingsWidgets.h"

#ifndef TESSARINE_VERSION
#define TESSARINE_VERSION "0.0.0"
#endif

namespace ts {

using namespace settings;

namespace {

const char* const kNotFound = QT_TRANSLATE_NOOP(
    "ts::GeneralTab", "Couldn't find the app bundle. Try launching from /Applications.");
// Label and stored value, in picker order.
const std::pair<const char*, const char*> kAppearances[] = {
    {QT_TRANSLATE_NOOP("ts::GeneralTab", "System"), "system"},
    {QT_TRANSLATE_NOOP("ts::GeneralTab", "Light"), "light"},
    {QT_TRANSLATE_NOOP("ts::GeneralTab", "Dark"), "dark"}};

}  // namespace

GeneralTab::GeneralTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services), login_(services.autostartFolder, services.program) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("General"), this));
    layout->addWidget(line(tr("Tessarine v") + QStringLiteral(TESSARINE_VERSION), this));

    layout->addWidget(line(
        linuxText(
            tr("Accessibility permission lets Tessarine rewrite selected text in place in other "
               "apps (the ⌃⌥⌘E hotkey). The Services menu and the main window work "
               "without it.")),
        this));
    controlStatus_ = label(QString(), "strong", this);
    layout->addWidget(controlStatus_);
    controlDetail_ = line(QString(), this);
    layout->addWidget(controlDetail_);
    grant_ = button(linuxText(tr("Grant Accessibility\u2026")), this);
    layout->addWidget(grant_, 0, Qt::AlignLeft);
    connect(grant_, &QPushButton::clicked, this, [this] {
        poll();
        if (!controlGranted_ && services_.showAccessibilityAlert) {
            services_.showAccessibilityAlert();
        }
    });

    floating_ = toggle(tr("Show floating action on text selection (beta)"), this);
    layout->addWidget(floating_);
    layout->addWidget(line(
        linuxText(
            tr("Shows a small Tessarine button near text you've selected in another app. Works "
               "well in Mail, Notes, Safari, Pages. May not appear in Electron apps (Obsidian, "
               "Slack, VS Code) or canvas editors (Google Docs, Figma); use the hotkey or "
               "right-click Services menu there. Requires Accessibility permission.")),
        this));
    connect(floating_, &QCheckBox::toggled, this, [this](bool on) {
        services_.settings.setSelectionButtonEnabled(on);
        emit AppEvents::shared().selectionButtonChanged();
    });

    launch_ = toggle(tr("Launch at login"), this);
    layout->addWidget(launch_);
    launchMessage_ = label(QString(), "outcome", this);
    launchMessage_->hide();
    layout->addWidget(launchMessage_);
    connect(launch_, &QCheckBox::toggled, this, &GeneralTab::setLaunchAtLogin);
    QPushButton* openFolder = button(tr("Open Login Items"), this);
    openFolder->setToolTip(login_.folder());
    layout->addWidget(openFolder, 0, Qt::AlignLeft);
    connect(openFolder, &QPushButton::clicked, this, [this] {
        QDir().mkpath(login_.folder());
        QDesktopServices::openUrl(QUrl::fromLocalFile(login_.folder()));
    });

    appearance_ = new QComboBox(this);
    appearance_->setAccessibleName(tr("Appearance"));
    for (const auto& [text, value] : kAppearances) {
        appearance_->addItem(tr(text), QString::fromLatin1(value));
    }
    layout->addLayout(labelled(tr("Appearance"), appearance_, this));
    connect(appearance_, &QComboBox::activated, this, [this](int index) {
        services_.settings.setAppearance(appearance_->itemData(index).toString());
    });

    QPushButton* replay = button(tr("Replay first-run setup\u2026"), this);
    layout->addWidget(replay, 0, Qt::AlignLeft);
    layout->addWidget(
        line(tr("Shows the welcome screen again. Your API keys stay in place."), this));
    connect(replay, &QPushButton::clicked, this, [this] {
        if (services_.replayOnboarding) {
            services_.replayOnboarding();
        } else {
            services_.settings.setHasCompletedOnboarding(false);
        }
    });
    layout->addStretch(1);

    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &GeneralTab::poll);
    controlGranted_ = services_.desktopControl && services_.desktopControl();
    reload();
}

void GeneralTab::reload() {
    const SettingsStore& settings = services_.settings;
    {
        const QSignalBlocker block(floating_);
        floating_->setChecked(settings.selectionButtonEnabled());
    }
    {
        const QSignalBlocker block(launch_);
        launch_->setChecked(login_.isEnabled());
    }
    const QString appearance = settings.appearance();
    const int index = appearance_->findData(appearance);
    appearance_->setCurrentIndex(index < 0 ? 0 : index);
    showControlState();
}

void GeneralTab::showControlState() {
    controlStatus_->setText(linuxText(controlGranted_
                                          ? tr("Accessibility permission granted")
                                          : tr("Accessibility permission not granted")));
    setTone(controlStatus_, controlGranted_ ? QStringLiteral("success") : QStringLiteral("error"));
    // Asked again only when the answer changes: the session is probed on the bus.
    controlDetail_->setText(desktopControlText(desktopControlFacts(controlGranted_)));
    grant_->setVisible(!controlGranted_);
}

void GeneralTab::setLaunchAtLogin(bool enabled) {
    const QString failure = login_.setEnabled(enabled);
    if (!failure.isEmpty()) {
        showLoginMessage(failure);
        // The switch shows what is really there, a moment after the user's flip.
        QTimer::singleShot(50, this, [this] {
            const QSignalBlocker block(launch_);
            launch_->setChecked(login_.isEnabled());
        });
        return;
    }
    const LoginItem::Status status = login_.status();
    if (status == LoginItem::Status::notFound) {
        showLoginMessage(linuxText(tr(kNotFound)));
        const QSignalBlocker block(launch_);
        launch_->setChecked(false);
    } else {
        showLoginMessage(QString());
    }
}

// Every message under the switch is a failure here: nothing awaits approval on this desktop.
void GeneralTab::showLoginMessage(const QString& text) {
    launchMessage_->setText(text);
    launchMessage_->setVisible(!text.isEmpty());
    setTone(launchMessage_, QStringLiteral("error"));
}

QString GeneralTab::launchAtLoginMessage() const {
    return launchMessage_->isVisibleTo(this) ? launchMessage_->text() : QString();
}

void GeneralTab::poll() {
    const bool granted = services_.desktopControl && services_.desktopControl();
    if (granted != controlGranted_) {
        controlGranted_ = granted;
        showControlState();
        if (services_.settings.selectionButtonEnabled()) {
            emit AppEvents::shared().selectionButtonChanged();
        }
    }
    const bool real = login_.isEnabled();
    if (launch_->isChecked() != real) {
        const QSignalBlocker block(launch_);
        launch_->setChecked(real);
        if (real) {
            showLoginMessage(QString());
        }
    }
}

void GeneralTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    poll();
    poll_.start();
}

void GeneralTab::hideEvent(QHideEvent* event) {
    poll_.stop();
    QWidget::hideEvent(event);
}

}  // namespace ts
