#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

#include "core/Enums.h"
#include "desktop/ToastSink.h"
#include "desktop/hotkeys/DesktopSession.h"
#include "desktop/platform/Platform.h"
#include "desktop/selection/DragDirection.h"
#include "session/RequestServices.h"

namespace ts {

class AccessibilityAlert;
class AppState;
class AskInputPresenter;
class DesktopNotifications;
class HotKeyBindings;
class InPlaceRunner;
class MainWindow;
class MouseGestureMonitor;
class OllamaWarmer;
class OnboardingView;
class PromptStore;
class RecentApplication;
class SelectionButtonPresenter;
class SelectionObserver;
class ServicesHandler;
class SessionClipboard;
class SettingsWatcher;
class SettingsWindow;
class StyleAnalyzer;
class ThemeController;
class TrayIcon;
class WaylandHotkeys;
struct HotKeySettings;

// The application's owner for the whole run: the review session, both hotkeys and the in-place
// runner, the tray icon and the windows, wired together through AppEvents. The platform is
// handed in, so the same owner runs on the X server, on Wayland and on the in-memory desktop.
class AppDelegate final : public QObject {
    Q_OBJECT
public:
    struct Services {
        Platform platform;
        RequestServices requests;
        PromptStore& prompts;
        WaylandHotkeys* waylandHotkeys = nullptr;  // null outside a Wayland session
    };

    explicit AppDelegate(Services services, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The one delegate of the process; null before it exists and after it is gone.
    static AppDelegate* shared();

    // Tray, main window, hotkeys, observers, onboarding migration, then the first window (the
    // main one only when `showMainWindow`; the first-run window whenever it is due).
    void launch(bool showMainWindow = true);

    void showMainWindow();
    void toggleWindow();
    void openInMode(Mode mode, const QString& text);
    void showSettingsWindow();
    void showOnboarding();
    void replayOnboarding();
    void refreshSelectionObserverState();
    void showAccessibilityAlert();
    // A later launch without arguments: the main window when none is visible.
    void reopen();
    void openURLs(const QStringList& urls);
    // The trigger command's action: "toggle", "rewrite" or "proofread", as the hotkeys do.
    void trigger(const QString& action);
    // The Wayland door changed under the hotkeys: register them again through the new one.
    void hotkeyDoorChanged();
    // The bus's Services calls report through our toasts and open the tone check here.
    void serveServices(ServicesHandler& handler);

    AppState& session() { return *session_; }
    MainWindow& mainWindow() { return *window_; }
    // Null while the first-run window is not open.
    OnboardingView* onboardingWindow() { return onboardingWindow_.get(); }
    SelectionButtonPresenter& selectionStrip() { return *selectionStrip_; }
    AskInputPresenter& askPanel() { return *askPanel_; }

private:
    void registerHotkeys(const char* occasion);
    void finishOnboarding();
    void showUpdateInfo();
    void showToast(const QString& text, ToastKind kind,
                   std::optional<std::chrono::milliseconds> duration);
    void bringToFront(QWidget& window);
    HotKeySettings hotKeySettings() const;
    HotkeyDoor hotkeyDoor() const;
    void onDragEnded(QPoint end, DragDirection direction);
    void onStripMode(Mode mode);
    // With the local runtime, the model starts loading while the user is still busy.
    void warmLocalModel();

    Services services_;
    std::unique_ptr<SessionClipboard> clipboard_;
    std::unique_ptr<InPlaceRunner> runner_;
    std::unique_ptr<AppState> session_;
    std::unique_ptr<HotKeyBindings> bindings_;
    std::unique_ptr<SettingsWatcher> watcher_;
    std::unique_ptr<StyleAnalyzer> style_;
    std::unique_ptr<AccessibilityAlert> alert_;
    std::unique_ptr<ThemeController> theme_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<OnboardingView> onboardingWindow_;
    QPointer<QWidget> updateInfo_;
    DesktopNotifications* notifications_ = nullptr;  // a child, on Wayland sessions
    std::unique_ptr<HotKeySettings> registered_;
    QPointer<ServicesHandler> servicesHandler_;
    std::unique_ptr<SelectionObserver> selectionObserver_;
    std::unique_ptr<MouseGestureMonitor> mouseGestureMonitor_;
    std::unique_ptr<SelectionButtonPresenter> selectionStrip_;
    std::unique_ptr<AskInputPresenter> askPanel_;
    QElapsedTimer lastAXShowAt_;  // invalid: the distant past
    std::unique_ptr<OllamaWarmer> warmer_;
    std::unique_ptr<RecentApplication> recentApp_;
};

}  // namespace ts
