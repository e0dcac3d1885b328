#include "ui/theme/StyleSheet.h"

namespace ts {

namespace {

// Scoped to the settings window (#settingsWindow), so none of these rules reaches another one.
const char* const kSettingsRules = R"(
#settingsWindow { color: %{text}; font-size: 13px; }
#settingsWindow QLabel { color: %{text}; background: transparent; }
#settingsSidebar { background: %{pillBg}; border-right: 1px solid %{divider}; }
#settingsWindow QLabel[role="appName"] {
    font-size: 15px; font-weight: 700; color: %{text}; padding: 0 6px 8px 6px; }
#settingsTabs {
    background: transparent; color: %{text}; border: none; outline: none; font-size: 13px; }
#settingsTabs::item { padding: 6px 6px; border-radius: 7px; }
#settingsTabs::item:hover { background: %{cyanSoft}; }
#settingsTabs::item:selected { background: %{pillSelected}; color: %{pillSelectedText}; }
#settingsTabs::item:focus { border: 1px solid %{cyan}; }
#settingsWindow QScrollArea#settingsPage, #settingsWindow QWidget#settingsContent {
    background: transparent; border: none; }

#settingsWindow QLabel[role="title"] { font-size: 20px; font-weight: 600; }
#settingsWindow QLabel[role="line"] { color: %{textDim}; }
#settingsWindow QLabel[role="hint"] { font-size: 12px; color: %{textDimmer}; }
#settingsWindow QLabel[role="fieldLabel"] { font-size: 12px; font-weight: 600; color: %{textDim}; }
#settingsWindow QLabel[role="strong"] { font-weight: 600; }
#settingsWindow QLabel[role="mono"] { font-size: 12px; color: %{textDim}; }
#settingsWindow QLabel[role="profile"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 10px; padding: 10px; }
#settingsWindow QLabel[role="profile"][empty="true"] { color: %{textDimmer}; }
#settingsWindow QLabel[role="sectionLabel"] {
    font-size: 11px; font-weight: 600; letter-spacing: 1px; color: %{textDimmer}; }
#settingsWindow QLabel[tone="success"] { color: %{green}; }
#settingsWindow QLabel[tone="error"] { color: %{red}; }

#settingsWindow QFrame[role="card"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 10px; }
#settingsWindow QFrame[role="card"][selected="true"] { border: 1px solid %{cyan}; }
#settingsWindow QFrame[role="notice"] {
    background: %{cyanSoft}; border: 1px solid %{cyan}; border-radius: 10px; }
#settingsWindow QRadioButton, #settingsWindow QCheckBox { color: %{text}; spacing: 8px; }
#settingsWindow QRadioButton:focus, #settingsWindow QCheckBox:focus { color: %{cyan}; }
#settingsWindow QRadioButton[role="cardName"] { font-weight: 600; }
#settingsWindow QRadioButton::indicator, #settingsWindow QCheckBox::indicator {
    width: 14px; height: 14px; background: %{cardBg}; border: 1px solid %{pillBorder}; }
#settingsWindow QRadioButton::indicator { border-radius: 8px; }
#settingsWindow QCheckBox::indicator { border-radius: 4px; }
#settingsWindow QRadioButton::indicator:checked {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 %{cyan}, stop:0.45 %{cyan}, stop:0.55 %{cardBg});
    border-color: %{cyan}; }
#settingsWindow QCheckBox::indicator:checked {
    background: %{cyan}; border-color: %{cyan}; image: url(:/icons/checkmark.svg); }
#settingsWindow QCheckBox::indicator:disabled { background: %{pillBg}; }

#settingsWindow QLineEdit[role="field"], #settingsWindow QPlainTextEdit[role="field"] {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder};
    border-radius: 8px; padding: 6px 8px; font-size: 13px;
    selection-background-color: %{cyan}; selection-color: %{ctaText}; }
#settingsWindow QLineEdit[role="field"]:focus, #settingsWindow QPlainTextEdit[role="field"]:focus {
    border: 1px solid %{cyan}; }

#settingsWindow QPushButton[role="secondary"] {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 6px 12px; }
#settingsWindow QPushButton[role="secondary"]:hover { background: %{cyanSoft}; }
#settingsWindow QPushButton[role="secondary"]:focus { border-color: %{cyan}; }
#settingsWindow QPushButton[role="secondary"]:disabled { color: %{textDimmer}; }
#settingsWindow QPushButton[role="recorder"] {
    background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 10px; padding: 4px; }
#settingsWindow QPushButton[role="recorder"]:focus { border-color: %{cyan}; }
#settingsWindow QPushButton[role="recorder"] QLabel { color: %{text}; }
#settingsWindow QToolButton[role="toolbar"] {
    background: transparent; border: 1px solid transparent; border-radius: 7px; padding: 4px; }
#settingsWindow QToolButton[role="toolbar"]:hover { background: %{pillBg}; border-color: %{pillBorder}; }
#settingsWindow QToolButton[role="toolbar"]:focus { border-color: %{cyan}; }
#settingsWindow QToolButton[role="toolbar"]::menu-indicator { image: none; width: 0; }
#settingsWindow QToolButton[role="disclosure"] {
    color: %{textDim}; background: transparent; border: 1px solid transparent; border-radius: 6px;
    padding: 2px 4px; font-size: 12px; font-weight: 600; }
#settingsWindow QToolButton[role="disclosure"]:focus { border-color: %{cyan}; }

#settingsWindow QComboBox {
    color: %{text}; background: %{pillBg}; border: 1px solid %{pillBorder};
    border-radius: 8px; padding: 5px 10px; font-size: 12px; }
#settingsWindow QComboBox:focus { border-color: %{cyan}; }
#settingsWindow QMenu {
    color: %{text}; background: %{gradientB}; border: 1px solid %{pillBorder}; padding: 4px; }
#settingsWindow QMenu::item { padding: 4px 18px 4px 22px; border-radius: 4px; }
#settingsWindow QMenu::item:selected { background: %{cyanSoft}; color: %{text}; }
#settingsWindow QComboBox::drop-down { border: none; background: transparent; width: 16px; }
#settingsWindow QComboBox QAbstractItemView {
    color: %{text}; background: %{gradientB}; selection-background-color: %{cyanSoft};
    selection-color: %{text}; }
#settingsWindow QTreeWidget {
    color: %{text}; background: %{cardBg}; border: 1px solid %{cardBorder}; border-radius: 8px;
    selection-background-color: %{cyanSoft}; selection-color: %{text}; }
#settingsWindow QTreeWidget:focus { border-color: %{cyan}; }
#settingsWindow QTreeWidget QHeaderView { background: transparent; border: none; }
#settingsWindow QTreeWidget QHeaderView::section {
    color: %{textDim}; background-color: %{cardBg}; border: none;
    border-bottom: 1px solid %{cardBorder}; padding: 4px 6px; font-size: 12px; font-weight: 600; }
#settingsWindow QScrollBar:vertical { background: transparent; width: 8px; }
#settingsWindow QScrollBar::handle:vertical {
    background: %{pillBorder}; border-radius: 4px; min-height: 24px; }
#settingsWindow QScrollBar::add-line, #settingsWindow QScrollBar::sub-line { height: 0; width: 0; }
)";

}  // namespace

QString settingsWindowStyleSheet(const Palette& palette) {
    return filledStyleSheet(kSettingsRules, palette);
}

}  // namespace ts
