#include "desktop/inplace/InPlaceRequest.h"

#include <QTimer>
#include <QUuid>

#include "desktop/PlatformTexts.h"
#include "desktop/inplace/InPlaceLogging.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"

namespace ts {

namespace {

const QString kEmptyAnswerMessage = QStringLiteral("The model returned an empty response.");
// Only reachable with a passed text in a terminal that has no safe paste keystroke, or when the
// keystroke could not be produced at all: the app was left as it was, so say so.
const QString kPasteFailedMessage =
    QStringLiteral("Paste didn't fire. The text in the app is unchanged.");

struct ModeTexts {
    QString progress;
    QString done;
};

ModeTexts textsFor(Mode mode, const QString& app) {
    const QString undo = QStringLiteral(". \u2318Z to undo.");
    const QString dots = QStringLiteral("\u2026");
    switch (mode) {
        case Mode::proofread:
            return {QStringLiteral("Proofreading in ") + app + dots,
                    QStringLiteral("Proofread in ") + app + undo};
        case Mode::reply:
            return {QStringLiteral("Drafting reply in ") + app + dots,
                    QStringLiteral("Drafted reply in ") + app + undo};
        case Mode::ask:
            return {QStringLiteral("Running in ") + app + dots,
                    QStringLiteral("Done in ") + app + undo};
        default:
            return {QStringLiteral("Rewriting in ") + app + dots,
                    QStringLiteral("Rewrote in ") + app + undo};
    }
}

}  // namespace

InPlaceRequest::InPlaceRequest(const InPlaceRunner::Services& services, Settings settings,
                               std::unique_ptr<LLMProvider> provider, QObject* parent)
    : QObject(parent),
      services_(services),
      service_(services.platform),
      settings_(std::move(settings)),
      provider_(std::move(provider)) {}

InPlaceRequest::~InPlaceRequest() {
    // The call may still refer to the client; it goes first.
    call_.reset();
}

void InPlaceRequest::start(const std::optional<QString>& text,
                           const std::optional<QString>& appName) {
    QTimer::singleShot(0, this, [this, text, appName] {
        if (text && !text->trimmed().isEmpty()) {
            sourceReady(*text, appName, service_.snapshotPasteboard());
            return;
        }
        service_.captureSelection(this, [this, appName](const InPlaceService::CaptureResult& r) {
            if (const auto* error = std::get_if<InPlaceService::CaptureError>(&r)) {
                qCInfo(lcInPlace, "capture failed: %s",
                       qUtf8Printable(InPlaceService::description(*error)));
                toast(InPlaceService::description(*error), ToastKind::error);
                finish(InPlaceRunner::Outcome::captureFailed);
                return;
            }
            const auto& captured = std::get<CapturedSelection>(r);
            sourceReady(captured.text, captured.appName ? captured.appName : appName,
                        captured.saved);
        });
    });
}

void InPlaceRequest::sourceReady(const QString& text, const std::optional<QString>& appName,
                                 ClipboardSnapshot snapshot) {
    source_ = text;
    app_ = appName && !appName->isEmpty() ? *appName : QStringLiteral("the app");
    snapshot_ = std::move(snapshot);
    toast(textsFor(settings_.mode, app_).progress, ToastKind::info);

    const Settings& s = settings_;
    switch (s.mode) {
        case Mode::ask:
            call_ = applyInstruction(*provider_, s.model, s.instruction, source_, s.tone, s.context,
                                     s.styleProfile);
            break;
        case Mode::reply:
            call_ = draftReply(*provider_, s.model, source_, QString(), s.tone, s.context,
                               s.styleProfile);
            break;
        default:
            call_ = review(*provider_, s.model, s.mode, source_, s.tone, s.context, s.styleProfile);
            break;
    }
    connect(call_.get(), &ReviewCall::reviewed, this, &InPlaceRequest::reviewed);
    connect(call_.get(), &ReviewCall::failed, this, [this](const RequestError& error) {
        qCInfo(lcInPlace, "model request failed: %s", qUtf8Printable(error.description()));
        failedWith(error.description(), InPlaceRunner::Outcome::providerFailed);
    });
}

void InPlaceRequest::reviewed(const Review& result) {
    if (result.improved.trimmed().isEmpty()) {
        failedWith(kEmptyAnswerMessage, InPlaceRunner::Outcome::emptyAnswer);
        return;
    }
    service_.pasteReplacing(result.improved, snapshot_, this,
                            [this, result](bool succeeded) { pasted(result, succeeded); });
}

void InPlaceRequest::failedWith(const QString& message, InPlaceRunner::Outcome outcome) {
    service_.restorePasteboard(snapshot_);
    toast(message, ToastKind::error);
    finish(outcome);
}

void InPlaceRequest::pasted(const Review& result, bool succeeded) {
    if (!succeeded) {
        toast(kPasteFailedMessage, ToastKind::error);
        finish(InPlaceRunner::Outcome::pasteFailed);
        return;
    }
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = services_.now();
    item.original = source_;
    item.review = result;
    item.tone = settings_.tone;
    item.context = settings_.context;
    item.provider = services_.settings.provider();
    item.model = settings_.model;
    item.mode = settings_.mode;
    services_.history.add(item);
    toast(textsFor(settings_.mode, app_).done, ToastKind::success);
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
