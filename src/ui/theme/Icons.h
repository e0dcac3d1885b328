#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace ts::icons {

// The one table from the symbol names the program uses ("sparkle", "checkmark.seal", …) to an
// icon: the desktop theme's freedesktop icon where one fits, else an SVG of our own. Our SVGs
// are drawn in black and tinted here, so one file serves the light and the dark scheme.
QIcon symbol(const QString& name, const QColor& tint);
// Tinted with the current palette's text colour.
QIcon symbol(const QString& name);
// The tinted symbol as a PNG file, for style sheets, which take images by path only; written
// once per name and colour into a folder that lives as long as the process.
QString symbolFile(const QString& name, const QColor& tint);
// True when the table knows the name (unknown names give the "sparkle" icon).
bool has(const QString& name);
// The application's own icon for the tray and the windows.
QIcon appIcon();

}  // namespace ts::icons
