#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "core/Enums.h"
#include "core/LLMProvider.h"
#include "core/ProviderCall.h"
#include "core/RequestError.h"
#include "core/Review.h"

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

// A one-shot request: the whole answer, parsed. Owns the provider call; destroying it (or
// abort()) stops the request and nothing more is emitted. Provider errors pass through as they
// are. Like ProviderCall, nothing is emitted before control returns to the event loop.
class ReviewCall final : public QObject {
    Q_OBJECT

public:
    explicit ReviewCall(std::unique_ptr<ProviderCall> call, QObject* parent = nullptr);
    ~ReviewCall() override;

    void abort();
    bool isFinished() const { return m_call->isFinished(); }

signals:
    void reviewed(const ts::Review& review);
    void failed(const ts::RequestError& error);

private:
    std::unique_ptr<ProviderCall> m_call;
};

// The provider's stream, unchanged; the caller accumulates and parses.
std::unique_ptr<ProviderCall> streamRequest(const LLMProvider& provider,
                                            const ComposedRequest& request, const QString& model);
std::unique_ptr<ReviewCall> completeRequest(const LLMProvider& provider,
                                            const ComposedRequest& request, const QString& model);

std::unique_ptr<ReviewCall> review(const LLMProvider& provider, const QString& model, Mode mode,
                                   const QString& text, Tone tone, AppContext context,
                                   const QString& styleProfile = {},
                                   const QString& adjustment = {});
std::unique_ptr<ProviderCall> streamReview(const LLMProvider& provider, const QString& model,
                                           Mode mode, const QString& text, Tone tone,
                                           AppContext context, const QString& styleProfile = {},
                                           const QString& adjustment = {});

std::unique_ptr<ReviewCall> draftReply(const LLMProvider& provider, const QString& model,
                                       const QString& received, const QString& intent, Tone tone,
                                       AppContext context, const QString& styleProfile = {});
std::unique_ptr<ProviderCall> streamReply(const LLMProvider& provider, const QString& model,
                                          const QString& received, const QString& intent, Tone tone,
                                          AppContext context, const QString& styleProfile = {});

std::unique_ptr<ReviewCall> applyInstruction(const LLMProvider& provider, const QString& model,
                                             const QString& instruction, const QString& text,
                                             Tone tone, AppContext context,
                                             const QString& styleProfile = {});
std::unique_ptr<ProviderCall> streamInstruction(const LLMProvider& provider, const QString& model,
                                                const QString& instruction, const QString& text,
                                                Tone tone, AppContext context,
                                                const QString& styleProfile = {});

}  // namespace ts
