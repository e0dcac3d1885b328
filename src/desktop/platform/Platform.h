#pragma once

#include "desktop/platform/AccessibleSelection.h"
#include "desktop/platform/Clipboard.h"
#include "desktop/platform/DesktopControl.h"
#include "desktop/platform/FocusedText.h"
#include "desktop/platform/FrontmostApp.h"
#include "desktop/platform/GlobalKeyGrabber.h"
#include "desktop/platform/InputMonitor.h"
#include "desktop/platform/KeySynthesizer.h"
#include "desktop/platform/ModifierState.h"
#include "desktop/platform/PrimarySelection.h"
#include "desktop/platform/ScreenGeometry.h"

namespace ts {

// Everything desktop-specific, handed to the services that need it. The owner (X11Platform in
// the app, FakePlatform in tests) outlives every user of these references.
struct Platform {
    Clipboard& clipboard;
    KeySynthesizer& keys;
    ModifierState& modifiers;
    FrontmostApp& frontmost;
    GlobalKeyGrabber& keyGrabber;
    DesktopControl& desktopControl;
    PrimarySelection& primary;
    InputMonitor& input;
    ScreenGeometry& screens;
    AccessibleSelection& accessible;
    FocusedText& focusedText;
};

}  // namespace ts
