#include "ui/theme/TextContrast.h"

#include <algorithm>
#include <cmath>

#include "ui/theme/Palette.h"

namespace ts {

namespace {

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

// The gradient's end where `text` has the lower contrast.
QColor worseEnd(const QColor& text, const Palette& p, const QColor& layer = Qt::transparent) {
    const QColor a = laidOver(layer, p.gradientA);
    const QColor b = laidOver(layer, p.gradientB);
    return wcagContrast(laidOver(text, a), a) <= wcagContrast(laidOver(text, b), b) ? a : b;
}

}  // namespace

QColor laidOver(const QColor& top, const QColor& bottom) {
    const double alpha = top.alphaF();
    const QColor t = top.toRgb();
    const QColor u = bottom.toRgb();
    return QColor::fromRgbF(static_cast<float>(t.redF() * alpha + u.redF() * (1 - alpha)),
                            static_cast<float>(t.greenF() * alpha + u.greenF() * (1 - alpha)),
                            static_cast<float>(t.blueF() * alpha + u.blueF() * (1 - alpha)));
}

double wcagContrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double TextRole::ratio() const {
    return wcagContrast(laidOver(text, background), background);
}

QList<TextRole> textRoles(const Palette& p) {
    const auto onWindow = [&p](const QString& name, const QColor& text, bool large = false) {
        return TextRole{name, text, worseEnd(text, p), large};
    };
    const auto onLayer = [&p](const QString& name, const QColor& text, const QColor& layer) {
        return TextRole{name, text, worseEnd(text, p, layer), false};
    };
    const QColor card = p.cardBg;
    const QColor pillOnCard = laidOver(p.pillBg, laidOver(card, p.gradientA));
    QColor shimmer = p.text;
    shimmer.setAlphaF(static_cast<float>(kShimmerMinOpacity));
    return {
        onWindow(QStringLiteral("text"), p.text),
        onLayer(QStringLiteral("text on a card or field"), p.text, card),
        onLayer(QStringLiteral("text on a pill or combo box"), p.text, p.pillBg),
        onLayer(QStringLiteral("text on a selected row"), p.text, p.cyanSoft),
        onWindow(QStringLiteral("secondary text, helper lines"), p.textDim),
        onLayer(QStringLiteral("secondary text on a card"), p.textDim, card),
        onLayer(QStringLiteral("mode segment"), p.textDim, p.pillBg),
        onWindow(QStringLiteral("section labels, Tone and Context, esc to cancel"), p.textDimmer),
        onLayer(QStringLiteral("card detail line"), p.textDimmer, card),
        onLayer(QStringLiteral("placeholder in a field"), p.placeholder, card),
        onWindow(QStringLiteral("links, Keep all and Undo all"), p.cyan),
        onLayer(QStringLiteral("card subtitle"), p.cyan, card),
        TextRole{QStringLiteral("From clipboard badge"), p.text,
                 laidOver(p.cyanSoft, worseEnd(p.text, p, card)), false},
        onWindow(QStringLiteral("Reviewing at its faintest"), shimmer),
        onWindow(QStringLiteral("heading accent (24 px semibold)"), p.cyan, true),
        onWindow(QStringLiteral("Connected"), p.green),
        onLayer(QStringLiteral("Connected on a card"), p.green, card),
        onWindow(QStringLiteral("error lines"), p.red),
        onLayer(QStringLiteral("error banner title"), p.red, card),
        TextRole{QStringLiteral("selected pill or tab"), p.pillSelectedText, p.pillSelected, false},
        TextRole{QStringLiteral("primary button (top)"), p.ctaText, p.ctaGradientTop, false},
        TextRole{QStringLiteral("primary button (bottom)"), p.ctaText, p.ctaGradientBottom, false},
        TextRole{QStringLiteral("pill on a card"), p.text, pillOnCard, false},
    };
}

}  // namespace ts
