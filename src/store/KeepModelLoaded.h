#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace ts {

// How long the local server keeps the chosen model loaded after Tessarine asked for it.
enum class KeepModelLoaded { fiveMinutes, thirtyMinutes, oneHour, whileRunning };

const QList<KeepModelLoaded>& keepModelLoadedChoices();
// The stored text: "5m", "30m", "1h", "whileRunning".
QString rawValue(KeepModelLoaded value);
std::optional<KeepModelLoaded> keepModelLoadedFromRaw(const QString& raw);
// "5 minutes", …, "While Tessarine runs".
QString label(KeepModelLoaded value);

}  // namespace ts
