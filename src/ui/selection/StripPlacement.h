#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "desktop/platform/ScreenGeometry.h"
#include "desktop/selection/DragDirection.h"

namespace ts {

// Where the selection strip and the instruction panel go. Everything is global, top left
// origin; every result is the window's top-left corner.
namespace placement {

inline constexpr QSize kStripSize{400, 30};
inline constexpr int kPanelWidth = 480;
inline constexpr int kPanelHeight = 70;
inline constexpr int kPanelHeightWithChips = 110;
inline constexpr int kGap = 6;     // between the strip and the text or pointer
inline constexpr int kMargin = 4;  // kept free inside the work area

// The screen whose frame holds the point; else the primary one (listed first); else none.
std::optional<ScreenArea> screenFor(const QList<ScreenArea>& screens, QPoint point);

// Below the selection, or above it when the strip would come closer than 4 px to the work
// area's bottom; centred on the selection, kept 4 px inside the work area's sides.
QPoint stripAtSelection(const ScreenArea& screen, const QRect& selection);

// Above the pointer after an upward drag, below it after a downward one; the other side when
// the first would leave the work area.
QPoint stripAtPoint(const ScreenArea& screen, QPoint pointer, DragDirection direction);

// The panel's bottom-left corner at the anchor (the strip's bottom-left corner, or the
// pointer), kept 4 px inside the work area.
QPoint panelAtAnchor(const ScreenArea& screen, QPoint anchor, int panelHeight);

// The anchor a strip at this top-left corner gives the panel.
QPoint anchorOfStrip(QPoint stripTopLeft);

}  // namespace placement

}  // namespace ts
