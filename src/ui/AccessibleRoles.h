#pragma once

#include <QAccessible>
#include <QList>

class QAbstractButton;
class QWidget;

namespace ts::accessible {

// Gives a widget the role a screen reader should hear (an alert, a heading, a window, a radio
// button) where its Qt class reports another one; a check state and a press action of a button
// are kept. Call it before the widget is first shown.
void setRole(QWidget* widget, QAccessible::Role role);

// One heading read as a whole: the widget's name is `text` and the labels inside it, which
// draw that text in parts, are not read again.
void setHeading(QWidget* widget, const QString& text);

// Installs what the functions here rely on: each window calls it once, after QApplication
// exists. From then on a combo box with an accessible name is read by that name (its visible
// label) and its value; on Linux Qt itself names a combo box by its current value.
void install();

// The order a screen reader reads a widget's children in is their creation order; this puts
// the direct children of `parent` in the order its layout shows them.
void readInLayoutOrder(QWidget* parent);

// Reads an alert's new message out. The AT-SPI bridge of Qt 6.4 drops QAccessible::Alert, while
// Orca speaks an alert that becomes showing, so both are sent.
void announce(QWidget* alert);

}  // namespace ts::accessible
