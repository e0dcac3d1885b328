#include "desktop/inplace/InPlaceRequest.h"

#include <QCoreApplication>

#include "desktop/PlatformTexts.h"
#include "desktop/inplace/InPlaceLogging.h"
#include "desktop/platform/ClipboardChords.h"
#include "session/ReviewRequest.h"
#include "store/ApplicationDefaults.h"
#include "store/SettingsStore.h"

namespace ts {

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("ts::InPlaceRequest", text);
}

// Only reachable with a passed text in a terminal that has no safe paste keystroke, or when the
// keystroke could not be produced at all: the app was left as it was, so say so.
const char* const kPasteFailedMessage =
    QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Paste didn't fire. The text in the app is unchanged.");
const char* const kWindowChangedMessage =
    QT_TRANSLATE_NOOP("ts::InPlaceRequest",
                      "The window changed before the answer arrived. Nothing was pasted; the "
                      "answer is in the history.");
const char* const kGarbledMessage =
    QT_TRANSLATE_NOOP("ts::InPlaceRequest",
                      "The app changed the text its own way. Check it; the answer is in the "
                      "history.");
const char* const kNotAcceptedMessage =
    QT_TRANSLATE_NOOP("ts::InPlaceRequest",
                      "This app doesn't accept text from Tessarine. The answer is in the history.");

struct ModeTexts {
    QString progress;
    QString done;
};

// Whole sentences, so a translation may order them as its language wants: %1 is the
// application, %2 a context other than the default one. In a terminal the text was typed into
// the running program, and Ctrl+Z would suspend it.
struct ModeSentences {
    const char* progress;
    const char* done;
    const char* doneFor;
    const char* typed;
    const char* typedFor;
    // Replaced through the accessibility layer: a delete and an insert, two undo steps.
    const char* replaced;
    const char* replacedFor;
};

const ModeSentences& sentencesFor(Mode mode) {
    static const ModeSentences proofread{
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Proofreading in %1…"),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Proofread in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Proofread for %2 in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the proofread text into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the proofread text for %2 into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Proofread in %1. ⌘Z twice to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Proofread for %2 in %1. ⌘Z twice to undo.")};
    static const ModeSentences reply{
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Drafting reply in %1…"),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Drafted reply in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Drafted reply for %2 in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the reply into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the reply for %2 into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Drafted reply in %1. ⌘Z twice to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Drafted reply for %2 in %1. ⌘Z twice to undo.")};
    static const ModeSentences ask{
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Running in %1…"),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Done in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Done for %2 in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the result into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the result for %2 into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Done in %1. ⌘Z twice to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Done for %2 in %1. ⌘Z twice to undo.")};
    static const ModeSentences rewrite{
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Rewriting in %1…"),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Rewrote in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Rewrote for %2 in %1. ⌘Z to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the rewrite into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Typed the rewrite for %2 into %1."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Rewrote in %1. ⌘Z twice to undo."),
        QT_TRANSLATE_NOOP("ts::InPlaceRequest", "Rewrote for %2 in %1. ⌘Z twice to undo.")};
    switch (mode) {
        case Mode::proofread:
            return proofread;
        case Mode::reply:
            return reply;
        case Mode::ask:
            return ask;
        default:
            return rewrite;
    }
}

enum class Written { pasted, typed, replaced };

// `context` names a context other than the default one ("Chat"), else it is empty.
ModeTexts textsFor(Mode mode, const QString& app, Written written, const QString& context = {}) {
    const ModeSentences& sentences = sentencesFor(mode);
    const QString progress = translated(sentences.progress).arg(app);
    const bool typed = written == Written::typed;
    const bool replaced = written == Written::replaced;
    if (context.isEmpty()) {
        const char* done = typed ? sentences.typed : replaced ? sentences.replaced : sentences.done;
        return {progress, translated(done).arg(app)};
    }
    const char* done = typed      ? sentences.typedFor
                       : replaced ? sentences.replacedFor
                                  : sentences.doneFor;
    return {progress, translated(done).arg(app, context)};
}

Written writtenBy(bool terminal) {
    return terminal ? Written::typed : Written::pasted;
}

}  // namespace

InPlaceRequest::InPlaceRequest(const InPlaceRunner::Services& services, Mode mode,
                               QString instruction, QObject* parent)
    : QObject(parent),
      services_(services),
      service_(services.platform),
      mode_(mode),
      instruction_(std::move(instruction)) {}

InPlaceRequest::~InPlaceRequest() = default;

void InPlaceRequest::start(const std::optional<QString>& text,
                           const std::optional<QString>& appName, qint64 sourcePid) {
    passedText_ = text;
    passedApp_ = appName;
    passedPid_ = sourcePid;
    ReviewRequest::Options options;
    options.delivery = ReviewRequest::Delivery::whole;
    options.rejectEmptyAnswer = true;
    review_ = new ReviewRequest(services_.requests, options, this);
    connect(review_, &ReviewRequest::missingKey, this, [this] {
        toast(missingKeyMessage(), ToastKind::error);
        finish(InPlaceRunner::Outcome::missingKey);
    });
    connect(review_, &ReviewRequest::ready, this, &InPlaceRequest::ready);
    connect(review_, &ReviewRequest::answered, this, &InPlaceRequest::reviewed);
    connect(review_, &ReviewRequest::failed, this, [this](const QString& description) {
        qCInfo(lcInPlace, "model request failed: %s", qUtf8Printable(description));
        failedWith(description, review_->answerWasEmpty() ? InPlaceRunner::Outcome::emptyAnswer
                                                          : InPlaceRunner::Outcome::providerFailed);
    });
    review_->prepare();
}

void InPlaceRequest::ready() {
    const Platform& platform = services_.platform;
    const bool keys = platform.desktopControl.copyPaste();
    const bool focusedText = platform.focusedText.available();
    if (!keys && !focusedText) {
        if (services_.showAccessibilityAlert) {
            services_.showAccessibilityAlert();
        }
        finish(InPlaceRunner::Outcome::noDesktopControl);
        return;
    }
    const bool givenText = passedText_ && !passedText_->trimmed().isEmpty();
    if (!givenText && focusedText && (!keys || !platform.desktopControl.prefersCopyPaste())) {
        // With copy and paste still to try, only an element that takes text back will do.
        if (readFocused(keys)) {
            return;
        }
        if (!keys) {
            const QString message =
                InPlaceService::description(InPlaceService::CaptureError::noSelection);
            qCInfo(lcInPlace, "no selection in a focused text element");
            toast(message, ToastKind::error);
            finish(InPlaceRunner::Outcome::captureFailed);
            return;
        }
    }
    // The progress toast comes before the clipboard is saved: an owner that is slow to give its
    // formats must not leave the user without a sign that the hotkey was taken.
    const bool passed = givenText;
    const std::optional<AppInfo> front = services_.platform.frontmost.current();
    const std::optional<QString> appName = !passed && front && !front->name.isEmpty()
                                               ? std::optional<QString>(front->name)
                                               : passedApp_;
    app_ = appName && !appName->isEmpty() ? *appName : QStringLiteral("the app");
    terminal_ = !passed && front && isTerminal(front->windowClass);
    sourceClass_ = !passed && front ? front->windowClass : passedApp_.value_or(QString());
    if (passed && passedPid_ > 0) {
        // The same care as for a copied selection: the answer goes only into the window the
        // text came from, and a terminal gets its own texts.
        if (front && front->pid == passedPid_) {
            source_ = front;
            terminal_ = isTerminal(front->windowClass);
            sourceClass_ = front->windowClass;
        } else {
            passedSourceGone_ = true;
        }
    }
    toast(textsFor(mode_, app_, writtenBy(terminal_)).progress, ToastKind::info);
    if (passed) {
        sourceReady(*passedText_, service_.snapshotPasteboard());
        return;
    }
    service_.captureSelection(this, [this](const InPlaceService::CaptureResult& r) {
        if (const auto* error = std::get_if<InPlaceService::CaptureError>(&r)) {
            qCInfo(lcInPlace, "capture failed: %s",
                   qUtf8Printable(InPlaceService::description(*error)));
            // Terminals that refuse the copy may still expose their text; only the frontmost
            // application's text will do, not what another one left focused.
            const std::optional<AppInfo> front = services_.platform.frontmost.current();
            if (*error != InPlaceService::CaptureError::accessibilityDenied && front &&
                front->pid > 0 && services_.platform.focusedText.available() &&
                readFocused(true, front->pid)) {
                return;
            }
            toast(InPlaceService::description(*error), ToastKind::error);
            finish(InPlaceRunner::Outcome::captureFailed);
            return;
        }
        const auto& captured = std::get<CapturedSelection>(r);
        terminal_ = captured.terminal;
        source_ = captured.source;
        if (captured.source) {
            sourceClass_ = captured.source->windowClass;
        }
        sourceReady(captured.text, captured.saved);
    });
}

bool InPlaceRequest::readFocused(bool needEditable, qint64 requiredPid) {
    std::optional<TextSelection> selection = services_.platform.focusedText.selection();
    if (!selection || selection->text.trimmed().isEmpty() ||
        (needEditable && !selection->editable) ||
        (requiredPid != 0 && selection->pid != requiredPid)) {
        return false;
    }
    focused_ = selection;
    terminal_ = false;
    source_.reset();
    app_ = selection->appName.isEmpty() ? QStringLiteral("the app") : selection->appName;
    sourceClass_ = selection->appName;
    toast(textsFor(mode_, app_, Written::replaced).progress, ToastKind::info);
    sourceReady(selection->text, std::nullopt);
    return true;
}

void InPlaceRequest::sourceReady(const QString& text, std::optional<ClipboardSnapshot> snapshot) {
    snapshot_ = std::move(snapshot);
    const RewriteDefaults defaults = rewriteDefaultsFor(services_.requests.settings, sourceClass_);
    tone_ = defaults.tone;
    context_ = defaults.context;
    if (defaults.contextDiffers) {
        // The windows' name for the context, in the user's language.
        contextName_ = QCoreApplication::translate("ts::EnumTexts",
                                                   qUtf8Printable(rawValue(context_)), "context");
    }
    qCDebug(lcInPlace, "tone %s, context %s for %s", qUtf8Printable(rawValue(tone_)),
            qUtf8Printable(rawValue(context_)), qUtf8Printable(sourceClass_));
    switch (mode_) {
        case Mode::ask:
            review_->send(ReviewInput::instruction(instruction_, text, tone_, context_));
            break;
        case Mode::reply:
            review_->send(ReviewInput::reply(text, QString(), tone_, context_));
            break;
        default:
            review_->send(ReviewInput::review(mode_, text, tone_, context_));
            break;
    }
}

void InPlaceRequest::reviewed(const Review& result) {
    if (focused_) {
        replaceFocused(result.improved);
        return;
    }
    if (passedSourceGone_) {
        qCInfo(lcInPlace,
               "the text's application was not active when the request started; "
               "nothing pasted");
        pasted(InPlaceService::PasteResult::windowChanged);
        return;
    }
    service_.pasteReplacing(result.improved, snapshot_.value_or(ClipboardSnapshot()), source_, this,
                            [this](InPlaceService::PasteResult result) { pasted(result); });
}

void InPlaceRequest::replaceFocused(const QString& text) {
    switch (services_.platform.focusedText.replace(*focused_, text)) {
        case FocusedText::Replaced::replaced:
            review_->record();
            toast(textsFor(mode_, app_, Written::replaced, contextName_).done, ToastKind::success);
            finish(InPlaceRunner::Outcome::pasted);
            return;
        case FocusedText::Replaced::changed:
            pasted(InPlaceService::PasteResult::windowChanged);
            return;
        case FocusedText::Replaced::garbled:
            // A paste now would write the answer a second time.
            notAccepted(kGarbledMessage);
            return;
        case FocusedText::Replaced::refused:
            break;
    }
    // The selection is as it was: where keys reach the application, a paste may still do.
    if (focused_->editable && services_.platform.desktopControl.copyPaste()) {
        qCInfo(lcInPlace, "the element refused the text; pasting instead");
        focused_.reset();
        pastingRefused_ = true;
        snapshot_ = service_.snapshotPasteboard();
        service_.pasteReplacing(text, *snapshot_, std::nullopt, this,
                                [this](InPlaceService::PasteResult result) { pasted(result); });
        return;
    }
    notAccepted(kNotAcceptedMessage);
}

void InPlaceRequest::notAccepted(const char* message) {
    review_->record();
    toast(translated(message), ToastKind::error);
    finish(InPlaceRunner::Outcome::notAccepted);
}

void InPlaceRequest::failedWith(const QString& message, InPlaceRunner::Outcome outcome) {
    // A clipboard this request never touched is not given back: that would empty it.
    if (snapshot_) {
        service_.restorePasteboard(*snapshot_);
    }
    toast(message, ToastKind::error);
    finish(outcome);
}

void InPlaceRequest::pasted(InPlaceService::PasteResult result) {
    if (result == InPlaceService::PasteResult::windowChanged) {
        // The answer is not lost: it waits in the history.
        review_->record();
        toast(translated(kWindowChangedMessage), ToastKind::error);
        finish(InPlaceRunner::Outcome::windowChanged);
        return;
    }
    if (result != InPlaceService::PasteResult::pasted && pastingRefused_) {
        notAccepted(kNotAcceptedMessage);
        return;
    }
    if (result != InPlaceService::PasteResult::pasted) {
        toast(translated(kPasteFailedMessage), ToastKind::error);
        finish(InPlaceRunner::Outcome::pasteFailed);
        return;
    }
    review_->record();
    toast(textsFor(mode_, app_, writtenBy(terminal_), contextName_).done, ToastKind::success);
    finish(InPlaceRunner::Outcome::pasted);
}

void InPlaceRequest::toast(const QString& macText, ToastKind kind) {
    if (!services_.toast) {
        return;
    }
    services_.toast(linuxText(macText), kind,
                    kind == ToastKind::info
                        ? std::nullopt
                        : std::optional<std::chrono::milliseconds>(kOutcomeToastDuration));
}

void InPlaceRequest::finish(InPlaceRunner::Outcome outcome) {
    if (finished_) {
        return;
    }
    finished_ = true;
    emit finished(outcome);
}

}  // namespace ts
