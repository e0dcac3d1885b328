#pragma once

#include <QObject>
#include <QPointer>

class QMessageBox;

namespace ts {

class DesktopControl;
class SettingsStore;

// Explains that rewriting in other apps needs desktop control, offers to check again, and to
// turn the in-place hotkey off. Not modal: hotkeys and requests keep being served meanwhile.
class AccessibilityAlert final : public QObject {
    Q_OBJECT
public:
    AccessibilityAlert(SettingsStore& settings, DesktopControl& desktopControl,
                       QObject* parent = nullptr);
    ~AccessibilityAlert() override;

    // Raises the alert when it is shown already.
    void show();
    bool isVisible() const;

private:
    void checkAgain();
    void turnOffInPlace();

    SettingsStore& settings_;
    DesktopControl& desktopControl_;
    QPointer<QMessageBox> alert_;
    QPointer<QMessageBox> answer_;
};

}  // namespace ts
