#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

#include "core/LLMProvider.h"

namespace ts {

class HistoryStore;
class KeyStore;
class SettingsStore;
struct ProviderConfig;

// What every request needs from the rest of the program, whichever door it came through.
struct RequestServices {
    using ProviderBuilder = std::function<std::unique_ptr<LLMProvider>(const ProviderConfig&)>;
    using Clock = std::function<QDateTime()>;
    using HistoryAccess = std::function<HistoryStore&()>;

    SettingsStore& settings;
    KeyStore& keys;
    // Opened on first use: a dry run or a failed request never loads the history.
    HistoryAccess history;
    ProviderBuilder buildProvider = {};  // makeProvider when empty
    Clock now = {};                      // the current UTC time when empty

    std::unique_ptr<LLMProvider> makeClient(const ProviderConfig& config) const;
    QDateTime currentTime() const;
};

}  // namespace ts
