#include "desktop/selection/MouseGestureMonitor.h"

#include <QTimer>
#include <cmath>

#include "desktop/platform/InputMonitor.h"

namespace ts {

MouseGestureMonitor::MouseGestureMonitor(InputMonitor& input, QObject* parent)
    : QObject(parent), input_(input) {}

MouseGestureMonitor::~MouseGestureMonitor() {
    stop();
}

void MouseGestureMonitor::start() {
    if (running_) {
        return;
    }
    running_ = true;
    input_.acquire(InputKind::buttons);
    connect(&input_, &InputMonitor::mousePressed, this, &MouseGestureMonitor::onPressed);
    connect(&input_, &InputMonitor::mouseReleased, this, &MouseGestureMonitor::onReleased);
}

void MouseGestureMonitor::stop() {
    if (!running_) {
        return;
    }
    running_ = false;
    disconnect(&input_, nullptr, this, nullptr);
    input_.release(InputKind::buttons);
    dragStart_.reset();
    delete settling_;
}

void MouseGestureMonitor::onPressed(Qt::MouseButton button, QPoint pos) {
    if (button == Qt::LeftButton) {
        dragStart_ = pos;
    }
}

void MouseGestureMonitor::onReleased(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton || !dragStart_) {
        return;
    }
    const QPoint start = *dragStart_;
    dragStart_.reset();
    const double distance = std::hypot(pos.x() - start.x(), pos.y() - start.y());
    if (distance <= kDragThreshold) {
        return;
    }
    const DragDirection direction =
        pos.y() > start.y() ? DragDirection::downward : DragDirection::upward;
    if (!settling_) {
        settling_ = new QObject(this);
    }
    QTimer::singleShot(kSettleDelayMs, settling_.data(),
                       [this, pos, direction] { emit dragEnded(pos, direction); });
}

}  // namespace ts
