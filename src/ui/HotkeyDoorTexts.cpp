#include "ui/HotkeyDoorTexts.h"

#include <QCoreApplication>
#include <QDir>

namespace ts {

QString hotkeyDoorText(const HotkeyDoor& door, Compositor compositor) {
    switch (door.mechanism) {
        case HotkeyMechanism::x11Grab:
            return {};
        case HotkeyMechanism::portal:
            return QCoreApplication::translate(
                "ts::HotkeyDoorTexts", "Registered with the desktop's global shortcuts portal.");
        case HotkeyMechanism::kglobalaccel:
            return QCoreApplication::translate(
                "ts::HotkeyDoorTexts",
                "Registered in KDE's global shortcuts (System Settings → Shortcuts → "
                "Tessarine).");
        case HotkeyMechanism::gnomeCustom:
            return QCoreApplication::translate(
                "ts::HotkeyDoorTexts",
                "Registered as custom shortcuts in GNOME's keyboard settings; they start "
                "Tessarine when it is not running.");
        case HotkeyMechanism::compositorConfig: {
            QString file = compositorConfigFile(compositor);
            if (file.startsWith(QDir::homePath() + QLatin1Char('/'))) {
                file = QStringLiteral("~") + file.mid(QDir::homePath().size());
            }
            return file.isEmpty()
                       ? QCoreApplication::translate(
                             "ts::HotkeyDoorTexts",
                             "This desktop takes its shortcuts from its own configuration. Bind "
                             "these keys to these commands there:")
                       : QCoreApplication::translate(
                             "ts::HotkeyDoorTexts",
                             "This desktop takes its shortcuts from its configuration. Add these "
                             "lines to %1 and reload it:")
                             .arg(file);
        }
        case HotkeyMechanism::none:
            break;
    }
    return QCoreApplication::translate("ts::HotkeyDoorTexts",
                                       "Global shortcuts are unavailable on this desktop");
}

}  // namespace ts
