#include "desktop/inplace/InPlaceRunner.h"

#include "desktop/inplace/InPlaceLogging.h"
#include "desktop/inplace/InPlaceRequest.h"

namespace ts {

InPlaceRunner::InPlaceRunner(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

InPlaceRunner::~InPlaceRunner() = default;

void InPlaceRunner::runInPlace(Mode mode, const std::optional<QString>& instruction,
                               const std::optional<QString>& text,
                               const std::optional<QString>& appName, qint64 sourcePid) {
    if (mode == Mode::toneCheck) {
        qCWarning(lcInPlace, "a tone check has nothing to paste back; ignored");
        return;
    }
    // A second trigger while one waits would paste twice and take the clipboard the first one
    // has not given back yet.
    if (running_ > 0) {
        qCInfo(lcInPlace, "an in-place rewrite is already running; trigger ignored");
        services_.toast(tr("Already rewriting…"), ToastKind::info, std::nullopt);
        return;
    }
    auto* request = new InPlaceRequest(services_, mode, instruction.value_or(QString()), this);
    ++running_;
    connect(request, &InPlaceRequest::finished, this, [this, request](Outcome outcome) {
        --running_;
        request->deleteLater();
        emit requestFinished(outcome);
    });
    request->start(text, appName, sourcePid);
}

int InPlaceRunner::runningRequests() const {
    return running_;
}

}  // namespace ts
