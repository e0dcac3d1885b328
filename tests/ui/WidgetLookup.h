#pragma once

// Finding a window's widgets the way its user knows them: by the name a screen reader reads or
// by the text they show.
#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

namespace ts::test {

template <typename W>
W* named(QWidget& root, const QString& name) {
    for (W* widget : root.findChildren<W*>()) {
        if (widget->accessibleName() == name && widget->isVisibleTo(&root)) {
            return widget;
        }
    }
    return nullptr;
}

inline QAbstractButton* button(QWidget& root, const QString& label) {
    for (QAbstractButton* b : root.findChildren<QAbstractButton*>()) {
        if (b->text() == label && b->isVisibleTo(&root)) {
            return b;
        }
    }
    return nullptr;
}

// A visible label reads exactly `text`.
inline bool showsText(QWidget& root, const QString& text) {
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&root) && label->text() == text) {
            return true;
        }
    }
    return false;
}

// A visible label holds `text`, or a button reads it.
inline bool mentions(QWidget& root, const QString& text) {
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&root) && label->text().contains(text)) {
            return true;
        }
    }
    return button(root, text) != nullptr;
}

}  // namespace ts::test
