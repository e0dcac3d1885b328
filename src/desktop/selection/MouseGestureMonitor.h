#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

#include "desktop/selection/DragDirection.h"

namespace ts {

class InputMonitor;

// The fallback for applications that tell no selection bounds: a left-button drag anywhere
// longer than 5 px is reported, 40 ms after the release, with where it ended.
class MouseGestureMonitor final : public QObject {
    Q_OBJECT
public:
    static constexpr double kDragThreshold = 5.0;
    static constexpr int kSettleDelayMs = 40;

    explicit MouseGestureMonitor(InputMonitor& input, QObject* parent = nullptr);
    ~MouseGestureMonitor() override;

    void start();
    void stop();
    bool isRunning() const { return running_; }

signals:
    // end: global, top left origin.
    void dragEnded(QPoint end, DragDirection direction);

private:
    void onPressed(Qt::MouseButton button, QPoint pos);
    void onReleased(Qt::MouseButton button, QPoint pos);

    InputMonitor& input_;
    std::optional<QPoint> dragStart_;
    QPointer<QObject> settling_;  // deleted on stop, which drops a pending report
    bool running_ = false;
};

}  // namespace ts
