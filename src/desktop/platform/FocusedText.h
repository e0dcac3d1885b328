#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace ts {

// The selection of the focused text element, as the accessibility layer gives it.
struct TextSelection {
    QString text;   // exactly as the element holds it
    int start = 0;  // offsets in the element's own unit
    int end = 0;
    bool editable = false;  // the element offers to replace text
    QString appName;        // the application's accessible name
    qint64 pid = 0;         // the application's process
    quint64 element = 0;    // names the element to replace() within this process
};

// Reading and replacing the selected text of the focused element of another application
// without the clipboard or synthetic keys (AT-SPI Text and EditableText on Linux).
class FocusedText {
public:
    enum class Replaced {
        replaced,  // the element holds the new text where the selection was
        changed,   // the element no longer holds the selected text, or is gone: nothing written
        refused,   // the element did not take the text; it is as it was
        garbled,   // the element took the text its own way; what it did is left as it is
    };

    virtual ~FocusedText() = default;
    // False when no accessibility bus is reachable.
    virtual bool available() const = 0;
    // The focused element's non-empty selection; nothing when no element has the focus, it
    // exposes no text, or nothing is selected.
    virtual std::optional<TextSelection> selection() = 0;
    // Replaces what `from` read with `text`, only while the element still holds it unchanged.
    virtual Replaced replace(const TextSelection& from, const QString& text) = 0;
    // Asks the desktop to have applications started from now on expose their text (Qt programs
    // and browsers do not unless asked; it costs them a little).
    virtual void exposeNewApplications() {}
};

}  // namespace ts
