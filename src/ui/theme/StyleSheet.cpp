#include "ui/theme/StyleSheet.h"

#include <QColor>

#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

QString css(const QColor& color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF(), 0, 'f', 3);
}

const char* const kMainWindowRules = R"(
#mainWindow { color: %{text}; font-size: 13px; }
#mainWindow QLabel { color: %{text}; background: transparent; }
#mainWindow QLabel[role="heading"] { font-size: 24px; font-weight: 600; color: %{text}; }
#mainWindow QLabel[role="headingAccent"] { font-size: 24px; font-weight: 600; color: %{cyan}; }
#mainWindow QLabel[role="sectionLabel"] {
    font-size: 11px; font-weight: 600; letter-spacing: 1px; color: %{textDimmer}; }
#mainWindow QLabel[role="pickerLabel"] { font-size: 11px; color: %{textDimmer}; }
#mainWindow QLabel[role="hint"] { font-size: 12px; color: %{textDimmer}; }
#mainWindow QLabel[role="shimmer"] { font-size: 15px; font-weight: 600; color: %{text}; }
#mainWindow QLabel[role="bodyText"] { color: %{textDim}; }
#mainWindow QLabel[role="keycap"] {
    font-family: monospace; font-size: 12px; color: %{text}; background: %{pillBg};
    border: 1px solid %{pillBorder}; border-radius: 5px; padding: 2px 6px; }

#modeSelector { background: %{pillBg}; border: 1px solid %{pillBorder}; border-radius: 9px; }
#mainWindow QToolButton[role="segment"] {
    color: %{textDim}; background: transparent; border: none; border-radius: 7px;
    padding: 5px 6px; font-size: 12px; font-weight: 500; }
#mainWindow QToolButton[role="segment"]:hover { background: %{cyanSoft}; }
#mainWindow QToolButton[role="segment"]:checked {
    color: %{pillSelectedText}; background: %{pillSelected}; }
#mainWindow QToolButton[role="segment"]:focus { border: 1px solid %{cyan}; }
#mainWindow QToolButton[role="toolbar"] {
    background: transparent; border: 1px solid transparent; border-radius: 7px; padding: 4px; }
#mainWindow QToolButton[role="toolbar"]:hover { background: %{pillBg}; border-color: %{pillBorder}; }
#mainWindow QToolButton[role="toolbar"]:focus { border-color: %{cyan}; }

#mainWindow QPlainTextEdit[role="field"], #mainWindow QLineEdit[role="field"] {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder};
    border-radius: 10px; padding: 8px; font-size: 14px;
    selection-background-color: %{cyan}; selection-color: %{ctaText}; }
#mainWindow QPlainTextEdit[role="field"]:focus, #mainWindow QLineEdit[role="field"]:focus {
    border: 1px solid %{cyan}; }
#mainWindow QPlainTextEdit[role="preview"] {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder};
    border-radius: 10px; padding: 8px; font-size: 14px; }
#streamingCaret { background: %{cyan}; }

#mainWindow QPushButton[role="primary"] {
    color: %{ctaText}; font-weight: 600; font-size: 14px; border: none; border-radius: 10px;
    padding: 8px 18px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %{ctaTop}, stop:1 %{ctaBottom}); }
#mainWindow QPushButton[role="primary"]:focus { border: 2px solid %{text}; }
#mainWindow QPushButton[role="primary"]:disabled { background: %{pillBg}; color: %{textDimmer}; }
#mainWindow QPushButton[role="secondary"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 6px 12px; }
#mainWindow QPushButton[role="secondary"]:hover { background: %{cyanSoft}; }
#mainWindow QPushButton[role="secondary"]:focus { border-color: %{cyan}; }
#mainWindow QPushButton[role="link"] {
    color: %{cyan}; background: transparent; border: none; padding: 2px 4px; font-size: 12px; }
#mainWindow QPushButton[role="link"]:focus { text-decoration: underline; }

#mainWindow QComboBox {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 5px 10px; font-size: 12px; }
#mainWindow QComboBox:focus { border-color: %{cyan}; }
#mainWindow QComboBox::drop-down { border: none; background: transparent; width: 16px; }
#mainWindow QComboBox QAbstractItemView {
    color: %{text}; background: %{gradientB}; selection-background-color: %{cyanSoft};
    selection-color: %{text}; }

#mainWindow QWidget[role="badge"] { background: %{cyanSoft}; border-radius: 8px; }
#mainWindow QLabel[role="badgeText"] { color: %{text}; font-size: 11px; }
#mainWindow QFrame[role="chip"] {
    background: %{pillBg}; border: 1px solid %{pillBorder}; border-radius: 12px; }
#mainWindow QFrame[role="chip"][active="true"] { background: %{cyanSoft}; border-color: %{cyan}; }
#mainWindow QPushButton[role="chipLabel"] {
    color: %{text}; background: transparent; border: none; font-size: 12px; padding: 2px; }
#mainWindow QPushButton[role="chipLabel"]:focus { color: %{cyan}; }
#mainWindow QToolButton[role="chipDelete"] { background: transparent; border: none; padding: 2px; }
#mainWindow QToolButton[role="chipDelete"]:focus { border: 1px solid %{cyan}; border-radius: 4px; }
#chipScroller, #chipScroller > QWidget > QWidget { background: transparent; }

#errorBanner {
    background: %{cardBg}; border: 1px solid %{red}; border-radius: 10px; }
#mainWindow QLabel[role="bannerTitle"] { font-weight: 600; color: %{red}; }
#mainWindow QLabel[role="bannerText"] { color: %{textDim}; }

#overlay { background: %{gradientB}; }
#mainWindow QLabel[role="overlayTitle"] { font-size: 17px; font-weight: 600; }
#historyList {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 10px;
    padding: 4px; }
#historyList::item { padding: 8px 6px; border-bottom: 1px solid %{divider}; }
#historyList::item:selected { background: %{cyanSoft}; color: %{text}; }
#mainWindow QScrollBar:vertical { background: transparent; width: 8px; }
#mainWindow QScrollBar::handle:vertical { background: %{pillBorder}; border-radius: 4px; min-height: 24px; }
#mainWindow QScrollBar::add-line, #mainWindow QScrollBar::sub-line { height: 0; width: 0; }
)";

}  // namespace

QString filledStyleSheet(const char* rules, const Palette& p,
                         std::initializer_list<std::pair<const char*, QColor>> extra) {
    const std::pair<const char*, QColor> colours[] = {
        {"textDimmer", p.textDimmer},
        {"textDim", p.textDim},
        {"text", p.text},
        {"placeholder", p.placeholder},
        {"cardBg", p.cardBg},
        {"cardBorder", p.cardBorder},
        {"divider", p.divider},
        {"cyanSoft", p.cyanSoft},
        {"cyan", p.cyan},
        {"magenta", p.magenta},
        {"green", p.green},
        {"red", p.red},
        {"pillBg", p.pillBg},
        {"pillBorder", p.pillBorder},
        {"pillSelectedText", p.pillSelectedText},
        {"pillSelected", p.pillSelected},
        {"ctaText", p.ctaText},
        {"ctaTop", p.ctaGradientTop},
        {"ctaBottom", p.ctaGradientBottom},
        {"gradientA", p.gradientA},
        {"gradientB", p.gradientB},
    };
    QString sheet = QString::fromUtf8(rules);
    const auto put = [&sheet](const char* name, const QColor& colour) {
        sheet.replace(QStringLiteral("%{") + QLatin1String(name) + QLatin1Char('}'), css(colour));
    };
    for (const auto& [name, colour] : extra) {
        put(name, colour);
    }
    for (const auto& [name, colour] : colours) {
        put(name, colour);
    }
    return sheet;
}

QString windowStyleSheet(const Palette& palette) {
    // The drop-down rules above replace the style's arrow, so the sheet draws its own.
    const QString arrow =
        QStringLiteral(
            "#mainWindow QComboBox::down-arrow, #settingsWindow "
            "QComboBox::down-arrow, #onboarding QComboBox::down-arrow "
            "{ image: url(%1); width: 10px; height: 10px; }\n")
            .arg(icons::symbolFile(QStringLiteral("chevron.down"), palette.textDim));
    return filledStyleSheet(kMainWindowRules, palette) + onboardingStyleSheet(palette) +
           resultViewStyleSheet(palette) + settingsWindowStyleSheet(palette) +
           selectionStyleSheet(palette) + arrow;
}

}  // namespace ts
