#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "desktop/ToastSink.h"
#include "desktop/platform/Platform.h"
#include "session/RequestServices.h"

class QMessageBox;

namespace ts {

class AppState;
class HotKeyBindings;
class InPlaceRunner;
class SessionClipboard;
class SettingsWatcher;

// What the running program owns for its whole life: the review session, the two hotkeys and
// the in-place runner behind it, reporting through the shared toast presenter. The platform is
// handed in, so the same owner runs on the X server and on the in-memory desktop of the tests.
class Host final : public QObject {
    Q_OBJECT
public:
    Host(Platform platform, RequestServices requests, QObject* parent = nullptr);
    ~Host() override;

    // Registers the hotkeys from the settings, and again whenever they change.
    void start();

    AppState& session() { return *session_; }
    HotKeyBindings& hotKeys() { return *bindings_; }
    InPlaceRunner& inPlace() { return *runner_; }

private:
    void registerHotkeys(const char* occasion);
    void toggleWindow();
    void showAccessibilityAlert();
    void showToast(const QString& text, ToastKind kind,
                   std::optional<std::chrono::milliseconds> duration);

    Platform platform_;
    RequestServices requests_;
    std::unique_ptr<SessionClipboard> clipboard_;
    std::unique_ptr<InPlaceRunner> runner_;
    std::unique_ptr<AppState> session_;
    std::unique_ptr<HotKeyBindings> bindings_;
    std::unique_ptr<SettingsWatcher> watcher_;
    QPointer<QMessageBox> alert_;
};

}  // namespace ts
