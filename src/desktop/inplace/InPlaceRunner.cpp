#include "desktop/inplace/InPlaceRunner.h"

#include "desktop/PlatformTexts.h"
#include "desktop/inplace/InPlaceLogging.h"
#include "desktop/inplace/InPlaceRequest.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/SettingsStore.h"

namespace ts {

InPlaceRunner::InPlaceRunner(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {
    if (!services_.buildProvider) {
        services_.buildProvider = [](const ProviderConfig& config) { return makeProvider(config); };
    }
    if (!services_.now) {
        services_.now = [] { return QDateTime::currentDateTimeUtc(); };
    }
}

InPlaceRunner::~InPlaceRunner() = default;

void InPlaceRunner::runInPlace(Mode mode, const std::optional<QString>& instruction,
                               const std::optional<QString>& text,
                               const std::optional<QString>& appName) {
    if (mode == Mode::toneCheck) {
        qCWarning(lcInPlace, "a tone check has nothing to paste back; ignored");
        return;
    }
    const std::optional<RequestSetup> setup = prepareRequest(services_.settings, services_.keys);
    if (!setup) {
        if (services_.toast) {
            services_.toast(linuxText(QString::fromLatin1(kMissingKeyMessage)), ToastKind::error,
                            kOutcomeToastDuration);
        }
        return;
    }
    if (!services_.platform.desktopControl.available()) {
        if (services_.showAccessibilityAlert) {
            services_.showAccessibilityAlert();
        }
        return;
    }
    InPlaceRequest::Settings settings;
    settings.mode = mode;
    settings.instruction = mode == Mode::ask ? instruction.value_or(QString()) : QString();
    settings.tone = services_.settings.defaultTone();
    settings.context = services_.settings.defaultContext();
    settings.model = setup->model;
    settings.styleProfile = setup->styleProfile;

    auto* request = new InPlaceRequest(services_, std::move(settings),
                                       services_.buildProvider(setup->config), this);
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
