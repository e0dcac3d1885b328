#include "desktop/inplace/InPlaceRunner.h"

#include "desktop/inplace/InPlaceLogging.h"
#include "desktop/inplace/InPlaceRequest.h"

namespace ts {

InPlaceRunner::InPlaceRunner(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

InPlaceRunner::~InPlaceRunner() = default;

void InPlaceRunner::runInPlace(Mode mode, const std::optional<QString>& instruction,
                               const std::optional<QString>& text,
                               const std::optional<QString>& appName) {
    if (mode == Mode::toneCheck) {
        qCWarning(lcInPlace, "a tone check has nothing to paste back; ignored");
        return;
    }
    auto* request = new InPlaceRequest(services_, mode, instruction.value_or(QString()), this);
    ++running_;
    connect(request, &InPlaceRequest::finished, this, [this, request](Outcome outcome) {
        --running_;
        request->deleteLater();
        emit requestFinished(outcome);
    });
    request->start(text, appName);
}

int InPlaceRunner::runningRequests() const {
    return running_;
}

}  // namespace ts
