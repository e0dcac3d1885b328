#pragma once

#include <QRect>
#include <QString>
#include <optional>

namespace ts {

// What the accessibility layer (AT-SPI on Linux) tells about the focused element of an
// application that has selected text in it.
struct FocusedSelection {
    QString text;                 // the selected text, trimmed
    bool editable = false;        // the element takes typed text
    std::optional<QRect> bounds;  // global, top left origin; absent when not told or empty
};

class AccessibleSelection {
public:
    virtual ~AccessibleSelection() = default;
    // False when no accessibility bus is running; then every read gives nothing.
    virtual bool available() const = 0;
    // The focused element's selection in process pid; nothing when the application exposes no
    // focused element or no selection.
    virtual std::optional<FocusedSelection> focusedSelection(qint64 pid) const = 0;
};

}  // namespace ts
