#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace ts {

struct Palette;

// One colour of text as the windows draw it, on the background it is drawn on (translucent
// layers already laid over the window's gradient at its end where the contrast is lowest).
struct TextRole {
    QString name;
    QColor text;
    QColor background;
    bool large = false;  // 18 px bold or larger: 3:1 is enough

    double ratio() const;
    double required() const { return large ? 3.0 : 4.5; }
};

// Every text role of the style sheets and painted views, for one palette.
QList<TextRole> textRoles(const Palette& palette);

// WCAG 2 contrast of two opaque colours, 1 to 21.
double wcagContrast(const QColor& a, const QColor& b);

// `top` with its alpha laid over the opaque `bottom`.
QColor laidOver(const QColor& top, const QColor& bottom);

// The least opacity the "Reviewing" label fades to while it shimmers.
inline constexpr double kShimmerMinOpacity = 0.8;

}  // namespace ts
