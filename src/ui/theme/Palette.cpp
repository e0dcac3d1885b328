#include "ui/theme/Palette.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStyleHints>

namespace ts {

namespace {

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

std::function<QString()>& appearanceSource() {
    static std::function<QString()> source;
    return source;
}

}  // namespace

const Palette& Palette::light() {
    static const Palette palette{
        .gradientA = QColor(0xE9, 0xEE, 0xF3),
        .gradientB = QColor(0xF6, 0xF9, 0xFC),
        .cardBg = withAlpha(Qt::white, 0.70),
        .cardBorder = withAlpha(Qt::black, 0.08),
        .text = QColor(0x0F, 0x1B, 0x2A),
        .textDim = QColor(0x4A, 0x5A, 0x6C),
        .textDimmer = QColor(0x58, 0x66, 0x73),
        .placeholder = QColor(0x5B, 0x69, 0x77),
        .divider = withAlpha(Qt::black, 0.08),
        .cyan = QColor(0x06, 0x6A, 0x80),
        .cyanSoft = withAlpha(QColor(0x06, 0x6A, 0x80), 0.15),
        .magenta = QColor(0xC0, 0x26, 0xD3),
        .green = QColor(0x13, 0x73, 0x3A),
        .red = QColor(0xB9, 0x1C, 0x1C),
        .pillBg = withAlpha(Qt::black, 0.04),
        .pillBorder = withAlpha(Qt::black, 0.10),
        .pillSelected = QColor(0x0F, 0x1B, 0x2A),
        .pillSelectedText = Qt::white,
        .ctaText = Qt::white,
        .ctaGradientTop = QColor(0x0B, 0x7A, 0x94),
        .ctaGradientBottom = QColor(0x08, 0x64, 0x79),
    };
    return palette;
}

const Palette& Palette::dark() {
    static const Palette palette{
        .gradientA = QColor(0x1C, 0x2B, 0x3A),
        .gradientB = QColor(0x0A, 0x11, 0x1B),
        .cardBg = withAlpha(Qt::white, 0.08),
        .cardBorder = withAlpha(Qt::white, 0.12),
        .text = QColor(0xE8, 0xEE, 0xF5),
        .textDim = QColor(0xA9, 0xB6, 0xC4),
        .textDimmer = QColor(0x9D, 0xAA, 0xB8),
        .placeholder = QColor(0x9A, 0xA7, 0xB5),
        .divider = withAlpha(Qt::white, 0.10),
        .cyan = QColor(0x38, 0xD0, 0xF0),
        .cyanSoft = withAlpha(QColor(0x38, 0xD0, 0xF0), 0.18),
        .magenta = QColor(0xE8, 0x79, 0xF9),
        .green = QColor(0x4A, 0xDE, 0x80),
        .red = QColor(0xFC, 0x9A, 0x9A),
        .pillBg = withAlpha(Qt::white, 0.06),
        .pillBorder = withAlpha(Qt::white, 0.14),
        .pillSelected = QColor(0xE8, 0xEE, 0xF5),
        .pillSelectedText = QColor(0x0A, 0x11, 0x1B),
        .ctaText = QColor(0x0A, 0x11, 0x1B),
        .ctaGradientTop = QColor(0x5E, 0xE0, 0xF7),
        .ctaGradientBottom = QColor(0x22, 0xB8, 0xD9),
    };
    return palette;
}

bool Palette::isDark(const QString& appearance, bool systemIsDark) {
    if (appearance == QLatin1String("light")) {
        return false;
    }
    if (appearance == QLatin1String("dark")) {
        return true;
    }
    return systemIsDark;
}

const Palette& Palette::forAppearance(const QString& appearance, bool systemIsDark) {
    return isDark(appearance, systemIsDark) ? dark() : light();
}

void Palette::setAppearanceSource(std::function<QString()> source) {
    appearanceSource() = std::move(source);
}

const Palette& Palette::current() {
    const QString appearance = appearanceSource() ? appearanceSource()() : QString();
    return forAppearance(appearance, systemPrefersDark());
}

bool Palette::systemPrefersDark() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (const Qt::ColorScheme scheme = QGuiApplication::styleHints()->colorScheme();
        scheme != Qt::ColorScheme::Unknown) {
        return scheme == Qt::ColorScheme::Dark;
    }
#endif
    // Without a colour-scheme hint (Qt 6.4), a dark window colour is what dark themes set.
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

}  // namespace ts
