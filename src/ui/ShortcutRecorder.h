#pragma once

#include <QPushButton>

#include "desktop/hotkeys/Shortcut.h"

class QLabel;

namespace ts {

// The settings control that captures a shortcut from one key press. While recording it takes
// every key press of this application's windows for itself.
class ShortcutRecorder final : public QPushButton {
    Q_OBJECT
public:
    explicit ShortcutRecorder(QWidget* parent = nullptr);
    ~ShortcutRecorder() override;

    Shortcut shortcut() const { return shortcut_; }
    void setShortcut(const Shortcut& shortcut);
    bool isRecording() const { return recording_; }

    QString shortcutText() const;
    QString captionText() const;

signals:
    // A new shortcut was recorded and stored (not sent by setShortcut).
    void shortcutChanged(const ts::Shortcut& shortcut);
    // While it records, the global grabs must let the current combination through to it.
    void recordingChanged(bool recording);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void toggleRecording();
    void startRecording();
    void stopRecording();
    void refresh();

    Shortcut shortcut_;
    bool recording_ = false;
    QLabel* keys_;
    QLabel* caption_;
};

}  // namespace ts
