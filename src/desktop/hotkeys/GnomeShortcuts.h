#pragma once

#include <QString>
#include <optional>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

// Our two entries among the custom shortcuts of GNOME's keyboard settings. GNOME runs their
// command itself, so they work while Tessarine is not running (the command starts it). Only
// entries under our own paths are ever written or removed; the user's stay as they are.
class GnomeShortcuts {
public:
    enum class Entry { window, inPlace };
    enum class Outcome { set, taken, unavailable };

    struct Installed {
        QString binding;  // GNOME's accelerator, as stored
        QString command;
    };

    // GNOME's schema for custom shortcuts is installed.
    static bool available();

    // Adds our entry, or rewrites its binding and command. Keys that another GNOME shortcut
    // holds are refused: our entry is then removed and `holder` names the other one.
    static Outcome install(Entry entry, const Shortcut& shortcut, const QString& command,
                           QString* holder = nullptr);
    static void remove(Entry entry);
    static std::optional<Installed> installed(Entry entry);

    // The name shown in GNOME's keyboard settings.
    static QString entryName(Entry entry);
};

}  // namespace ts
