#pragma once

#include <QColor>
#include <QString>
#include <functional>

namespace ts {

// The named colours every view draws with, in a light and a dark variant.
struct Palette {
    QColor gradientA;
    QColor gradientB;
    QColor cardBg;
    QColor cardBorder;
    QColor text;
    QColor textDim;
    QColor textDimmer;
    QColor placeholder;
    QColor divider;
    QColor cyan;
    QColor cyanSoft;
    QColor magenta;
    QColor green;
    QColor red;
    QColor pillBg;
    QColor pillBorder;
    QColor pillSelected;
    QColor pillSelectedText;
    QColor ctaText;
    QColor ctaGradientTop;
    QColor ctaGradientBottom;

    static const Palette& light();
    static const Palette& dark();

    // "light" and "dark" choose; anything else follows the desktop.
    static bool isDark(const QString& appearance, bool systemIsDark);
    static const Palette& forAppearance(const QString& appearance, bool systemIsDark);

    // Where views read the appearance setting from; the app points this at its settings.
    static void setAppearanceSource(std::function<QString()> source);
    // The palette for the current appearance setting and desktop colour scheme.
    static const Palette& current();
    static bool systemPrefersDark();
};

}  // namespace ts
