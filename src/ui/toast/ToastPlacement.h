#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace ts {

inline constexpr QSize kToastSize{280, 52};  // the smallest toast
inline constexpr int kToastMaxWidth = 480;   // past this the text wraps
inline constexpr int kToastMargin = 18;

// Top-left corner of the toast: the bottom-right corner of the screen's available area,
// kToastMargin from both edges. Nothing without a screen (the panel keeps where it is).
std::optional<QPoint> toastOrigin(const std::optional<QRect>& availableGeometry,
                                  QSize size = kToastSize, int margin = kToastMargin);

}  // namespace ts
