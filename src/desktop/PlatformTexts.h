#pragma once

#include <QString>

namespace ts {

// The text to show on this desktop for a text written for macOS: shortcut glyphs become key
// names ("⌃⌥⌘E" → "Super+Ctrl+Alt+E"), Mac and Keychain wording becomes Linux wording, and the
// few sentences about macOS-only facilities are replaced whole. Other texts pass unchanged.
QString linuxText(const QString& macText);

}  // namespace ts
