#pragma once

#include "session/ClipboardAccess.h"

namespace ts {

class Clipboard;

// The review session's view of the desktop clipboard.
class SessionClipboard final : public ClipboardAccess {
public:
    explicit SessionClipboard(Clipboard& clipboard) : clipboard_(clipboard) {}

    std::optional<QString> plainText() const override;
    void replaceWithText(const QString& text) override;

private:
    Clipboard& clipboard_;
};

}  // namespace ts
