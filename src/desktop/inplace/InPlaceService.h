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
    ClipboardSnapshot saved;        // the clipboard before the synthetic copy
    bool terminal = false;          // copied out of a terminal emulator
    std::optional<AppInfo> source;  // the window it was copied from
};

// Copying the selection out of another application and pasting a replacement over it,
// through the clipboard and synthetic keys. Holds nothing but the platform; every wait is a
// timer step bound to a context object, so deleting the context cancels the rest.
class InPlaceService final {
public:
    enum class CaptureError { noSelection, accessibilityDenied, copyFailed, emptyPasteboard };

    using CaptureResult = std::variant<CapturedSelection, CaptureError>;
    using CaptureDone = std::function<void(const CaptureResult&)>;
    // The clipboard is given back whatever the result.
    enum class PasteResult { pasted, noKeystroke, notRead, windowChanged };
    using PasteDone = std::function<void(PasteResult result)>;

    static constexpr int kSettleMs = 20;
    static constexpr int kModifierWaitMs = 10;
    // Users often hold a hotkey for half a second or more; a copy sent with Ctrl+Alt+Super
    // still down is no copy. Up to 2 s, and the copy goes the moment they are up.
    static constexpr int kModifierWaits = 200;
    // A busy desktop may take its time over a copy, and may drop a keystroke that arrives while
    // it is still busy with the hotkey: the copy is sent once more halfway through.
    static constexpr int kCopyPollMs = 20;
    static constexpr int kCopyPolls = 75;
    static constexpr int kBeforePasteMs = 40;
    // The paste is confirmed the moment the target reads our text (the polls only bound the
    // wait); the clipboard is given back a moment later. Some targets (an office suite with a rich
    // clipboard) first ask for other formats and read the text only seconds later; one that reads
    // nothing did not paste.
    static constexpr int kReadPollMs = 20;
    static constexpr int kReadBoundMs = 4000;
    static constexpr int kAfterReadMs = 10;
    // How long a source window that lost the focus may take to be active again.
    static constexpr int kReactivatePollMs = 20;
    static constexpr int kReactivatePolls = 15;

    explicit InPlaceService(Platform platform) : platform_(platform) {}

    static QString description(CaptureError error);

    void captureSelection(QObject* context, CaptureDone done) const;
    // Pastes into `source` only: a window that lost the focus meanwhile is activated again
    // first, and one that cannot be (closed, or kept from the focus) gets nothing.
    void pasteReplacing(const QString& text, const ClipboardSnapshot& snapshot,
                        const std::optional<AppInfo>& source, QObject* context,
                        PasteDone done) const;
    ClipboardSnapshot snapshotPasteboard() const { return platform_.clipboard.snapshot(); }
    void restorePasteboard(const ClipboardSnapshot& snapshot) const;

private:
    struct Capture;
    struct PasteWait;

    void waitForModifiers(std::shared_ptr<Capture> capture, int waitsLeft) const;
    void copy(std::shared_ptr<Capture> capture) const;
    void pollCopy(std::shared_ptr<Capture> capture, int pollsLeft) const;
    void finishCopy(std::shared_ptr<Capture> capture) const;
    void waitForSource(const QString& text, const ClipboardSnapshot& snapshot, quint64 window,
                       QPointer<QObject> context, PasteDone done, int pollsLeft) const;
    void paste(const QString& text, const ClipboardSnapshot& snapshot, QObject* context,
               PasteDone done) const;
    void pollRead(std::shared_ptr<PasteWait> wait, int pollsLeft) const;
    void confirmRead(std::shared_ptr<PasteWait> wait) const;
    void giveBack(const QString& text, const ClipboardSnapshot& snapshot) const;

    Platform platform_;
};

}  // namespace ts
