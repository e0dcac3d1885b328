#pragma once

#include <QString>

namespace ts {

struct Palette;

// Every colour, radius and font size of the windows comes from here, as one style sheet built
// from the palette. Views mark their widgets with object names and dynamic properties
// ("role": "heading", "accent", "sectionLabel", "chip", "primary", …) and never set colours.
QString windowStyleSheet(const Palette& palette);

// The result view's rules, kept beside the view's own needs but composed into the sheet above.
QString resultViewStyleSheet(const Palette& palette);
// The first-run window's rules, composed into the sheet above likewise.
QString onboardingStyleSheet(const Palette& palette);

}  // namespace ts
