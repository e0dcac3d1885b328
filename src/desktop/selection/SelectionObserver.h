#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>
#include <optional>

#include "desktop/platform/DesktopControl.h"
#include "desktop/platform/FrontmostApp.h"

namespace ts {

class AccessibleSelection;
class PrimarySelection;

// Follows the frontmost application and, 80 ms after its selection last changed, reads where
// the selected text is on screen. Reports through signals; whoever owns the strip acts on them.
class SelectionObserver final : public QObject {
    Q_OBJECT
public:
    static constexpr int kDebounceMs = 80;

    SelectionObserver(FrontmostApp& frontmost, PrimarySelection& primary,
                      AccessibleSelection& accessible, const DesktopControl& control, qint64 ownPid,
                      QObject* parent = nullptr);
    ~SelectionObserver() override;

    void start();
    void stop();
    bool isRunning() const { return running_; }
    // The application whose selection is watched; none for this process, suppressed ones and
    // while stopped.
    std::optional<qint64> observedPid() const { return observedPid_; }

    // Leaves the previous application and watches this one (when allowed).
    void switchTo(const AppInfo& app);

signals:
    // Global, top left origin, never empty.
    void boundsFound(QRect bounds);
    // The strip should go: the selection is gone or another application came to the front.
    void selectionCleared();

private:
    void onFrontmostChanged();
    void onSelectionChanged();
    void check();
    void detach();

    FrontmostApp& frontmost_;
    PrimarySelection& primary_;
    AccessibleSelection& accessible_;
    const DesktopControl& control_;
    const qint64 ownPid_;
    std::optional<qint64> observedPid_;
    std::optional<qint64> frontPid_;  // the application last switched to, attached or not
    QTimer debounce_;
    bool running_ = false;
};

}  // namespace ts
