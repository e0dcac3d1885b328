#pragma once

#include <optional>

#include "providers/OllamaWarmer.h"

namespace ts {

class SettingsStore;

// The model the next request would use, on the server it would go to, when that is the local
// runtime; none for every other provider.
std::optional<OllamaWarmer::Target> localModelToWarm(const SettingsStore& settings);

}  // namespace ts
