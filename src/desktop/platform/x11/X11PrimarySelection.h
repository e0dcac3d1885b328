#pragma once

#include "desktop/platform/PrimarySelection.h"

namespace ts {

// PRIMARY through Qt's clipboard: Qt's xcb backend already follows the selection's owner with
// XFixes and reports every new owner as a change of QClipboard::Selection.
class X11PrimarySelection final : public PrimarySelection {
    Q_OBJECT
public:
    explicit X11PrimarySelection(QObject* parent = nullptr);

    std::optional<QString> selectedText(qint64 pid) const override;

    // The process holding PRIMARY right now, 0 when nobody does or it cannot be told.
    static qint64 ownerPid();
};

}  // namespace ts
