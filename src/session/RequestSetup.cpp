#include "session/RequestSetup.h"

#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts {

namespace {

ProviderConfig configFor(const SettingsStore& settings, ProviderKind kind) {
    ProviderConfig config;
    config.kind = kind;
    config.customBaseURL = settings.customBaseURL();
    config.ollamaBaseURL = settings.ollamaBaseURL();
    config.openaiBaseURL = settings.openaiBaseURL();
    config.anthropicBaseURL = settings.anthropicBaseURL();
    config.geminiBaseURL = settings.geminiBaseURL();
    return config;
}

}  // namespace

QString effectiveStyleProfile(const SettingsStore& settings) {
    if (!settings.styleProfileEnabled()) {
        return {};
    }
    const QString profile = settings.styleProfile();
    return profile.trimmed().isEmpty() ? QString() : profile;
}

RequestSetup readSetup(const SettingsStore& settings, const RequestOverrides& overrides) {
    RequestSetup setup;
    const ProviderKind stored = settings.provider();
    setup.kind = overrides.provider.value_or(stored);
    setup.providerOverridden = overrides.provider.has_value();
    // A model name of spaces would be sent as it stands and refused by every service.
    setup.model = overrides.model.trimmed();
    if (setup.model.isEmpty() && setup.kind == stored) {
        setup.model = settings.model().trimmed();
    }
    if (setup.model.isEmpty()) {
        setup.model = defaultModel(setup.kind);
    }
    setup.styleProfile = overrides.noStyle ? QString() : effectiveStyleProfile(settings);
    setup.config = configFor(settings, setup.kind);
    return setup;
}

ProviderConfig currentProviderConfig(const SettingsStore& settings, KeyStore& keys) {
    ProviderConfig config = configFor(settings, settings.provider());
    config.apiKey = keys.readAPIKey(apiKeyAccount(config.kind));
    return config;
}

}  // namespace ts
