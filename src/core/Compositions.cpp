#include "core/Compositions.h"

#include "core/Prompts.h"

namespace ts {
namespace {

QString stylePreamble(const QString& opening, const QString& styleProfile) {
    const QString profile = styleProfile.trimmed();
    if (profile.isEmpty()) {
        return {};
    }
    return opening + profile + QStringLiteral("\n---\n");
}

QString header(Tone tone, AppContext context) {
    return QStringLiteral("Context: ") + rawValue(context) + QStringLiteral("\nTone: ") +
           rawValue(tone);
}

}  // namespace

ComposedRequest composeReview(Mode mode, const QString& text, Tone tone, AppContext context,
                              const QString& styleProfile, const QString& adjustment) {
    QString message =
        stylePreamble(
            QStringLiteral("User's writing voice. Match this style in the rewrite:\n---\n"),
            styleProfile) +
        header(tone, context) + QStringLiteral("\n\nOriginal:\n---\n") + text +
        QStringLiteral("\n---");
    const QString trimmedAdjustment = adjustment.trimmed();
    if (!trimmedAdjustment.isEmpty()) {
        message += QStringLiteral(
                       "\nAdditional adjustment for this iteration (overrides default "
                       "length/tone as needed):\n") +
                   trimmedAdjustment;
    }
    return {systemPrompt(mode), message};
}

ComposedRequest composeReply(const QString& received, const QString& intent, Tone tone,
                             AppContext context, const QString& styleProfile) {
    QString message =
        stylePreamble(QStringLiteral("User's writing voice. Match this style in the reply:\n---\n"),
                      styleProfile) +
        header(tone, context) + QStringLiteral("\n\nMessage I received:\n---\n") + received +
        QStringLiteral("\n---\n\n");
    const QString trimmedIntent = intent.trimmed();
    if (trimmedIntent.isEmpty()) {
        message += QStringLiteral("My intent: (none specified; write a reasonable neutral reply)");
    } else {
        message += QStringLiteral("My intent (what I want to say):\n") + trimmedIntent;
    }
    return {replyPrompt().toString(), message};
}

ComposedRequest composeInstruction(const QString& instruction, const QString& text, Tone tone,
                                   AppContext context, const QString& styleProfile) {
    const QString message =
        stylePreamble(QStringLiteral("User's writing voice. Match this style unless the "
                                     "instruction says otherwise:\n---\n"),
                      styleProfile) +
        header(tone, context) + QStringLiteral("\n\nInstruction:\n") + instruction +
        QStringLiteral("\n\nText:\n---\n") + text + QStringLiteral("\n---");
    return {instructionPrompt().toString(), message};
}

}  // namespace ts
