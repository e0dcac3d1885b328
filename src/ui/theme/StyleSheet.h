#pragma once

#include <QColor>
#include <QString>
#include <initializer_list>
#include <utility>

namespace ts {

struct Palette;

// Every colour, radius and font size of the windows comes from here, as one style sheet built
// from the palette. Views mark their widgets with object names and dynamic properties
// ("role": "heading", "accent", "sectionLabel", "chip", "primary", …) and never set colours.
QString windowStyleSheet(const Palette& palette);

// Fills the %{name} slots of a rules template with the palette's colours (every field by its
// name, plus ctaTop and ctaBottom for the button gradient) and any extra named colours.
QString filledStyleSheet(const char* rules, const Palette& palette,
                         std::initializer_list<std::pair<const char*, QColor>> extra = {});

// The result view's rules, kept beside the view's own needs but composed into the sheet above.
QString resultViewStyleSheet(const Palette& palette);
// The first-run window's rules, composed into the sheet above likewise.
QString onboardingStyleSheet(const Palette& palette);
// The settings window's rules, composed into the sheet above likewise.
QString settingsWindowStyleSheet(const Palette& palette);
// The selection strip's and the instruction panel's rules, composed likewise.
QString selectionStyleSheet(const Palette& palette);

}  // namespace ts
