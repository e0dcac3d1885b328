#pragma once

#include <QObject>
#include <QPoint>

namespace ts {

// Mouse, key and wheel input anywhere on the desktop, whichever application it goes to.
// Events flow only while at least one user holds it (acquire/release pairs), so an idle
// program does not wake for every key the user types.
class InputMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~InputMonitor() override = default;

    virtual void acquire() = 0;
    virtual void release() = 0;

signals:
    // button: Qt::LeftButton or Qt::RightButton (others are not reported); pos: the pointer in
    // global screen coordinates (top left origin) at the time of the event.
    void mousePressed(Qt::MouseButton button, QPoint pos);
    void mouseReleased(Qt::MouseButton button, QPoint pos);
    void keyPressed();
    void scrolled();
};

}  // namespace ts
