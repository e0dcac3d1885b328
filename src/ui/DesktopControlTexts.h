#pragma once

#include <QString>

#include "desktop/hotkeys/DesktopSession.h"

namespace ts {

// What this session offers for reading and replacing other programs' selected text.
struct DesktopControlFacts {
    SessionType session = SessionType::none;
    bool available = false;             // what the platform's desktop control reports
    bool accessibilityBus = false;      // org.a11y.Bus is on the session bus
    bool keyboardAndClipboard = false;  // the compositor's virtual keyboard and clipboard control
};

// Asks the session around the platform's own answer.
DesktopControlFacts desktopControlFacts(bool available);

// The sentences the alert, the General tab and the first-run step show about desktop control:
// how it works here, or what is missing and how to get it.
QString desktopControlText(const DesktopControlFacts& facts);

}  // namespace ts
