#pragma once

#include <QMap>
#include <QStringList>

#include "desktop/hotkeys/DesktopSession.h"
#include "desktop/platform/GlobalKeyGrabber.h"

namespace ts {

class KdeGlobalAccel;
class PortalShortcuts;

// The hotkeys of a Wayland session, where no program may grab keys: each grab goes through the
// desktop's own door (the portal, KDE's service, GNOME's custom shortcuts), or is left to a line
// in the compositor's configuration that runs the trigger command. Presses through the portal
// and KDE arrive as activated(id); the others arrive through the trigger command.
class WaylandHotkeys final : public GlobalKeyGrabber {
    Q_OBJECT
public:
    // `program`: the absolute path the desktop's shortcuts run.
    WaylandHotkeys(DesktopSession session, DoorProbe probe, QString program,
                   QObject* parent = nullptr);
    ~WaylandHotkeys() override;

    bool grab(quint32 id, const KeyChord& chord) override;
    void ungrab(quint32 id) override;

    // From now on ungrab leaves GNOME's entries in place (they start Tessarine) and lets KDE's
    // keys go without forgetting them: called as the program ends.
    void keepRegistrations() { keep_ = true; }

    HotkeyMechanism mechanism() const { return mechanism_; }
    // For a compositor we cannot register with: the lines its configuration needs.
    QStringList configLines() const;

signals:
    // The door changed (the portal bound nothing): the shown state is out of date.
    void mechanismChanged();

private:
    void bindPortal();
    void portalRefused(const QString& why);
    QString commandFor(quint32 id) const;

    DesktopSession session_;
    DoorProbe probe_;
    QString program_;
    HotkeyMechanism mechanism_;
    QMap<quint32, KeyChord> held_;
    KdeGlobalAccel* kde_ = nullptr;
    PortalShortcuts* portal_ = nullptr;
    bool portalPending_ = false;
    bool keep_ = false;
};

}  // namespace ts
