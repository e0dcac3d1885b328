#include "desktop/selection/SuppressedApps.h"

#include <QSet>

namespace ts {

namespace {

const QSet<QString>& suppressed() {
    static const QSet<QString> names = [] {
        const char* const entries[] = {
            // The original identifiers.
            "com.apple.finder", "com.bitwarden.desktop", "com.1password.1password",
            "com.agilebits.onepassword7", "com.dashlane.Dashlane", "com.lastpass.LastPass",
            "com.apple.keychainaccess", "com.apple.ActivityMonitor", "com.apple.systempreferences",
            "com.apple.Console", "com.apple.calculator", "com.apple.DiskUtility",
            // File managers.
            "Nautilus", "org.gnome.Nautilus", "dolphin", "Thunar", "Nemo", "Pcmanfm", "Caja",
            // Password managers.
            "KeePassXC", "Bitwarden", "1Password", "Seahorse",
            // System monitors, settings, calculators, disk tools.
            "Gnome-system-monitor", "plasma-systemmonitor", "Gnome-control-center",
            "systemsettings", "gnome-calculator", "kcalc", "Galculator", "Gnome-disks"};
        QSet<QString> set;
        for (const char* entry : entries) {
            set.insert(QString::fromLatin1(entry).toCaseFolded());
        }
        return set;
    }();
    return names;
}

}  // namespace

bool isSuppressedApp(const QString& windowClass) {
    return !windowClass.isEmpty() && suppressed().contains(windowClass.toCaseFolded());
}

}  // namespace ts
