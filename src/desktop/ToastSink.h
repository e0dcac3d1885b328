#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace ts {

// The kinds of toast; the desktop layer reports through a sink so it needs no widgets.
enum class ToastKind { info, success, error };

// Shows one toast; without a duration it stays until the next one replaces it.
using ToastSink = std::function<void(const QString& text, ToastKind kind,
                                     std::optional<std::chrono::milliseconds> duration)>;

inline constexpr std::chrono::milliseconds kOutcomeToastDuration{3000};

}  // namespace ts
