#pragma once

#include <QString>

#include "desktop/hotkeys/DesktopSession.h"

namespace ts {

// What works in this session and through what, as `tessarine-cli doctor` reports it.
struct DesktopCapabilities {
    DesktopSession session;
    HotkeyMechanism hotkeys = HotkeyMechanism::none;
    bool hotkeysOk = false;
    QString read = QStringLiteral("none");       // "x11-copy", "atspi", "virtual-keyboard", "none"
    QString write = QStringLiteral("none");      // "x11-paste", "atspi", "virtual-keyboard", "none"
    QString clipboard = QStringLiteral("none");  // "x11-selections", "data-control", "none"
    bool strip = false;  // the floating strip needs the selection's place on the screen: X11

    bool inPlaceOk() const {
        return read != QLatin1String("none") && write != QLatin1String("none");
    }
};

DesktopCapabilities probeCapabilities();
// Only the session and how text is read and written, without asking about hotkeys: cheap
// enough for a window to ask again when desktop control comes or goes.
DesktopCapabilities probeTextAccess();

}  // namespace ts
