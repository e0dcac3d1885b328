#pragma once

#include <QWidget>

#include "ui/settings/SettingsServices.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace ts {

class ShortcutRecorder;

// The two global hotkeys: recorders, the in-place switch and the reset. Every change tells the
// shell, which grabs the new combination at once; a combination another program holds is
// marked beside its recorder.
class ShortcutTab final : public QWidget {
    Q_OBJECT
public:
    explicit ShortcutTab(const SettingsServices& services, QWidget* parent = nullptr);
    void reload();
    void resetToDefaults();

private:
    void changed();

    SettingsServices services_;
    ShortcutRecorder* window_;
    QLabel* windowGrab_;
    QCheckBox* inPlaceEnabled_;
    ShortcutRecorder* inPlace_;
    QLabel* inPlaceGrab_;
    QLabel* inPlaceLine_;
    QLabel* door_;         // how this desktop delivers the hotkeys (Wayland)
    QLabel* configLines_;  // what to add to the compositor's configuration
    QPushButton* copyLines_;
};

}  // namespace ts
