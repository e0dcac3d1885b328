#include "ui/theme/StyleSheet.h"

namespace ts {

namespace {

const char* const kSelectionRules = R"(
#selectionStrip QToolButton[role="stripButton"] {
    color: %{text}; background: transparent; border: none; border-radius: 6px;
    padding: 2px 6px; font-size: 12px; font-weight: 500; }
#selectionStrip QToolButton[role="stripButton"]:hover { background: %{cyanSoft}; }
#selectionStrip QToolButton[role="stripButton"]:pressed { background: %{pillBorder}; }
#selectionStrip QFrame[role="stripDivider"] { background: %{divider}; border: none; }

#askPanel { color: %{text}; font-size: 13px; }
#askPanel QLineEdit {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder}; border-radius: 8px;
    padding: 5px 8px; font-size: 14px; selection-background-color: %{cyanSoft};
    selection-color: %{text}; }
#askPanel QLineEdit:focus { border-color: %{cyan}; }
#askPanel QToolButton[role="askSubmit"] {
    background: transparent; border: none; border-radius: 12px; padding: 0px; }
#askPanel QToolButton[role="askSubmit"]:hover { background: %{cyanSoft}; }
#askPanel QToolButton[role="askSubmit"]:focus { border: 1px solid %{cyan}; }
#askPanel QFrame[role="chip"] {
    background: %{pillBg}; border: 1px solid %{pillBorder}; border-radius: 12px; }
#askPanel QPushButton[role="chipLabel"] {
    color: %{text}; background: transparent; border: none; font-size: 12px; padding: 2px; }
#askPanel QPushButton[role="chipLabel"]:focus { color: %{cyan}; }
#askPanel QToolButton[role="chipDelete"] { background: transparent; border: none; padding: 2px; }
#askPanel QToolButton[role="chipDelete"]:focus { border: 1px solid %{cyan}; border-radius: 4px; }
#askChipScroller, #askChipScroller > QWidget > QWidget { background: transparent; border: none; }
#askPanel QScrollBar:horizontal { background: transparent; height: 4px; }
#askPanel QScrollBar::handle:horizontal { background: %{pillBorder}; border-radius: 2px; }
#askPanel QScrollBar::add-line, #askPanel QScrollBar::sub-line { height: 0; width: 0; }
)";

}  // namespace

QString selectionStyleSheet(const Palette& palette) {
    return filledStyleSheet(kSelectionRules, palette);
}

}  // namespace ts
