#pragma once

#include <optional>

#include "desktop/platform/AccessibleSelection.h"

namespace ts {

class PrimarySelection;

// The selection of an application's focused element: what AT-SPI tells when it is running and
// finds the element, otherwise the PRIMARY selection when that application owns it (then it
// counts as editable, the only sign X11 gives).
std::optional<FocusedSelection> focusedSelectionOf(const AccessibleSelection& accessible,
                                                   const PrimarySelection& primary, qint64 pid);

// An editable element holds a non-empty selection in that application.
bool hasEditableSelection(const AccessibleSelection& accessible, const PrimarySelection& primary,
                          qint64 pid);

}  // namespace ts
