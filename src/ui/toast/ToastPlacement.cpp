#include "ui/toast/ToastPlacement.h"

namespace ts {

std::optional<QPoint> toastOrigin(const std::optional<QRect>& availableGeometry, QSize size,
                                  int margin) {
    if (!availableGeometry || availableGeometry->isEmpty()) {
        return std::nullopt;
    }
    const QRect& area = *availableGeometry;
    // x() + width() is the first pixel past the area (QRect::right() is the last one inside).
    return QPoint(area.x() + area.width() - size.width() - margin,
                  area.y() + area.height() - size.height() - margin);
}

}  // namespace ts
