#include "desktop/inplace/InPlaceService.h"

#include <QCoreApplication>

#include <QTimer>
#include <memory>

#include "desktop/inplace/InPlaceLogging.h"
#include "desktop/platform/ClipboardChords.h"

namespace ts {

struct InPlaceService::Capture {
    QPointer<QObject> context;
    CaptureDone done;
    std::optional<QString> appName;
    bool terminal = false;
    std::optional<AppInfo> source;
    KeyChord copyChord;
    ClipboardSnapshot saved;
    quint64 countBefore = 0;
    QMetaObject::Connection onChange;  // the clipboard's own change notice during the copy
    bool finished = false;

    // At most once, whichever of the notice and the polls comes first.
    void finish(const CaptureResult& result) {
        if (finished) {
            return;
        }
        finished = true;
        QObject::disconnect(onChange);
        if (context && done) {
            done(result);
        }
    }
};

// The wait for the target's read of the answer, settled once by the read or the bound.
struct InPlaceService::PasteWait {
    QString text;
    ClipboardSnapshot snapshot;
    quint64 readsBefore = 0;
    QPointer<QObject> context;
    PasteDone done;
    QMetaObject::Connection onRead;
    bool settled = false;

    void settle() {
        settled = true;
        QObject::disconnect(onRead);
    }
};

QString InPlaceService::description(CaptureError error) {
    switch (error) {
        case CaptureError::noSelection:
            return QCoreApplication::translate("ts::InPlaceService",
                                               "Nothing selected in the frontmost app.");
        case CaptureError::accessibilityDenied:
            return QCoreApplication::translate("ts::InPlaceService",
                                               "Tessarine needs Accessibility permission.");
        case CaptureError::copyFailed:
            return QCoreApplication::translate(
                "ts::InPlaceService",
                "Copy didn't fire. Select some text, then press the hotkey again.");
        case CaptureError::emptyPasteboard:
            return QCoreApplication::translate("ts::InPlaceService",
                                               "The app didn't produce text to rewrite.");
    }
    return {};
}

void InPlaceService::captureSelection(QObject* context, CaptureDone done) const {
    auto capture = std::make_shared<Capture>();
    capture->context = context;
    capture->done = std::move(done);
    if (!platform_.desktopControl.copyPaste()) {
        capture->finish(CaptureError::accessibilityDenied);
        return;
    }
    const std::optional<AppInfo> app = platform_.frontmost.current();
    if (app && !app->name.isEmpty()) {
        capture->appName = app->name;
    }
    capture->terminal = app && isTerminal(app->windowClass);
    capture->source = app;
    const std::optional<KeyChord> chord =
        clipboardChord(ClipboardCommand::copy, app ? app->windowClass : QString());
    if (!chord) {
        // Any copy keystroke this terminal knows would interrupt the program running in it.
        qCInfo(lcInPlace, "no safe copy keystroke for window class %s",
               qUtf8Printable(app ? app->windowClass : QString()));
        capture->finish(CaptureError::copyFailed);
        return;
    }
    capture->copyChord = *chord;
    // Right after a hotkey the target may still be handling the end of our key grab; GTK
    // terminals drop a copy keystroke that arrives in that moment.
    const InPlaceService self = *this;
    QTimer::singleShot(kSettleMs, context,
                       [self, capture] { self.waitForModifiers(capture, kModifierWaits); });
}

void InPlaceService::waitForModifiers(std::shared_ptr<Capture> capture, int waitsLeft) const {
    if (!capture->context) {
        return;
    }
    if (waitsLeft == kModifierWaits) {
        qCDebug(lcInPlaceSteps, "modifiers");
    }
    if (platform_.modifiers.heldModifiers() == Modifiers() || waitsLeft == 0) {
        copy(std::move(capture));
        return;
    }
    const InPlaceService self = *this;
    QTimer::singleShot(kModifierWaitMs, capture->context.data(), [self, capture, waitsLeft] {
        self.waitForModifiers(capture, waitsLeft - 1);
    });
}

void InPlaceService::copy(std::shared_ptr<Capture> capture) const {
    qCDebug(lcInPlaceSteps, "snapshot");
    capture->saved = platform_.clipboard.snapshot();
    qCDebug(lcInPlaceSteps, "copy");
    capture->countBefore = platform_.clipboard.changeCount();
    // The clipboard tells of its change itself (XFixes on X11), so the copy is taken the moment
    // it lands; the polls only bound the wait.
    const InPlaceService self = *this;
    capture->onChange = QObject::connect(
        &platform_.clipboard, &Clipboard::changed, capture->context.data(), [self, capture] {
            if (!capture->finished &&
                self.platform_.clipboard.changeCount() != capture->countBefore) {
                self.finishCopy(capture);
            }
        });
    if (!platform_.keys.send(capture->copyChord)) {
        qCWarning(lcInPlace, "the copy keystroke %s could not be sent",
                  qUtf8Printable(describe(capture->copyChord)));
        capture->finish(CaptureError::copyFailed);
        return;
    }
    pollCopy(std::move(capture), kCopyPolls);
}

void InPlaceService::pollCopy(std::shared_ptr<Capture> capture, int pollsLeft) const {
    if (pollsLeft == 0) {
        capture->finish(CaptureError::copyFailed);
        return;
    }
    const InPlaceService self = *this;
    QTimer::singleShot(kCopyPollMs, capture->context.data(), [self, capture, pollsLeft] {
        if (capture->finished) {
            return;
        }
        if (self.platform_.clipboard.changeCount() != capture->countBefore) {
            self.finishCopy(capture);
            return;
        }
        if (pollsLeft == kCopyPolls / 2) {
            qCInfo(lcInPlace, "no copy yet; sending %s once more",
                   qUtf8Printable(describe(capture->copyChord)));
            self.platform_.keys.send(capture->copyChord);
        }
        self.pollCopy(capture, pollsLeft - 1);
    });
}

void InPlaceService::finishCopy(std::shared_ptr<Capture> capture) const {
    qCDebug(lcInPlaceSteps, "model");
    const std::optional<QString> text = platform_.clipboard.text();
    if (!text || text->trimmed().isEmpty()) {
        capture->finish(CaptureError::emptyPasteboard);
        return;
    }
    capture->finish(CapturedSelection{*text, capture->appName, std::move(capture->saved),
                                      capture->terminal, capture->source});
}

void InPlaceService::pasteReplacing(const QString& text, const ClipboardSnapshot& snapshot,
                                    const std::optional<AppInfo>& source, QObject* context,
                                    PasteDone done) const {
    qCDebug(lcInPlaceSteps, "activation");
    const std::optional<AppInfo> now = platform_.frontmost.current();
    if (!source || source->windowId == 0 || (now && now->windowId == source->windowId)) {
        paste(text, snapshot, context, std::move(done));
        return;
    }
    // The user moved on while the model thought: the answer must not land in that window (in a
    // terminal it would be typed into the running program).
    qCInfo(lcInPlace, "the source window lost the focus; activating it again");
    if (!platform_.frontmost.activateWindow(source->windowId)) {
        restorePasteboard(snapshot);
        done(PasteResult::windowChanged);
        return;
    }
    waitForSource(text, snapshot, source->windowId, context, std::move(done), kReactivatePolls);
}

void InPlaceService::waitForSource(const QString& text, const ClipboardSnapshot& snapshot,
                                   quint64 window, QPointer<QObject> context, PasteDone done,
                                   int pollsLeft) const {
    if (!context) {
        return;
    }
    const std::optional<AppInfo> now = platform_.frontmost.current();
    if (now && now->windowId == window) {
        paste(text, snapshot, context, std::move(done));
        return;
    }
    if (pollsLeft == 0) {
        qCInfo(lcInPlace, "the source window did not become active again; nothing pasted");
        restorePasteboard(snapshot);
        done(PasteResult::windowChanged);
        return;
    }
    const InPlaceService self = *this;
    QTimer::singleShot(kReactivatePollMs, context.data(),
                       [self, text, snapshot, window, context, done, pollsLeft] {
                           self.waitForSource(text, snapshot, window, context, done, pollsLeft - 1);
                       });
}

void InPlaceService::paste(const QString& text, const ClipboardSnapshot& snapshot, QObject* context,
                           PasteDone done) const {
    qCDebug(lcInPlaceSteps, "paste");
    QPointer<QObject> guard(context);
    const std::optional<AppInfo> app = platform_.frontmost.current();
    const std::optional<KeyChord> chord =
        clipboardChord(ClipboardCommand::paste, app ? app->windowClass : QString());
    platform_.clipboard.setText(text, true);
    const quint64 readsBefore = platform_.clipboard.textReads();
    const InPlaceService self = *this;
    QTimer::singleShot(
        kBeforePasteMs, context, [self, text, snapshot, chord, guard, done, readsBefore] {
            if (!chord || !self.platform_.keys.send(*chord)) {
                qCWarning(lcInPlace, "no paste keystroke could be sent");
                self.giveBack(text, snapshot);
                if (done) {
                    done(PasteResult::noKeystroke);
                }
                return;
            }
            if (!guard) {
                return;
            }
            auto wait = std::make_shared<PasteWait>(
                PasteWait{text, snapshot, readsBefore, guard, done, {}, false});
            wait->onRead = QObject::connect(
                &self.platform_.clipboard, &Clipboard::textRead, guard.data(), [self, wait] {
                    if (self.platform_.clipboard.textReads() > wait->readsBefore) {
                        self.confirmRead(wait);
                    }
                });
            self.pollRead(wait, kReadBoundMs / kReadPollMs);
        });
}

void InPlaceService::pollRead(std::shared_ptr<PasteWait> wait, int pollsLeft) const {
    if (!wait->context || wait->settled) {
        return;
    }
    if (platform_.clipboard.textReads() > wait->readsBefore) {
        confirmRead(std::move(wait));
        return;
    }
    if (pollsLeft == 0) {
        wait->settle();
        qCInfo(lcInPlace, "the target read nothing within %d ms: no paste", kReadBoundMs);
        giveBack(wait->text, wait->snapshot);
        if (wait->done) {
            wait->done(PasteResult::notRead);
        }
        return;
    }
    const InPlaceService self = *this;
    QTimer::singleShot(kReadPollMs, wait->context.data(),
                       [self, wait, pollsLeft] { self.pollRead(wait, pollsLeft - 1); });
}

void InPlaceService::confirmRead(std::shared_ptr<PasteWait> wait) const {
    if (wait->settled || !wait->context) {
        return;
    }
    wait->settle();
    qCDebug(lcInPlaceSteps, "restore");
    const InPlaceService self = *this;
    QTimer::singleShot(kAfterReadMs, wait->context.data(), [self, wait] {
        self.giveBack(wait->text, wait->snapshot);
        qCDebug(lcInPlaceSteps, "done");
        if (wait->done) {
            wait->done(PasteResult::pasted);
        }
    });
}

void InPlaceService::giveBack(const QString& text, const ClipboardSnapshot& snapshot) const {
    // Someone copied meanwhile: their newer clipboard wins over the old snapshot.
    if (platform_.clipboard.text() == text) {
        restorePasteboard(snapshot);
    } else {
        qCInfo(lcInPlace, "clipboard changed during the paste; not restoring it");
    }
}

void InPlaceService::restorePasteboard(const ClipboardSnapshot& snapshot) const {
    platform_.clipboard.restore(snapshot);
}

}  // namespace ts
