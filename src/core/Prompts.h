#pragma once

#include <QString>
#include <QStringView>

#include "core/Enums.h"

namespace ts {

// The line between the result and its rationale bullets in every answer.
inline constexpr QStringView reviewSeparator = u"<<<WHYS>>>";

// The fixed system prompts; none ends with a line feed.
QStringView rewritePrompt();
QStringView proofreadPrompt();
QStringView replyPrompt();
QStringView instructionPrompt();
QStringView toneCheckPrompt();

// `reply` and `ask` give the reply and instruction prompts (used when such a result is re-run
// with an adjustment).
QString systemPrompt(Mode mode);

}  // namespace ts
