#include "desktop/SessionClipboard.h"

#include "desktop/platform/Clipboard.h"

namespace ts {

std::optional<QString> SessionClipboard::plainText() const {
    return clipboard_.text();
}

void SessionClipboard::replaceWithText(const QString& text) {
    // A copied review is ordinary text: clipboard managers may keep it.
    clipboard_.setText(text, false);
}

}  // namespace ts
