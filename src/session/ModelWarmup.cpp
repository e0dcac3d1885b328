#include "session/ModelWarmup.h"

#include "providers/OllamaInstaller.h"
#include "session/RequestSetup.h"
#include "store/KeepModelLoaded.h"
#include "store/SettingsStore.h"

namespace ts {

std::optional<OllamaWarmer::Target> localModelToWarm(const SettingsStore& settings) {
    const RequestSetup setup = readSetup(settings);
    if (setup.kind != ProviderKind::ollama) {
        return std::nullopt;
    }
    const KeepModelLoaded keep =
        keepModelLoadedFromRaw(settings.keepModelLoaded()).value_or(KeepModelLoaded::fiveMinutes);
    // The server's own words for the durations; a negative one keeps the model until released.
    const QJsonValue keepAlive =
        keep == KeepModelLoaded::whileRunning ? QJsonValue(-1) : QJsonValue(rawValue(keep));
    return OllamaWarmer::Target{OllamaInstaller::rootURLFor(setup.config.ollamaBaseURL),
                                setup.model, keepAlive};
}

}  // namespace ts
