#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "desktop/inplace/ToastSink.h"

class QMessageBox;

namespace ts {

class HistoryStore;
class HotKeyBindings;
class InPlaceRunner;
class KeyStore;
class SettingsStore;
class SettingsWatcher;
class X11Platform;

// What the running program owns for its whole life: the desktop platform, the two hotkeys and
// the in-place runner, reporting through the shared toast presenter.
class Host final : public QObject {
    Q_OBJECT
public:
    Host(SettingsStore& settings, KeyStore& keys, HistoryStore& history, QObject* parent = nullptr);
    ~Host() override;

    // Registers the hotkeys from the settings; again whenever a hotkey setting changes.
    void start();

    HotKeyBindings& hotKeys() { return *bindings_; }
    InPlaceRunner& inPlace() { return *runner_; }

private:
    void registerHotkeys(const char* occasion);
    void toggleWindow();
    void showAccessibilityAlert();
    void showToast(const QString& text, ToastKind kind,
                   std::optional<std::chrono::milliseconds> duration);

    SettingsStore& settings_;
    std::unique_ptr<X11Platform> platform_;
    std::unique_ptr<InPlaceRunner> runner_;
    std::unique_ptr<HotKeyBindings> bindings_;
    std::unique_ptr<SettingsWatcher> watcher_;
    QPointer<QMessageBox> alert_;
};

}  // namespace ts
