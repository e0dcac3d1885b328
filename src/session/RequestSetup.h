#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

#include "core/Enums.h"
#include "providers/ProviderFactory.h"

namespace ts {

class SettingsStore;
class KeyStore;

inline constexpr const char* kMissingKeyMessage =
    QT_TRANSLATE_NOOP("ts::LLMError", "API key is missing. Open Settings and add one.");

// kMissingKeyMessage in the user's language.
inline QString missingKeyMessage() {
    return QCoreApplication::translate("ts::LLMError", kMissingKeyMessage);
}

// What a caller may choose instead of the settings (the command line's options).
struct RequestOverrides {
    std::optional<ProviderKind> provider;
    QString model;  // empty: the settings' model, or the provider's default
    bool noStyle = false;
};

// Everything a request takes from the settings of one moment. The key is filled in separately,
// because reading it may block.
struct RequestSetup {
    ProviderKind kind = ProviderKind::openai;
    QString model;         // never empty
    QString styleProfile;  // empty when the profile is off or blank
    bool providerOverridden = false;
    ProviderConfig config;

    bool needsKey() const { return requiresAPIKey(kind); }
    bool missingKey() const { return needsKey() && config.apiKey.isEmpty(); }
};

// Provider, base URLs, model and style profile, without the key. A model set for the stored
// provider is not carried over to an overriding one: that one gets its default.
RequestSetup readSetup(const SettingsStore& settings, const RequestOverrides& overrides = {});

// The client settings for the current provider, with its stored key read on the spot.
ProviderConfig currentProviderConfig(const SettingsStore& settings, KeyStore& keys);

QString effectiveStyleProfile(const SettingsStore& settings);

}  // namespace ts
