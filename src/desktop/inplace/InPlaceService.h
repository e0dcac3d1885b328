#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <variant>

#include "desktop/platform/Platform.h"

namespace ts {

// The selection copied out of the frontmost application.
struct CapturedSelection {
    QString text;  // exactly as the clipboard gave it, not trimmed
    std::optional<QString> appName;
    ClipboardSnapshot saved;  // the clipboard before the synthetic copy
    bool terminal = false;    // copied out of a terminal emulator
};

// Copying the selection out of another application and pasting a replacement over it,
// through the clipboard and synthetic keys. Holds nothing but the platform; every wait is a
// timer step bound to a context object, so deleting the context cancels the rest.
class InPlaceService final {
public:
    enum class CaptureError { noSelection, accessibilityDenied, copyFailed, emptyPasteboard };

    using CaptureResult = std::variant<CapturedSelection, CaptureError>;
    using CaptureDone = std::function<void(const CaptureResult&)>;
    // False when no paste keystroke could be sent (the clipboard is restored either way).
    using PasteDone = std::function<void(bool pasted)>;

    static constexpr int kSettleMs = 20;
    static constexpr int kModifierWaitMs = 10;
    // Users often hold a hotkey for half a second or more; a copy sent with Ctrl+Alt+Super
    // still down is no copy. Up to 2 s, and the copy goes the moment they are up.
    static constexpr int kModifierWaits = 200;
    static constexpr int kCopyPollMs = 20;
    static constexpr int kCopyPolls = 30;
    static constexpr int kBeforePasteMs = 40;
    static constexpr int kAfterPasteMs = 180;

    explicit InPlaceService(Platform platform) : platform_(platform) {}

    static QString description(CaptureError error);

    void captureSelection(QObject* context, CaptureDone done) const;
    void pasteReplacing(const QString& text, const ClipboardSnapshot& snapshot, QObject* context,
                        PasteDone done) const;
    ClipboardSnapshot snapshotPasteboard() const { return platform_.clipboard.snapshot(); }
    void restorePasteboard(const ClipboardSnapshot& snapshot) const;

private:
    struct Capture;

    void waitForModifiers(std::shared_ptr<Capture> capture, int waitsLeft) const;
    void copy(std::shared_ptr<Capture> capture) const;
    void pollCopy(std::shared_ptr<Capture> capture, int pollsLeft) const;
    void finishCopy(std::shared_ptr<Capture> capture) const;

    Platform platform_;
};

}  // namespace ts
