#include "app/Host.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include "desktop/PlatformTexts.h"
#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/platform/x11/X11Platform.h"
#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"
#include "ui/toast/ToastPresenter.h"

Q_LOGGING_CATEGORY(lcApp, "tessarine.app")

namespace ts {

namespace {

const QString kWindowPendingMessage =
    QStringLiteral("Tessarine is running. The main window arrives in a later version.");

const QStringList kHotkeyKeys = {QStringLiteral("hotkeyKeyCode"), QStringLiteral("hotkeyModifiers"),
                                 QStringLiteral("inPlaceHotkeyKeyCode"),
                                 QStringLiteral("inPlaceHotkeyModifiers"),
                                 QStringLiteral("inPlaceHotkeyEnabled")};

const char* kindName(ToastKind kind) {
    switch (kind) {
        case ToastKind::info:
            return "info";
        case ToastKind::success:
            return "success";
        case ToastKind::error:
            return "error";
    }
    return "";
}

ToastPresenter::Kind presenterKind(ToastKind kind) {
    switch (kind) {
        case ToastKind::success:
            return ToastPresenter::Kind::success;
        case ToastKind::error:
            return ToastPresenter::Kind::error;
        case ToastKind::info:
            break;
    }
    return ToastPresenter::Kind::info;
}

}  // namespace

Host::Host(SettingsStore& settings, KeyStore& keys, HistoryStore& history, QObject* parent)
    : QObject(parent), settings_(settings), platform_(std::make_unique<X11Platform>()) {
    runner_ = std::make_unique<InPlaceRunner>(
        InPlaceRunner::Services{platform_->platform(), settings, keys, history,
                                [this](const QString& text, ToastKind kind,
                                       std::optional<std::chrono::milliseconds> duration) {
                                    showToast(text, kind, duration);
                                },
                                [this] { showAccessibilityAlert(); }});

    InPlaceTriggerActions actions;
    actions.toggleWindow = [this] { toggleWindow(); };
    actions.showAccessibilityAlert = [this] { showAccessibilityAlert(); };
    actions.runInPlace = [this] {
        const std::optional<AppInfo> app = platform_->platform().frontmost.current();
        runner_->runInPlace(Mode::rewrite, std::nullopt, std::nullopt,
                            app && !app->name.isEmpty() ? std::optional(app->name) : std::nullopt);
    };
    auto readSettings = [this] {
        HotKeySettings out;
        out.window = Shortcut{static_cast<quint32>(settings_.hotkeyKeyCode()),
                              static_cast<quint32>(settings_.hotkeyModifiers())};
        out.inPlace = Shortcut{static_cast<quint32>(settings_.inPlaceHotkeyKeyCode()),
                               static_cast<quint32>(settings_.inPlaceHotkeyModifiers())};
        out.inPlaceEnabled = settings_.inPlaceHotkeyEnabled();
        return out;
    };
    bindings_ =
        std::make_unique<HotKeyBindings>(platform_->platform(), std::move(readSettings),
                                         std::move(actions), QCoreApplication::applicationName());
}

Host::~Host() {
    // The bindings and the runner use the platform; they go first.
    delete alert_.data();
    watcher_.reset();
    bindings_.reset();
    runner_.reset();
}

void Host::start() {
    const auto hotkeySettingChanged = [this](const QString& key) {
        if (kHotkeyKeys.contains(key)) {
            registerHotkeys("hotkeys changed");
        }
    };
    connect(&settings_, &SettingsStore::valueChanged, this, hotkeySettingChanged);
    // Until there is a settings window, tessarine-cli config set is how hotkeys change.
    watcher_ = std::make_unique<SettingsWatcher>(settings_);
    connect(watcher_.get(), &SettingsWatcher::changedElsewhere, this, hotkeySettingChanged);
    connect(&settings_, &SettingsStore::hotkeysReset, this,
            [this] { registerHotkeys("hotkeys reset"); });
    registerHotkeys("running");
}

void Host::registerHotkeys(const char* occasion) {
    bindings_->reregister();
    const auto describe = [](int keyCode, int modifiers) {
        return linuxDisplayString(
            Shortcut{static_cast<quint32>(keyCode), static_cast<quint32>(modifiers)});
    };
    const HotKeyManager& window = bindings_->hotkey();
    const HotKeyManager& inPlace = bindings_->inPlaceHotkey();
    // "active": the X server gave us the combination (another program may hold it).
    qCInfo(lcApp, "%s; window hotkey %s active=%d, in-place hotkey %s %s", occasion,
           qUtf8Printable(describe(settings_.hotkeyKeyCode(), settings_.hotkeyModifiers())),
           window.isActive() ? 1 : 0,
           qUtf8Printable(
               describe(settings_.inPlaceHotkeyKeyCode(), settings_.inPlaceHotkeyModifiers())),
           !inPlace.isRegistered() ? "off"
           : inPlace.isActive()    ? "active=1"
                                   : "active=0");
}

void Host::toggleWindow() {
    qCInfo(lcApp, "window hotkey");
    showToast(kWindowPendingMessage, ToastKind::info, kOutcomeToastDuration);
}

void Host::showAccessibilityAlert() {
    qCInfo(lcApp, "desktop control is not available");
    if (alert_) {
        alert_->raise();
        return;
    }
    // Not modal and not exec(): the hotkeys and running requests keep being served meanwhile.
    auto* alert = new QMessageBox(QMessageBox::Information,
                                  linuxText(QStringLiteral("Enable rewriting in any app")),
                                  linuxText(QStringLiteral("Enable rewriting in any app")));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setInformativeText(linuxText(QStringLiteral(
        "Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, "
        "Slack, Notes, or any other app) without copy-paste.\n\nWithout this permission, the "
        "hotkey only opens the Tessarine window.")));
    alert->addButton(QStringLiteral("Not Now"), QMessageBox::RejectRole);
    QPushButton* turnOff =
        alert->addButton(QStringLiteral("Turn Off In-Place Rewrite"), QMessageBox::DestructiveRole);
    connect(turnOff, &QPushButton::clicked, this,
            [this] { settings_.setInPlaceHotkeyEnabled(false); });
    alert_ = alert;
    alert->show();
}

void Host::showToast(const QString& text, ToastKind kind,
                     std::optional<std::chrono::milliseconds> duration) {
    // The log line lets a supervisor (and the end-to-end tests) see what the user was told.
    qCInfo(lcApp, "toast %s: %s", kindName(kind), qUtf8Printable(text));
    ToastPresenter::shared().show(text, presenterKind(kind), duration);
}

}  // namespace ts
