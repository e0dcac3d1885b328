#include "core/Compositions.h"

#include "core/Prompts.h"
#include "core/ReviewParser.h"

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

ReviewCall::ReviewCall(std::unique_ptr<ProviderCall> call, QObject* parent)
    : QObject(parent), m_call(std::move(call)) {
    // Nothing may follow the emits: a receiver is free to destroy this object.
    connect(m_call.get(), &ProviderCall::completed, this,
            [this](const QString& answer) { emit reviewed(parseReview(answer)); });
    connect(m_call.get(), &ProviderCall::failed, this,
            [this](const RequestError& error) { emit failed(error); });
}

ReviewCall::~ReviewCall() = default;

void ReviewCall::abort() {
    m_call->abort();
}

std::unique_ptr<ProviderCall> streamRequest(const LLMProvider& provider,
                                            const ComposedRequest& request, const QString& model) {
    return provider.stream(request.systemPrompt, request.userMessage, model);
}

std::unique_ptr<ReviewCall> completeRequest(const LLMProvider& provider,
                                            const ComposedRequest& request, const QString& model) {
    return std::make_unique<ReviewCall>(
        provider.complete(request.systemPrompt, request.userMessage, model));
}

std::unique_ptr<ReviewCall> review(const LLMProvider& provider, const QString& model, Mode mode,
                                   const QString& text, Tone tone, AppContext context,
                                   const QString& styleProfile, const QString& adjustment) {
    return completeRequest(
        provider, composeReview(mode, text, tone, context, styleProfile, adjustment), model);
}

std::unique_ptr<ProviderCall> streamReview(const LLMProvider& provider, const QString& model,
                                           Mode mode, const QString& text, Tone tone,
                                           AppContext context, const QString& styleProfile,
                                           const QString& adjustment) {
    return streamRequest(provider,
                         composeReview(mode, text, tone, context, styleProfile, adjustment), model);
}

std::unique_ptr<ReviewCall> draftReply(const LLMProvider& provider, const QString& model,
                                       const QString& received, const QString& intent, Tone tone,
                                       AppContext context, const QString& styleProfile) {
    return completeRequest(provider, composeReply(received, intent, tone, context, styleProfile),
                           model);
}

std::unique_ptr<ProviderCall> streamReply(const LLMProvider& provider, const QString& model,
                                          const QString& received, const QString& intent, Tone tone,
                                          AppContext context, const QString& styleProfile) {
    return streamRequest(provider, composeReply(received, intent, tone, context, styleProfile),
                         model);
}

std::unique_ptr<ReviewCall> applyInstruction(const LLMProvider& provider, const QString& model,
                                             const QString& instruction, const QString& text,
                                             Tone tone, AppContext context,
                                             const QString& styleProfile) {
    return completeRequest(
        provider, composeInstruction(instruction, text, tone, context, styleProfile), model);
}

std::unique_ptr<ProviderCall> streamInstruction(const LLMProvider& provider, const QString& model,
                                                const QString& instruction, const QString& text,
                                                Tone tone, AppContext context,
                                                const QString& styleProfile) {
    return streamRequest(provider,
                         composeInstruction(instruction, text, tone, context, styleProfile), model);
}

}  // namespace ts
