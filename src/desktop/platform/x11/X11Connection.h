#pragma once

#include <QtGlobal>

struct _XDisplay;

namespace ts::x11 {

// Qt's own Xlib connection, or null when the application does not run on an X server
// (offscreen, Wayland, no QGuiApplication).
_XDisplay* qtDisplay();

// The modifier bit NumLock is mapped to right now (Mod2 on most servers), 0 when unmapped.
unsigned int numLockMask(_XDisplay* display);

}  // namespace ts::x11
