#pragma once

#include <QString>

#include "desktop/hotkeys/DesktopSession.h"

namespace ts {

// One sentence on how this desktop delivers our hotkeys; empty on X11, where nothing needs
// saying. For a compositor configured by hand it introduces the lines to add.
QString hotkeyDoorText(const HotkeyDoor& door, Compositor compositor);

}  // namespace ts
