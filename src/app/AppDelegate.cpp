#include "app/AppDelegate.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/AccessibilityAlert.h"
#include "app/AppLogging.h"
#include "app/TrayIcon.h"
#include "app/WindowFrame.h"
#include "desktop/RecentApplication.h"
#include "desktop/SessionClipboard.h"
#include "desktop/hotkeys/DesktopSession.h"
#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/hotkeys/WaylandHotkeys.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/selection/FocusedSelectionReader.h"
#include "desktop/selection/MouseGestureMonitor.h"
#include "desktop/selection/SelectionObserver.h"
#include "desktop/selection/SuppressedApps.h"
#include "desktop/services/ServicesHandler.h"
#include "desktop/services/UrlActionRunner.h"
#include "providers/OllamaInstaller.h"
#include "providers/OllamaWarmer.h"
#include "session/AppEvents.h"
#include "session/AppState.h"
#include "session/ModelWarmup.h"
#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"
#include "store/StyleAnalyzer.h"
#include "ui/main/MainWindow.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/selection/AskInputPresenter.h"
#include "ui/selection/SelectionButtonPresenter.h"
#include "ui/selection/StripPlacement.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/settings/ShortcutTab.h"
#include "ui/theme/ThemeController.h"
#include "ui/toast/DesktopNotifications.h"
#include "ui/toast/ToastPresenter.h"

namespace ts {

namespace {

AppDelegate* g_shared = nullptr;

constexpr QSize kOnboardingSize{560, 520};

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

QString describe(const Shortcut& shortcut) {
    return linuxDisplayString(shortcut);
}

bool sameSettings(const HotKeySettings& a, const HotKeySettings& b) {
    return a.window == b.window && a.inPlace == b.inPlace && a.inPlaceEnabled == b.inPlaceEnabled;
}

}  // namespace

AppDelegate::AppDelegate(Services services, QObject* parent)
    : QObject(parent),
      services_(std::move(services)),
      clipboard_(std::make_unique<SessionClipboard>(services_.platform.clipboard)) {
    g_shared = this;
    Platform& platform = services_.platform;
    SettingsStore& settings = services_.requests.settings;
    alert_ = std::make_unique<AccessibilityAlert>(settings, platform.desktopControl);
    runner_ = std::make_unique<InPlaceRunner>(
        InPlaceRunner::Services{platform, services_.requests,
                                [this](const QString& text, ToastKind kind,
                                       std::optional<std::chrono::milliseconds> duration) {
                                    showToast(text, kind, duration);
                                },
                                [this] { showAccessibilityAlert(); }});
    session_ = std::make_unique<AppState>(AppState::Services{
        services_.requests, *clipboard_,
        [this](Mode mode, const std::optional<QString>& instruction,
               const std::optional<QString>& text, const std::optional<QString>& appName) {
            runner_->runInPlace(mode, instruction, text, appName);
        }});

    InPlaceTriggerActions actions;
    actions.toggleWindow = [this] { toggleWindow(); };
    actions.showAccessibilityAlert = [this] { showAccessibilityAlert(); };
    actions.runInPlace = [this](Mode mode) {
        warmLocalModel();
        const std::optional<AppInfo> app = services_.platform.frontmost.current();
        session_->runInPlace(mode, std::nullopt, std::nullopt,
                             app && !app->name.isEmpty() ? std::optional(app->name) : std::nullopt);
    };
    bindings_ = std::make_unique<HotKeyBindings>(
        platform, [this] { return hotKeySettings(); }, std::move(actions),
        QCoreApplication::applicationName());
    style_ = std::make_unique<StyleAnalyzer>(settings, services_.requests.history());
    warmer_ = std::make_unique<OllamaWarmer>();
    recentApp_ =
        std::make_unique<RecentApplication>(platform.frontmost, QCoreApplication::applicationPid());

    // The selection strip: both detectors feed it; nothing runs before the first refresh.
    selectionObserver_ = std::make_unique<SelectionObserver>(
        platform.frontmost, platform.primary, platform.accessible, platform.desktopControl,
        QCoreApplication::applicationPid());
    mouseGestureMonitor_ = std::make_unique<MouseGestureMonitor>(platform.input);
    selectionStrip_ = std::make_unique<SelectionButtonPresenter>(platform.input, platform.screens);
    askPanel_ = std::make_unique<AskInputPresenter>(AskInputPresenter::Services{
        platform.input, platform.screens, platform.frontmost, services_.prompts});
    connect(selectionObserver_.get(), &SelectionObserver::boundsFound, this,
            [this](const QRect& bounds) {
                lastAXShowAt_.start();
                selectionStrip_->showAtSelection(bounds);
            });
    connect(selectionObserver_.get(), &SelectionObserver::selectionCleared, selectionStrip_.get(),
            &SelectionButtonPresenter::hide);
    connect(mouseGestureMonitor_.get(), &MouseGestureMonitor::dragEnded, this,
            &AppDelegate::onDragEnded);
    connect(selectionStrip_.get(), &SelectionButtonPresenter::modeChosen, this,
            &AppDelegate::onStripMode);
    connect(askPanel_.get(), &AskInputPresenter::submitted, this,
            [this](const QString& instruction, const QString& text, const QString& appName,
                   qint64 sourcePid) {
                runner_->runInPlace(Mode::ask, instruction, text,
                                    appName.isEmpty() ? std::nullopt : std::optional(appName),
                                    sourcePid);
            });
}

AppDelegate::~AppDelegate() {
    if (servicesHandler_) {
        servicesHandler_->setHooks({});
    }
    // The detectors and their panels hold the platform's input monitor: released first.
    if (selectionObserver_) {
        selectionObserver_->stop();
    }
    askPanel_.reset();
    selectionStrip_.reset();
    mouseGestureMonitor_.reset();
    selectionObserver_.reset();
    // Windows first: they show the session; the session and hotkeys go before the platform.
    onboardingWindow_.reset();
    settingsWindow_.reset();
    window_.reset();
    tray_.reset();
    theme_.reset();
    alert_.reset();
    watcher_.reset();
    bindings_.reset();
    session_.reset();
    runner_.reset();
    // A model kept loaded while Tessarine runs is let go with it.
    warmer_->releaseHeld();
    if (g_shared == this) {
        g_shared = nullptr;
    }
}

AppDelegate* AppDelegate::shared() {
    return g_shared;
}

void AppDelegate::launch(bool showMainWindow) {
    SettingsStore& settings = services_.requests.settings;
    AppEvents& events = AppEvents::shared();
    // Before any window, so each is built in the current colour scheme.
    theme_ = std::make_unique<ThemeController>(settings);

    // 1. The tray icon.
    tray_ = std::make_unique<TrayIcon>();
    connect(tray_.get(), &TrayIcon::toggleWindowRequested, this, &AppDelegate::toggleWindow);
    connect(tray_.get(), &TrayIcon::openRequested, this, &AppDelegate::showMainWindow);
    connect(tray_.get(), &TrayIcon::updatesRequested, this, &AppDelegate::showUpdateInfo);
    connect(tray_.get(), &TrayIcon::settingsRequested, this, &AppDelegate::showSettingsWindow);
    connect(tray_.get(), &TrayIcon::quitRequested, qApp, &QCoreApplication::quit);
    if (TrayIcon::isAvailable()) {
        qCInfo(lcApp, "system tray available: a left click on the icon toggles the window");
    } else {
        qCInfo(lcApp,
               "no system tray: the window opens at launch and again with the window hotkey (on "
               "X11) or by starting tessarine once more; closing it keeps Tessarine running");
    }

    // 2. The main window, not shown yet.
    window_ = std::make_unique<MainWindow>(
        MainWindow::Services{*session_, services_.prompts, style_.get()});
    new WindowFrame(*window_, QString::fromLatin1(MainWindow::kFrameName),
                    QSize(MainWindow::kWidth, MainWindow::kHeight), settings);
    connect(window_.get(), &MainWindow::settingsRequested, this, &AppDelegate::showSettingsWindow);
    connect(window_.get(), &MainWindow::keySetupRequested, this, [this] {
        showSettingsWindow();
        settingsWindow_->showKeyField();
    });

    // 3. The hotkeys, again whenever they change (here or in another process).
    if (!services_.platform.desktopControl.available()) {
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            qCInfo(lcApp,
                   "no desktop control (the X server lacks XTEST or XInput 2): the in-place "
                   "hotkey explains what is missing");
        } else {
            qCInfo(lcApp,
                   "no desktop control (Qt platform %s, not X11): the global hotkeys and the "
                   "in-place rewrite are unavailable",
                   qUtf8Printable(QGuiApplication::platformName()));
        }
    }
    registerHotkeys("running");
    connect(&events, &AppEvents::hotkeyChanged, this,
            [this] { registerHotkeys("hotkeys changed"); });
    connect(&settings, &SettingsStore::hotkeysChanged, this,
            [this] { registerHotkeys("hotkeys changed"); });
    connect(&events, &AppEvents::hotkeyRecording, this, [this](bool recording) {
        if (!recording) {
            registerHotkeys("recording ended");
            return;
        }
        bindings_->hotkey().unregisterHotKey();
        bindings_->inPlaceHotkey().unregisterHotKey();
        registered_.reset();
        qCInfo(lcApp, "hotkeys released while a shortcut is recorded");
    });
    watcher_ = std::make_unique<SettingsWatcher>(settings);

    // 4. A copy in the main window closes it.
    connect(&events, &AppEvents::dismissPopover, window_.get(), &QWidget::close);

    // 5. The desktop's Services entries: served on the bus from serveServices().

    // 6. The selection detectors.
    refreshSelectionObserverState();
    connect(&events, &AppEvents::selectionButtonChanged, this,
            &AppDelegate::refreshSelectionObserverState, Qt::QueuedConnection);
    connect(&settings, &SettingsStore::selectionButtonChanged, this,
            &AppDelegate::refreshSelectionObserverState, Qt::QueuedConnection);

    // 7. Users who had a key (or the local provider) before skip the first-run flow.
    settings.runOnboardingMigration(services_.requests.keys);

    // 8. The first window.
    if (!settings.hasCompletedOnboarding()) {
        showOnboarding();
    } else if (showMainWindow) {
        this->showMainWindow();
    }
}

void AppDelegate::showMainWindow() {
    session_->resetUnlessDraft();
    session_->cancelPendingDismiss();
    bringToFront(*window_);
    emit AppEvents::shared().openPopover();
    warmLocalModel();
}

void AppDelegate::toggleWindow() {
    if (window_->isVisible() && window_->isActiveWindow()) {
        window_->close();
        return;
    }
    showMainWindow();
}

void AppDelegate::openInMode(Mode mode, const QString& text) {
    session_->reset();
    session_->setMode(mode);
    if (mode == Mode::reply) {
        session_->setReplyReceived(text);
    } else {
        session_->setText(text);
    }
    bringToFront(*window_);
}

void AppDelegate::showSettingsWindow() {
    if (!settingsWindow_) {
        const auto grabState = [this](bool inPlace) {
            const WaylandHotkeys* wayland = services_.waylandHotkeys;
            if (wayland == nullptr && QGuiApplication::platformName() != QLatin1String("xcb")) {
                return GrabState::unavailable;
            }
            if (wayland != nullptr && wayland->mechanism() == HotkeyMechanism::none) {
                return GrabState::unavailable;
            }
            const HotKeyManager& manager =
                inPlace ? bindings_->inPlaceHotkey() : bindings_->hotkey();
            if (!manager.isRegistered()) {
                return GrabState::off;
            }
            return manager.isActive() ? GrabState::active : GrabState::heldElsewhere;
        };
        settingsWindow_ = std::make_unique<SettingsWindow>(SettingsServices{
            services_.requests.settings, services_.requests.keys, services_.prompts, *style_,
            services_.requests.buildProvider,
            [this] { return services_.platform.desktopControl.available(); }, grabState,
            [this] { showAccessibilityAlert(); }, [this] { replayOnboarding(); }, watcher_.get(),
            QString(), QString(), [this] { return recentApp_->name(); },
            [this] { return hotkeyDoor(); }});
        new WindowFrame(*settingsWindow_, QString::fromLatin1(SettingsWindow::kFrameName),
                        QSize(SettingsWindow::kWidth, SettingsWindow::kHeight),
                        services_.requests.settings);
    }
    bringToFront(*settingsWindow_);
}

void AppDelegate::showOnboarding() {
    if (!onboardingWindow_) {
        SettingsStore& settings = services_.requests.settings;
        OllamaInstaller& ollama = OllamaInstaller::shared();
        ollama.setBaseURLSource([&settings] { return settings.ollamaBaseURL(); });
        onboardingWindow_ = std::make_unique<OnboardingView>(
            OnboardingServices{services_.requests,
                               ollama,
                               services_.platform.desktopControl,
                               [this] { showAccessibilityAlert(); },
                               {},
                               [this] { return hotkeyDoor(); }});
        WindowFrame::centre(*onboardingWindow_, kOnboardingSize);
        connect(onboardingWindow_.get(), &OnboardingView::finished, this,
                &AppDelegate::finishOnboarding);
    }
    qCInfo(lcApp, "onboarding shown");
    bringToFront(*onboardingWindow_);
}

void AppDelegate::finishOnboarding() {
    services_.requests.settings.setHasCompletedOnboarding(true);
    if (onboardingWindow_) {
        onboardingWindow_->close();
        // Its own button's signal is running.
        onboardingWindow_.release()->deleteLater();
    }
    qCInfo(lcApp, "onboarding finished");
    showMainWindow();
}

void AppDelegate::replayOnboarding() {
    services_.requests.settings.setHasCompletedOnboarding(false);
    window_->close();
    if (settingsWindow_) {
        settingsWindow_->close();
    }
    showOnboarding();
}

void AppDelegate::refreshSelectionObserverState() {
    const bool enabled = services_.requests.settings.selectionButtonEnabled();
    const bool granted = services_.platform.desktopControl.available();
    qCInfo(lcApp, "refreshSelectionObserverState enabled=%d axGranted=%d", enabled ? 1 : 0,
           granted ? 1 : 0);
    if (enabled && granted) {
        // The observer's start line is the sign both detectors listen: the drag monitor first.
        mouseGestureMonitor_->start();
        selectionObserver_->start();
    } else {
        selectionObserver_->stop();
        mouseGestureMonitor_->stop();
        selectionStrip_->hide();
    }
}

void AppDelegate::onDragEnded(QPoint end, DragDirection direction) {
    // The observer placed the strip at the selection itself a moment ago.
    if (lastAXShowAt_.isValid() && lastAXShowAt_.elapsed() < 500) {
        return;
    }
    const Platform& platform = services_.platform;
    const std::optional<AppInfo> app = platform.frontmost.current();
    if (!app || app->pid == QCoreApplication::applicationPid() ||
        isSuppressedApp(app->windowClass)) {
        return;
    }
    if (!hasEditableSelection(platform.accessible, platform.primary, app->pid)) {
        return;
    }
    qCInfo(lcApp, "mouse-gesture fallback in %s at (%d, %d) (%s)",
           app->windowClass.isEmpty() ? "?" : qUtf8Printable(app->windowClass), end.x(), end.y(),
           direction == DragDirection::upward ? "up" : "down");
    selectionStrip_->showAtPoint(end, direction);
}

void AppDelegate::onStripMode(Mode mode) {
    selectionStrip_->hide();
    warmLocalModel();
    const Platform& platform = services_.platform;
    if (!platform.desktopControl.available()) {
        showAccessibilityAlert();
        return;
    }
    const std::optional<AppInfo> app = platform.frontmost.current();
    if (mode != Mode::ask) {
        session_->runInPlace(mode, std::nullopt, std::nullopt,
                             app && !app->name.isEmpty() ? std::optional(app->name) : std::nullopt);
        return;
    }
    if (app && app->pid == QCoreApplication::applicationPid()) {
        return;
    }
    const std::optional<FocusedSelection> selection =
        app ? focusedSelectionOf(platform.accessible, platform.primary, app->pid) : std::nullopt;
    if (!selection || selection->text.isEmpty()) {
        openInMode(Mode::ask, QString());
        return;
    }
    const std::optional<QRect> strip = selectionStrip_->frame();
    const QPoint anchor =
        strip ? placement::anchorOfStrip(strip->topLeft()) : platform.screens.pointer();
    askPanel_->show(selection->text, app->name, app->pid, anchor);
}

void AppDelegate::warmLocalModel() {
    if (const std::optional<OllamaWarmer::Target> target =
            localModelToWarm(services_.requests.settings)) {
        warmer_->warm(*target);
    }
}

void AppDelegate::showAccessibilityAlert() {
    alert_->show();
}

void AppDelegate::reopen() {
    qCInfo(lcApp, "reopen");
    for (QWidget* window :
         {static_cast<QWidget*>(onboardingWindow_.get()), static_cast<QWidget*>(window_.get()),
          static_cast<QWidget*>(settingsWindow_.get())}) {
        if (window != nullptr && window->isVisible()) {
            bringToFront(*window);
            return;
        }
    }
    showMainWindow();
}

void AppDelegate::openURLs(const QStringList& urls) {
    const UrlActionTargets targets{*session_, services_.prompts,
                                   [this] {
                                       session_->cancelPendingDismiss();
                                       bringToFront(*window_);
                                   },
                                   [] { emit AppEvents::shared().openPopover(); }};
    for (const QString& url : urls) {
        // The query holds the user's text: the log names the action only.
        qCInfo(lcApp, "open URL tessarine://%s",
               qUtf8Printable(QUrl(url).host().isEmpty() ? QUrl(url).path() : QUrl(url).host()));
        carryOut(parseUrlSchemeAction(url), targets);
    }
}

void AppDelegate::trigger(const QString& action) {
    qCInfo(lcApp, "trigger %s", qUtf8Printable(action));
    if (action == QLatin1String("toggle")) {
        bindings_->trigger(kWindowHotKeyId);
    } else {
        bindings_->trigger(kInPlaceHotKeyId,
                           action == QLatin1String("proofread") ? Mode::proofread : Mode::rewrite);
    }
}

void AppDelegate::hotkeyDoorChanged() {
    registered_.reset();
    registerHotkeys("hotkey door changed");
    if (settingsWindow_) {
        settingsWindow_->shortcutTab().reload();
    }
}

HotkeyDoor AppDelegate::hotkeyDoor() const {
    HotkeyDoor door;
    if (const WaylandHotkeys* wayland = services_.waylandHotkeys) {
        door.mechanism = wayland->mechanism();
        door.configLines = wayland->configLines();
    } else {
        door.mechanism = QGuiApplication::platformName() == QLatin1String("xcb")
                             ? HotkeyMechanism::x11Grab
                             : HotkeyMechanism::none;
    }
    return door;
}

void AppDelegate::serveServices(ServicesHandler& handler) {
    servicesHandler_ = &handler;
    handler.setHooks(
        ServicesHandler::Hooks{[this](const QString& text, ToastKind kind,
                                      std::optional<std::chrono::milliseconds> duration) {
                                   showToast(text, kind, duration);
                               },
                               [this](const QString& text) { openInMode(Mode::toneCheck, text); }});
    qCInfo(lcApp, "services provider: %s on the session bus", ServicesHandler::kInterface);
}

void AppDelegate::registerHotkeys(const char* occasion) {
    const HotKeySettings wanted = hotKeySettings();
    // The same settings announced twice (the store and the alert both say so) keep the grabs.
    if (registered_ && sameSettings(*registered_, wanted) && bindings_->hotkey().isActive() &&
        (!wanted.inPlaceEnabled || bindings_->inPlaceHotkey().isActive())) {
        return;
    }
    bindings_->reregister();
    registered_ = std::make_unique<HotKeySettings>(wanted);
    const HotKeyManager& window = bindings_->hotkey();
    const HotKeyManager& inPlace = bindings_->inPlaceHotkey();
    // "active": the desktop gave us the combination (another program may hold it).
    qCInfo(lcApp, "%s; window hotkey %s active=%d, in-place hotkey %s %s", occasion,
           qUtf8Printable(describe(wanted.window)), window.isActive() ? 1 : 0,
           qUtf8Printable(describe(wanted.inPlace)),
           !inPlace.isRegistered() ? "off"
           : inPlace.isActive()    ? "active=1"
                                   : "active=0");
}

HotKeySettings AppDelegate::hotKeySettings() const {
    const SettingsStore& settings = services_.requests.settings;
    HotKeySettings out;
    out.window = Shortcut{static_cast<quint32>(settings.hotkeyKeyCode()),
                          static_cast<quint32>(settings.hotkeyModifiers())};
    out.inPlace = Shortcut{static_cast<quint32>(settings.inPlaceHotkeyKeyCode()),
                           static_cast<quint32>(settings.inPlaceHotkeyModifiers())};
    out.inPlaceEnabled = settings.inPlaceHotkeyEnabled();
    return out;
}

void AppDelegate::showUpdateInfo() {
    if (updateInfo_) {
        bringToFront(*updateInfo_);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Information, tr("Check for Updates"),
                                tr("Your package manager keeps Tessarine up to date."));
    box->setInformativeText(
        tr("A copy built from source is updated with git pull and make install."));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    updateInfo_ = box;
    bringToFront(*box);
}

void AppDelegate::showToast(const QString& text, ToastKind kind,
                            std::optional<std::chrono::milliseconds> duration) {
    // The log line lets a supervisor (and the end-to-end tests) see what the user was told.
    qCInfo(lcApp, "toast %s: %s", kindName(kind), qUtf8Printable(text));
    if (detectSession().type == SessionType::wayland && DesktopNotifications::serverAvailable()) {
        if (!notifications_) {
            notifications_ = new DesktopNotifications(this);
        }
        notifications_->show(text, kind, duration);
        return;
    }
    ToastPresenter::shared().show(text, kind, duration);
}

void AppDelegate::bringToFront(QWidget& window) {
    if (window.isMinimized()) {
        window.showNormal();
    } else {
        window.show();
    }
    window.raise();
    window.activateWindow();
}

}  // namespace ts
