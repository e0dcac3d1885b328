#pragma once

#include <QString>
#include <optional>

#include "desktop/platform/KeyChord.h"

namespace ts {

enum class ClipboardCommand { copy, paste };

inline constexpr quint32 kKeysymC = 0x63;
inline constexpr quint32 kKeysymV = 0x76;

// The keystroke that copies or pastes in the application with this WM_CLASS class: Ctrl+C /
// Ctrl+V, Ctrl+Shift+C / Ctrl+Shift+V in terminal emulators (where Ctrl+C interrupts), and
// nothing in terminals where even Ctrl+Shift+C interrupts the running program (xterm, URxvt).
std::optional<KeyChord> clipboardChord(ClipboardCommand command, const QString& windowClass);

// Whether the application with this WM_CLASS class is a terminal emulator: there a paste is
// typed into the running program, and Ctrl+Z suspends it rather than undoing anything.
bool isTerminal(const QString& windowClass);

}  // namespace ts
