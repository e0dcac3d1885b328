#include "app/Host.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include "desktop/PlatformTexts.h"
#include "desktop/SessionClipboard.h"
#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "session/AppState.h"
#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"
#include "ui/toast/ToastPresenter.h"

Q_LOGGING_CATEGORY(lcApp, "tessarine.app")

namespace ts {

namespace {

const QString kWindowPendingMessage =
    QStringLiteral("Tessarine is running. The main window arrives in a later version.");

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

}  // namespace

Host::Host(Platform platform, RequestServices requests, QObject* parent)
    : QObject(parent),
      platform_(platform),
      requests_(std::move(requests)),
      clipboard_(std::make_unique<SessionClipboard>(platform_.clipboard)) {
    runner_ = std::make_unique<InPlaceRunner>(
        InPlaceRunner::Services{platform_, requests_,
                                [this](const QString& text, ToastKind kind,
                                       std::optional<std::chrono::milliseconds> duration) {
                                    showToast(text, kind, duration);
                                },
                                [this] { showAccessibilityAlert(); }});
    session_ = std::make_unique<AppState>(AppState::Services{
        requests_, *clipboard_,
        [this](Mode mode, const std::optional<QString>& instruction,
               const std::optional<QString>& text, const std::optional<QString>& appName) {
            runner_->runInPlace(mode, instruction, text, appName);
        }});

    InPlaceTriggerActions actions;
    actions.toggleWindow = [this] { toggleWindow(); };
    actions.showAccessibilityAlert = [this] { showAccessibilityAlert(); };
    actions.runInPlace = [this] {
        const std::optional<AppInfo> app = platform_.frontmost.current();
        session_->runInPlace(Mode::rewrite, std::nullopt, std::nullopt,
                             app && !app->name.isEmpty() ? std::optional(app->name) : std::nullopt);
    };
    SettingsStore& settings = requests_.settings;
    auto readSettings = [&settings] {
        HotKeySettings out;
        out.window = Shortcut{static_cast<quint32>(settings.hotkeyKeyCode()),
                              static_cast<quint32>(settings.hotkeyModifiers())};
        out.inPlace = Shortcut{static_cast<quint32>(settings.inPlaceHotkeyKeyCode()),
                               static_cast<quint32>(settings.inPlaceHotkeyModifiers())};
        out.inPlaceEnabled = settings.inPlaceHotkeyEnabled();
        return out;
    };
    bindings_ =
        std::make_unique<HotKeyBindings>(platform_, std::move(readSettings), std::move(actions),
                                         QCoreApplication::applicationName());
}

Host::~Host() {
    // Everything below uses the platform and the session; they go first, in reverse order.
    delete alert_.data();
    watcher_.reset();
    bindings_.reset();
    session_.reset();
    runner_.reset();
}

void Host::start() {
    connect(&requests_.settings, &SettingsStore::hotkeysChanged, this,
            [this] { registerHotkeys("hotkeys changed"); });
    // Until there is a settings window, tessarine-cli config set is how hotkeys change.
    watcher_ = std::make_unique<SettingsWatcher>(requests_.settings);
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
           qUtf8Printable(
               describe(requests_.settings.hotkeyKeyCode(), requests_.settings.hotkeyModifiers())),
           window.isActive() ? 1 : 0,
           qUtf8Printable(describe(requests_.settings.inPlaceHotkeyKeyCode(),
                                   requests_.settings.inPlaceHotkeyModifiers())),
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
            [this] { requests_.settings.setInPlaceHotkeyEnabled(false); });
    alert_ = alert;
    alert->show();
}

void Host::showToast(const QString& text, ToastKind kind,
                     std::optional<std::chrono::milliseconds> duration) {
    // The log line lets a supervisor (and the end-to-end tests) see what the user was told.
    qCInfo(lcApp, "toast %s: %s", kindName(kind), qUtf8Printable(text));
    ToastPresenter::shared().show(text, kind, duration);
}

}  // namespace ts
