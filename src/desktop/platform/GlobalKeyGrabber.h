#pragma once

#include <QObject>

#include "desktop/platform/KeyChord.h"

namespace ts {

// System-wide key combinations, each under a caller-chosen id. Several ids may hold the same
// chord; a press then activates each of them.
class GlobalKeyGrabber : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~GlobalKeyGrabber() override = default;

    // Replaces any grab under this id. False (and logged) when the desktop refuses the chord,
    // for example because another program holds it; the id then holds nothing.
    virtual bool grab(quint32 id, const KeyChord& chord) = 0;
    virtual void ungrab(quint32 id) = 0;

signals:
    void activated(quint32 id);
};

}  // namespace ts
