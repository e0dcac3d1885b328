#pragma once

#include <QString>

#include "core/Enums.h"

namespace ts {

struct ComposedRequest {
    QString systemPrompt;
    QString userMessage;
};

// The review layout with the system prompt of `mode`; reply and ask come here only when their
// finished result is re-run with an adjustment, and then neither intent nor instruction is sent
// again. Texts go in as given; only the style profile and the adjustment are trimmed.
ComposedRequest composeReview(Mode mode, const QString& text, Tone tone, AppContext context,
                              const QString& styleProfile, const QString& adjustment = {});
// Only the style profile and the intent are trimmed.
ComposedRequest composeReply(const QString& received, const QString& intent, Tone tone,
                             AppContext context, const QString& styleProfile);
ComposedRequest composeInstruction(const QString& instruction, const QString& text, Tone tone,
                                   AppContext context, const QString& styleProfile);

}  // namespace ts
