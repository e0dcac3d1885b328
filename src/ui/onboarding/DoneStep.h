#pragma once

#include <QWidget>
#include <functional>

#include "desktop/hotkeys/DesktopSession.h"

class QLabel;
class QPushButton;

namespace ts {

class SettingsStore;

// "You're set": both hotkeys as the desktop names them, the command-line road, and the button
// that finishes.
class DoneStep final : public QWidget {
    Q_OBJECT
public:
    // `hotkeyDoor` says how the desktop delivers the hotkeys (X11's grab when empty).
    DoneStep(SettingsStore& settings, std::function<HotkeyDoor()> hotkeyDoor,
             QWidget* parent = nullptr);

    // The stored hotkeys and whether desktop control is there, as of now.
    void refresh(bool desktopControlGranted);
    QWidget* firstFocus() const;

signals:
    void finishRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    SettingsStore& m_settings;
    std::function<HotkeyDoor()> m_hotkeyDoor;
    QLabel* m_door;
    QLabel* m_configLines;
    QLabel* m_windowKeys;
    QLabel* m_inPlaceKeys;
    QLabel* m_needsControl;
    QPushButton* m_start;
};

}  // namespace ts
