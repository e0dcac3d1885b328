#include "desktop/selection/FocusedSelectionReader.h"

#include "desktop/platform/PrimarySelection.h"

namespace ts {

std::optional<FocusedSelection> focusedSelectionOf(const AccessibleSelection& accessible,
                                                   const PrimarySelection& primary, qint64 pid) {
    if (pid <= 0) {
        return std::nullopt;
    }
    if (accessible.available()) {
        if (std::optional<FocusedSelection> found = accessible.focusedSelection(pid)) {
            found->text = found->text.trimmed();
            return found;
        }
    }
    const std::optional<QString> text = primary.selectedText(pid);
    if (!text) {
        return std::nullopt;
    }
    FocusedSelection selection;
    selection.text = text->trimmed();
    selection.editable = !selection.text.isEmpty();
    return selection;
}

bool hasEditableSelection(const AccessibleSelection& accessible, const PrimarySelection& primary,
                          qint64 pid) {
    const std::optional<FocusedSelection> selection = focusedSelectionOf(accessible, primary, pid);
    return selection && !selection->text.isEmpty() && selection->editable;
}

}  // namespace ts
