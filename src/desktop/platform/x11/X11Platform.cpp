#include "desktop/platform/x11/X11Platform.h"

#include "desktop/platform/QtScreenGeometry.h"
#include "desktop/platform/atspi/AtspiBus.h"
#include "desktop/platform/atspi/AtspiFocusedText.h"
#include "desktop/platform/atspi/AtspiSelection.h"
#include "desktop/platform/x11/X11Clipboard.h"
#include "desktop/platform/x11/X11DesktopControl.h"
#include "desktop/platform/x11/X11FrontmostApp.h"
#include "desktop/platform/x11/X11InputMonitor.h"
#include "desktop/platform/x11/X11KeyGrabber.h"
#include "desktop/platform/x11/X11KeySynthesizer.h"
#include "desktop/platform/x11/X11ModifierState.h"
#include "desktop/platform/x11/X11PrimarySelection.h"

namespace ts {

X11Platform::X11Platform()
    : clipboard_(std::make_unique<X11Clipboard>()),
      keys_(std::make_unique<X11KeySynthesizer>()),
      modifiers_(std::make_unique<X11ModifierState>()),
      frontmost_(std::make_unique<X11FrontmostApp>()),
      keyGrabber_(std::make_unique<X11KeyGrabber>()),
      desktopControl_(std::make_unique<X11DesktopControl>()),
      primary_(std::make_unique<X11PrimarySelection>()),
      input_(std::make_unique<X11InputMonitor>()),
      screens_(std::make_unique<QtScreenGeometry>()),
      atspi_(std::make_unique<AtspiBus>()),
      accessible_(std::make_unique<AtspiSelection>(*atspi_)),
      focusedText_(std::make_unique<AtspiFocusedText>(*atspi_)) {}

X11Platform::~X11Platform() = default;

Platform X11Platform::platform() {
    return Platform{*clipboard_, *keys_,  *modifiers_, *frontmost_,  *keyGrabber_, *desktopControl_,
                    *primary_,   *input_, *screens_,   *accessible_, *focusedText_};
}

}  // namespace ts
