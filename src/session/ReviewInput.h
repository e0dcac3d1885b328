#pragma once

#include <QString>
#include <optional>

#include "core/Compositions.h"
#include "core/Enums.h"

namespace ts {

// What one request asks the model, with what its history record keeps of it.
struct ReviewInput {
    enum class Layout { review, reply, instruction };

    Layout layout = Layout::review;
    Mode mode = Mode::rewrite;  // the system prompt of a review, and the mode recorded
    QString text;               // the text reviewed, the received message, or the text to change
    QString extra;              // the adjustment sentence, the intent, or the instruction
    Tone tone = Tone::professional;
    AppContext context = AppContext::email;
    std::optional<Adjustment> adjustment = std::nullopt;  // recorded; its sentence is in `extra`

    // The text is sent as it stands.
    static ReviewInput review(Mode mode, const QString& text, Tone tone, AppContext context,
                              std::optional<Adjustment> adjustment = std::nullopt);
    static ReviewInput reply(const QString& received, const QString& intent, Tone tone,
                             AppContext context);
    static ReviewInput instruction(const QString& instruction, const QString& text, Tone tone,
                                   AppContext context);

    ComposedRequest compose(const QString& styleProfile) const;
    // The history record's original: the text, never the intent or the instruction.
    const QString& original() const { return text; }
};

}  // namespace ts
