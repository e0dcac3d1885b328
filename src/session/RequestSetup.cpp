#include "session/RequestSetup.h"

#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts {

ProviderConfig currentProviderConfig(const SettingsStore& settings, KeyStore& keys) {
    ProviderConfig config;
    config.kind = settings.provider();
    config.apiKey = keys.readAPIKey(apiKeyAccount(config.kind));
    config.customBaseURL = settings.customBaseURL();
    config.ollamaBaseURL = settings.ollamaBaseURL();
    config.openaiBaseURL = settings.openaiBaseURL();
    config.anthropicBaseURL = settings.anthropicBaseURL();
    config.geminiBaseURL = settings.geminiBaseURL();
    return config;
}

QString effectiveStyleProfile(const SettingsStore& settings) {
    if (!settings.styleProfileEnabled()) {
        return {};
    }
    const QString profile = settings.styleProfile();
    return profile.trimmed().isEmpty() ? QString() : profile;
}

std::optional<RequestSetup> prepareRequest(const SettingsStore& settings, KeyStore& keys) {
    RequestSetup setup;
    setup.config = currentProviderConfig(settings, keys);
    setup.kind = setup.config.kind;
    if (requiresAPIKey(setup.kind) && setup.config.apiKey.isEmpty()) {
        return std::nullopt;
    }
    setup.model = settings.model();
    if (setup.model.isEmpty()) {
        setup.model = defaultModel(setup.kind);
    }
    setup.styleProfile = effectiveStyleProfile(settings);
    return setup;
}

}  // namespace ts
