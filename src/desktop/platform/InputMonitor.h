#pragma once

#include <QFlags>
#include <QObject>
#include <QPoint>

namespace ts {

// What a holder of the monitor wants to hear about.
enum class InputKind { buttons = 1, keys = 2, scroll = 4 };
Q_DECLARE_FLAGS(InputKinds, InputKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(InputKinds)

// One holder count per kind, for the implementations.
class InputHolders final {
public:
    // Both return the kinds whose count crossed zero.
    InputKinds add(InputKinds kinds) { return step(kinds, 1); }
    InputKinds remove(InputKinds kinds) { return step(kinds, -1); }
    int count(InputKind kind) const { return counts_[index(kind)]; }
    bool holds(InputKind kind) const { return count(kind) > 0; }

private:
    static int index(InputKind kind) {
        return kind == InputKind::buttons ? 0 : kind == InputKind::keys ? 1 : 2;
    }
    InputKinds step(InputKinds kinds, int by) {
        InputKinds crossed;
        for (InputKind kind : {InputKind::buttons, InputKind::keys, InputKind::scroll}) {
            int& n = counts_[index(kind)];
            if (!kinds.testFlag(kind) || (by < 0 && n == 0)) {
                continue;
            }
            n += by;
            if (n == (by > 0 ? 1 : 0)) {
                crossed |= kind;
            }
        }
        return crossed;
    }

    int counts_[3] = {};
};

// Mouse, key and wheel input anywhere on the desktop, whichever application it goes to.
// Each kind flows only while at least one user holds it (acquire/release pairs of the same
// kinds), so an idle program does not wake for every key the user types.
class InputMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~InputMonitor() override = default;

    virtual void acquire(InputKinds kinds) = 0;
    virtual void release(InputKinds kinds) = 0;

signals:
    // button: Qt::LeftButton or Qt::RightButton (others are not reported); pos: the pointer in
    // global screen coordinates (top left origin) at the time of the event.
    void mousePressed(Qt::MouseButton button, QPoint pos);
    void mouseReleased(Qt::MouseButton button, QPoint pos);
    void keyPressed();
    void scrolled();
};

}  // namespace ts
