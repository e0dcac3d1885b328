#pragma once

#include <QString>
#include <optional>

#include "core/Enums.h"
#include "providers/ProviderFactory.h"

namespace ts {

class SettingsStore;
class KeyStore;

inline constexpr const char* kMissingKeyMessage = "API key is missing. Open Settings and add one.";

// What every request started from user input needs, read from the settings of this moment.
struct RequestSetup {
    ProviderKind kind = ProviderKind::openai;
    QString model;         // the model setting, or the kind's default when it is empty
    QString styleProfile;  // empty when the profile is off or blank
    ProviderConfig config;
};

// The client settings for the current provider, with its stored key.
ProviderConfig currentProviderConfig(const SettingsStore& settings, KeyStore& keys);

// Key check, model and client settings in the order every start uses. Nothing when the kind
// needs a key and none is stored: the caller shows kMissingKeyMessage.
std::optional<RequestSetup> prepareRequest(const SettingsStore& settings, KeyStore& keys);

QString effectiveStyleProfile(const SettingsStore& settings);

}  // namespace ts
