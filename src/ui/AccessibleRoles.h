#pragma once

#include <QAccessible>
#include <QList>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace ts::accessible {

// Gives a widget the role a screen reader should hear (an alert, a heading, a window, a radio
// button) where its Qt class reports another one; a check state and a press action of a button
// are kept. Call it before the widget is first shown: the bridge keeps what it answered first.
void setRole(QWidget* widget, QAccessible::Role role);

// One heading read as a whole: the widget's name is `text` and the labels inside it, which
// draw that text in parts, are not read again.
void setHeading(QWidget* widget, const QString& text);

// A combo box named after its visible label. On Linux Qt names a combo box by its current
// value and ignores the accessible name.
void nameComboBox(QComboBox* box, const QString& label);

// Reads an alert's new message out. The AT-SPI bridge of Qt 6.4 drops QAccessible::Alert, while
// Orca speaks an alert that becomes showing, so both are sent.
void announce(QWidget* alert);

}  // namespace ts::accessible
