#include "ui/DesktopControlTexts.h"

#include <QCoreApplication>

#include "desktop/DesktopCapabilities.h"

namespace ts {

namespace {

QString waylandText(const DesktopControlFacts& facts) {
    // The platform's answer wins over the probe's, so the text never contradicts the headline.
    const bool bus = facts.available && facts.accessibilityBus;
    const bool keys = facts.available && facts.keyboardAndClipboard;
    QStringList out;
    if (bus) {
        out << QCoreApplication::translate(
            "ts::DesktopControlTexts",
            "Selected text is read and replaced through the accessibility bus (AT-SPI), "
            "where GTK, Qt and LibreOffice programs offer their text.");
        out << (keys ? QCoreApplication::translate(
                           "ts::DesktopControlTexts",
                           "Programs that are not on the bus are reached by copy and paste "
                           "through this compositor's virtual keyboard and clipboard control.")
                     : QCoreApplication::translate(
                           "ts::DesktopControlTexts",
                           "Programs that are not on the bus can't be rewritten in place: this "
                           "compositor offers no virtual keyboard and clipboard control (sway "
                           "and Hyprland do)."));
        // Setting org.a11y.Status.IsEnabled is what makes Qt programs and browsers join.
        out << QCoreApplication::translate(
            "ts::DesktopControlTexts",
            "While the in-place rewrite is on, programs started afterwards are asked to "
            "expose their text on the bus, which costs them a little memory and speed.");
        return out.join(QLatin1Char(' '));
    }
    out << QCoreApplication::translate(
        "ts::DesktopControlTexts",
        "No accessibility bus was found in this session. It comes with the desktop's "
        "accessibility support: install the package at-spi2-core, then log in again.");
    out << (keys ? QCoreApplication::translate(
                       "ts::DesktopControlTexts",
                       "Until then, text is copied and pasted through this compositor's virtual "
                       "keyboard and clipboard control.")
                 : QCoreApplication::translate(
                       "ts::DesktopControlTexts",
                       "This compositor offers no virtual keyboard and clipboard control to "
                       "fall back on (sway and Hyprland do). The Tessarine window and "
                       "tessarine-cli work as they are."));
    return out.join(QLatin1Char(' '));
}

}  // namespace

DesktopControlFacts desktopControlFacts(bool available) {
    const DesktopCapabilities probe = probeTextAccess();
    return {.session = probe.session.type,
            .available = available,
            .accessibilityBus = probe.read == QLatin1String("atspi"),
            .keyboardAndClipboard = probe.clipboard == QLatin1String("data-control")};
}

QString desktopControlText(const DesktopControlFacts& facts) {
    switch (facts.session) {
        case SessionType::wayland:
            return waylandText(facts);
        case SessionType::x11:
            return facts.available
                       ? QCoreApplication::translate(
                             "ts::DesktopControlTexts",
                             "Select text in any app and press the in-place hotkey to rewrite "
                             "it there.")
                       : QCoreApplication::translate(
                             "ts::DesktopControlTexts",
                             "This X server does not offer the XTEST and XInput 2 extensions "
                             "that Tessarine needs to copy and paste in other apps. Start "
                             "Tessarine in an X11 session whose server has both.");
        case SessionType::none:
            break;
    }
    return QCoreApplication::translate(
        "ts::DesktopControlTexts",
        "Tessarine is not running in an X11 or Wayland session, and other apps' text can only be "
        "read and replaced there. Log in to a desktop session, then start Tessarine again. The "
        "Tessarine window and tessarine-cli work as they are.");
}

}  // namespace ts
