#pragma once

#include <memory>

#include "desktop/platform/PrimarySelection.h"
#include "desktop/platform/x11/X11SelectionReader.h"

namespace ts {

// PRIMARY: Qt's xcb backend already follows the selection's owner with XFixes and reports every
// new owner as a change of QClipboard::Selection; the text is read with a short bound.
class X11PrimarySelection final : public PrimarySelection {
    Q_OBJECT
public:
    explicit X11PrimarySelection(QObject* parent = nullptr);
    ~X11PrimarySelection() override;

    std::optional<QString> selectedText(qint64 pid) const override;

    // The process holding PRIMARY right now, 0 when nobody does or it cannot be told.
    static qint64 ownerPid();

private:
    mutable x11::X11SelectionReader reader_;  // connects on the first read
};

}  // namespace ts
