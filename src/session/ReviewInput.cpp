#include "session/ReviewInput.h"

namespace ts {

ReviewInput ReviewInput::review(Mode mode, const QString& text, Tone tone, AppContext context,
                                std::optional<Adjustment> adjustment) {
    ReviewInput input{Layout::review, mode, text, QString(), tone, context, adjustment};
    if (adjustment) {
        input.extra = ts::instruction(*adjustment);
    }
    return input;
}

ReviewInput ReviewInput::reply(const QString& received, const QString& intent, Tone tone,
                               AppContext context) {
    return {Layout::reply, Mode::reply, received, intent, tone, context};
}

ReviewInput ReviewInput::instruction(const QString& instruction, const QString& text, Tone tone,
                                     AppContext context) {
    return {Layout::instruction, Mode::ask, text, instruction, tone, context};
}

ComposedRequest ReviewInput::compose(const QString& styleProfile) const {
    switch (layout) {
        case Layout::reply:
            return composeReply(text, extra, tone, context, styleProfile);
        case Layout::instruction:
            return composeInstruction(extra, text, tone, context, styleProfile);
        case Layout::review:
            break;
    }
    return composeReview(mode, text, tone, context, styleProfile, extra);
}

}  // namespace ts
