#include "ui/selection/StripPlacement.h"

#include <algorithm>

namespace ts::placement {

namespace {

// QRect's right() and bottom() are the last pixel; these are the edges past it.
int rightEdge(const QRect& rect) {
    return rect.x() + rect.width();
}

int bottomEdge(const QRect& rect) {
    return rect.y() + rect.height();
}

int clampedStripX(const QRect& workArea, int centre) {
    int x = centre - kStripSize.width() / 2;
    x = std::max(x, workArea.x() + kMargin);
    return std::min(x, rightEdge(workArea) - kStripSize.width() - kMargin);
}

}  // namespace

std::optional<ScreenArea> screenFor(const QList<ScreenArea>& screens, QPoint point) {
    for (const ScreenArea& screen : screens) {
        if (screen.frame.contains(point)) {
            return screen;
        }
    }
    if (screens.isEmpty()) {
        return std::nullopt;
    }
    return screens.first();
}

QPoint stripAtSelection(const ScreenArea& screen, const QRect& selection) {
    const QRect& work = screen.workArea;
    int top = bottomEdge(selection) + kGap;
    if (top + kStripSize.height() > bottomEdge(work) - kMargin) {
        top = selection.y() - kStripSize.height() - kGap;
    }
    return {clampedStripX(work, selection.x() + selection.width() / 2), top};
}

QPoint stripAtPoint(const ScreenArea& screen, QPoint pointer, DragDirection direction) {
    const QRect& work = screen.workArea;
    const int above = pointer.y() - kGap - kStripSize.height();
    const int below = pointer.y() + kGap;
    int top = direction == DragDirection::upward ? above : below;
    if (top + kStripSize.height() > bottomEdge(work) - kMargin) {
        top = above;
    } else if (top < work.y() + kMargin) {
        top = below;
    }
    return {clampedStripX(work, pointer.x()), top};
}

QPoint panelAtAnchor(const ScreenArea& screen, QPoint anchor, int panelHeight) {
    const QRect& work = screen.workArea;
    const int x = std::clamp(anchor.x(), work.x() + kMargin,
                             std::max(work.x() + kMargin, rightEdge(work) - kPanelWidth - kMargin));
    const int lowest = std::max(work.y() + kMargin, bottomEdge(work) - panelHeight - kMargin);
    const int y = std::clamp(anchor.y() - panelHeight, work.y() + kMargin, lowest);
    return {x, y};
}

QPoint anchorOfStrip(QPoint stripTopLeft) {
    return {stripTopLeft.x(), stripTopLeft.y() + kStripSize.height()};
}

}  // namespace ts::placement
