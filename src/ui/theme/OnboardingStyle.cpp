#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

namespace ts {

namespace {

// Scoped to the first-run window (#onboarding), so none of these rules reaches another one.
const char* const kOnboardingRules = R"(
#onboarding { color: %{text}; font-size: 13px; }
#onboarding QLabel { color: %{text}; background: transparent; }
#onboarding QStackedWidget, #onboarding QScrollArea#onboardingScroll,
#onboarding QScrollArea#onboardingScroll > QWidget > QWidget { background: transparent; border: none; }
#onboardingDivider { background: %{divider}; }
#onboarding QLabel[role="heading"] { font-size: 22px; font-weight: 600; }
#onboarding QLabel[role="headingAccent"] { font-size: 22px; font-weight: 600; color: %{cyan}; }
#onboarding QLabel[role="subtitle"] { font-size: 13px; color: %{textDim}; }
#onboarding QLabel[role="body"] { font-size: 13px; }
#onboarding QLabel[role="note"] { font-size: 12px; color: %{textDimmer}; }
#onboarding QLabel[role="footnote"] { font-size: 11px; color: %{textDimmer}; }
#onboarding QLabel[role="fieldLabel"] { font-size: 12px; font-weight: 600; color: %{textDim}; }
#onboarding QLabel[role="sectionLabel"] {
    font-size: 11px; font-weight: 600; letter-spacing: 1px; color: %{textDimmer}; }
#onboarding QLabel[role="status"] { font-size: 13px; font-weight: 500; color: %{textDim}; }
#onboarding QLabel[role="cardTitle"] { font-size: 14px; font-weight: 600; }
#onboarding QLabel[role="cardLead"] { font-size: 12px; font-weight: 500; color: %{cyan}; }
#onboarding QLabel[role="cardText"] { font-size: 12px; color: %{textDim}; }
#onboarding QLabel[role="cardDim"] { font-size: 11px; color: %{textDimmer}; }
#onboarding QLabel[role="installed"], #onboarding QLabel[role="success"],
#onboarding QLabel[role="result"][state="success"] { color: %{green}; font-weight: 600; }
#onboarding QLabel[role="result"][state="warning"], #onboarding QLabel[role="error"] {
    color: %{red}; font-size: 12px; }
#onboarding QLabel[role="keycap"] {
    font-family: monospace; font-size: 12px; background: %{pillBg};
    border: 1px solid %{pillBorder}; border-radius: 5px; padding: 3px 8px; }

#onboarding QFrame[role="card"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 12px; }
#onboarding QPushButton[role="choiceCard"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 14px; text-align: left; }
#onboarding QPushButton[role="choiceCard"]:hover { border-color: %{cyan}; }
#onboarding QPushButton[role="choiceCard"]:focus { border: 2px solid %{cyan}; }

#onboarding QPushButton[role="pill"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 14px; padding: 5px 14px; font-size: 13px; }
#onboarding QPushButton[role="pill"]:checked {
    color: %{pillSelectedText}; background: %{pillSelected}; border-color: %{pillSelected}; }
#onboarding QPushButton[role="pill"]:focus { border: 2px solid %{cyan}; }

#onboarding QLineEdit[role="field"] {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder};
    border-radius: 9px; padding: 7px 9px; font-size: 13px;
    selection-background-color: %{cyan}; selection-color: %{ctaText}; }
#onboarding QLineEdit[role="field"]:focus { border: 1px solid %{cyan}; }

#onboarding QPushButton[role="primary"] {
    color: %{ctaText}; font-weight: 600; font-size: 13px; border: none; border-radius: 9px;
    padding: 7px 16px; min-height: 20px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %{ctaTop}, stop:1 %{ctaBottom}); }
#onboarding QPushButton[role="primary"]:focus { border: 2px solid %{text}; }
#onboarding QPushButton[role="primary"]:disabled { background: %{pillBg}; color: %{textDimmer}; }
#onboarding QPushButton[role="secondary"], #onboarding QPushButton[role="footer"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 6px 12px; }
#onboarding QPushButton[role="secondary"]:hover, #onboarding QPushButton[role="footer"]:hover {
    background: %{cyanSoft}; }
#onboarding QPushButton[role="secondary"]:focus, #onboarding QPushButton[role="footer"]:focus {
    border-color: %{cyan}; }
#onboarding QPushButton[role="secondary"]:disabled { color: %{textDimmer}; }
#onboarding QPushButton[role="link"] {
    color: %{cyan}; background: transparent; border: none; padding: 2px 0; font-size: 12px;
    text-align: left; }
#onboarding QPushButton[role="link"]:focus, #onboarding QPushButton[role="link"]:hover {
    text-decoration: underline; }
#onboarding QPushButton[role="plain"] {
    color: %{textDim}; background: transparent; border: 1px solid transparent;
    border-radius: 6px; padding: 2px 8px; font-size: 12px; }
#onboarding QPushButton[role="plain"]:hover { color: %{text}; }
#onboarding QPushButton[role="plain"]:focus { border-color: %{cyan}; }

#onboarding QProgressBar {
    background: %{pillBg}; border: none; border-radius: 3px; }
#onboarding QProgressBar::chunk { background: %{cyan}; border-radius: 3px; }
#onboarding QScrollBar:vertical { background: transparent; width: 8px; }
#onboarding QScrollBar::handle:vertical {
    background: %{pillBorder}; border-radius: 4px; min-height: 24px; }
#onboarding QScrollBar::add-line, #onboarding QScrollBar::sub-line { height: 0; width: 0; }
)";

}  // namespace

QString onboardingStyleSheet(const Palette& palette) {
    return filledStyleSheet(kOnboardingRules, palette);
}

}  // namespace ts
