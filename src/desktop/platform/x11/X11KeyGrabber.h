#pragma once

#include <QAbstractNativeEventFilter>
#include <QHash>

#include "desktop/platform/GlobalKeyGrabber.h"

namespace ts {

// Passive grabs on the root window (XGrabKey), matched in Qt's xcb event stream.
class X11KeyGrabber final : public GlobalKeyGrabber, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11KeyGrabber(QObject* parent = nullptr);
    ~X11KeyGrabber() override;

    bool grab(quint32 id, const KeyChord& chord) override;
    void ungrab(quint32 id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        unsigned int keycode = 0;
        unsigned int mask = 0;  // core modifier bits, without lock keys
    };
    bool grabVariants(const Grab& grab);
    void ungrabVariants(const Grab& grab);
    bool heldByOther(quint32 id, const Grab& grab) const;

    QHash<quint32, Grab> grabs_;
    unsigned int heldKeycode_ = 0;  // grabbed key pressed and not yet released
    unsigned int releaseTime_ = 0;
};

}  // namespace ts
