#pragma once

#include <QString>

class QAbstractButton;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class QWidget;

// Small builders shared by the settings tabs, so every tab looks and reads the same. Looks come
// from the style sheet through the "role" property.
namespace ts::settings {

QVBoxLayout* pageLayout(QWidget* page);
QLabel* label(const QString& text, const char* role, QWidget* parent);
QLabel* title(const QString& text, QWidget* parent);
// Wrapped, dim body text.
QLabel* line(const QString& text, QWidget* parent);
QCheckBox* toggle(const QString& text, QWidget* parent);
QPushButton* button(const QString& text, QWidget* parent, const QString& symbol = {});
QToolButton* iconButton(const QString& symbol, const QString& tooltip, QWidget* parent);
QLineEdit* field(const QString& name, QWidget* parent);
// A small label above the field, both in one column.
QVBoxLayout* labelled(const QString& name, QWidget* fieldWidget, QWidget* parent);
// Symbols drawn in a palette colour ("text", "textDimmer", "green", "red"), drawn again by
// retint() when the colour scheme changes.
void setSymbol(QAbstractButton* button, const QString& symbol);
void setSymbol(QLabel* label, const QString& symbol, int size, const QString& tint = {});
void retint(QWidget* root);
// "success", "error" or empty: the colour of an outcome line.
void setTone(QLabel* label, const QString& tone);
// An outcome that starts with "Error" is an error.
void showOutcome(QLabel* label, const QString& text);

}  // namespace ts::settings
