#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace ts {

// One screen in global coordinates (origin top left, y down). workArea leaves out panels and
// docks (the window manager's work area).
struct ScreenArea {
    QRect frame;
    QRect workArea;

    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

class ScreenGeometry {
public:
    virtual ~ScreenGeometry() = default;
    virtual QPoint pointer() const = 0;
    // The primary screen first; empty without any screen.
    virtual QList<ScreenArea> screens() const = 0;
};

}  // namespace ts
