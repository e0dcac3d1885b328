#pragma once

#include <QString>

#include "core/Enums.h"

namespace ts {

// The names the windows show for the program's choices, in the user's language. What is stored
// and what the command line takes stay the raw values.
QString displayName(Mode value);
QString displayName(Tone value);
QString displayName(AppContext value);
QString displayName(Adjustment value);
QString displayName(ProviderKind value);
// What an adjustment asks of the model, for the window to show; the model gets instruction().
QString displayInstruction(Adjustment value);

}  // namespace ts
