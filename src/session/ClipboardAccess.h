#pragma once

#include <QString>
#include <optional>

namespace ts {

// The slice of the desktop clipboard the review session needs; the desktop layer adapts its
// platform clipboard to it, unit tests use a fake.
class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    // The plain-text content, or nothing when the clipboard holds no text.
    virtual std::optional<QString> plainText() const = 0;
    // Clears every format, then puts the text on as plain text.
    virtual void replaceWithText(const QString& text) = 0;
};

}  // namespace ts
