#pragma once

#include <QObject>

namespace ts {

// The four application-wide notifications, as signals on one object instead of string names.
// Who posts and who listens:
//   openPopover            the shell, after bringing the main window up for new input
//                          -> the main window pre-fills an empty editor from the clipboard
//   dismissPopover         the session, 0.45 s after a copy -> the shell closes the main window
//   hotkeyChanged          the shortcut settings, the alert's "Turn Off In-Place Rewrite"
//                          -> the shell registers the hotkeys again
//   selectionButtonChanged the general settings -> the shell re-evaluates the selection detectors
//   hotkeyRecording        a shortcut recorder starts or stops listening -> the shell releases
//                          both global grabs meanwhile, so the current combination is recorded
class AppEvents final : public QObject {
    Q_OBJECT
public:
    static AppEvents& shared();

signals:
    void openPopover();
    void dismissPopover();
    void hotkeyChanged();
    void selectionButtonChanged();
    void hotkeyRecording(bool recording);

private:
    AppEvents() = default;
};

}  // namespace ts
