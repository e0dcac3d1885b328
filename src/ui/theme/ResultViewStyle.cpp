#include <QColor>

#include "ui/main/DiffFormat.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

namespace ts {

namespace {

// Scoped to the result view (#resultView), so none of these rules reaches another window.
const char* const kResultViewRules = R"(
#resultView { color: %{text}; font-size: 13px; }
#resultView QLabel { color: %{text}; background: transparent; }
#resultView QScrollArea#resultScroll, #resultView QWidget#resultContent,
#resultView QWidget#resultActions { background: transparent; border: none; }
#resultView QLabel[role="headingLead"] { font-size: 24px; font-weight: 600; color: %{text}; }
#resultView QLabel[role="headingAccent"] { font-size: 24px; font-weight: 600; color: %{accent}; }
#resultView QLabel[role="sectionLabel"] {
    font-size: 11px; font-weight: 600; letter-spacing: 1px; color: %{textDim}; }
#resultView QLabel[role="whyText"] { font-size: 13px; color: %{text}; }
#resultView QLabel[role="styleStatus"] { font-size: 12px; color: %{textDim}; }

#resultView QFrame[role="textCard"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 12px; }
#resultView QTextBrowser {
    color: %{text}; background: transparent; border: none; font-size: 13px;
    selection-background-color: %{accent}; selection-color: %{ctaText}; }

#resultView QToolButton[role="changesToggle"] {
    color: %{accent}; background: transparent; border: 1px solid transparent;
    border-radius: 6px; padding: 2px 4px; font-size: 11px; font-weight: 600;
    letter-spacing: 1px; }
#resultView QToolButton[role="changesToggle"]:hover { background: %{cyanSoft}; }
#resultView QToolButton[role="changesToggle"]:focus { border-color: %{accent}; }
#resultView QPushButton[role="changeToggle"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 4px 8px; font-size: 12px; text-align: left; }
#resultView QPushButton[role="changeToggle"]:!checked {
    color: %{textDimmer}; background: transparent; border-style: dashed; }
#resultView QPushButton[role="changeToggle"]:hover { border-color: %{accent}; }
#resultView QPushButton[role="changeToggle"]:focus { border: 2px solid %{accent}; }

#resultView QToolButton[role="chip"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 12px; padding: 5px 10px; font-size: 12px; }
#resultView QToolButton[role="chip"]:hover { background: %{cyanSoft}; border-color: %{accent}; }
#resultView QToolButton[role="chip"]:pressed {
    color: %{pillSelectedText}; background: %{pillSelected}; }
#resultView QToolButton[role="chip"]:focus { border: 1px solid %{accent}; }

#resultView QToolButton[role="thumb"] {
    background: transparent; border: 1px solid transparent; border-radius: 8px; padding: 4px; }
#resultView QToolButton[role="thumb"]:hover { background: %{pillBg}; }
#resultView QToolButton[role="thumb"]:checked { background: %{cyanSoft}; }
#resultView QToolButton[role="thumb"]:focus { border-color: %{accent}; }

#resultView QPushButton[role="primary"] {
    color: %{ctaText}; font-weight: 600; font-size: 14px; border: none; border-radius: 10px;
    padding: 8px 16px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %{ctaTop}, stop:1 %{ctaBottom}); }
#resultView QPushButton[role="primary"]:focus { border: 2px solid %{text}; }
#resultView QPushButton[role="secondary"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 6px 12px; font-size: 13px; }
#resultView QPushButton[role="secondary"]:hover { background: %{cyanSoft}; }
#resultView QPushButton[role="secondary"]:focus { border-color: %{accent}; }

#resultView QScrollBar:vertical { background: transparent; width: 8px; }
#resultView QScrollBar::handle:vertical {
    background: %{pillBorder}; border-radius: 4px; min-height: 24px; }
#resultView QScrollBar::add-line, #resultView QScrollBar::sub-line { height: 0; width: 0; }
#resultView QScrollBar::add-page, #resultView QScrollBar::sub-page { background: transparent; }
)";

}  // namespace

QString resultViewStyleSheet(const Palette& palette) {
    return filledStyleSheet(kResultViewRules, palette, {{"accent", accentText(palette)}});
}

}  // namespace ts
