#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QObject>
#include <memory>
#include <optional>

#include "core/LLMProvider.h"
#include "core/Review.h"
#include "core/StreamAccumulator.h"
#include "session/RequestServices.h"
#include "session/RequestSetup.h"
#include "session/ReviewInput.h"
#include "store/HistoryItem.h"

namespace ts {

inline constexpr const char* kEmptyAnswerMessage =
    QT_TRANSLATE_NOOP("ts::ReviewRequest", "The model returned an empty response.");

// The one road from a text to a finished, recorded review; every entry point takes it.
//
//   prepare()  settings of this moment, then the key, read without blocking this thread:
//              `ready` or `missingKey` follows, after control returns to the event loop;
//   send()     the model call: `previewChanged` per streamed piece, then `answered` or `failed`;
//   record()   the history record, when the caller says the request is done.
//
// Destroying the request stops whatever step is pending; nothing is emitted afterwards. A
// receiver may destroy it from any of its signals (deleteLater, or reset the owning pointer).
class ReviewRequest final : public QObject {
    Q_OBJECT

public:
    enum class Delivery { streamed, whole };

    struct Options {
        Delivery delivery = Delivery::streamed;
        RequestOverrides overrides = {};
        // For callers that paste the answer: a blank improved text is a failure.
        bool rejectEmptyAnswer = false;
    };

    ReviewRequest(const RequestServices& services, Options options, QObject* parent = nullptr);
    ~ReviewRequest() override;

    void prepare();
    // Valid from `ready` on.
    const RequestSetup& setup() const { return m_setup; }

    void send(const ReviewInput& input);
    // The text before the separator while the answer streams; shared, not copied, so that each
    // piece costs the same however long the answer is.
    const QString& preview() const { return m_accumulator.preview(); }
    // Seconds from send() to the answer.
    double elapsedSeconds() const;
    // The failure was the empty-answer rule, not the provider.
    bool answerWasEmpty() const { return m_answerWasEmpty; }

    // Adds the answered review to the history (newest first) and returns the record. The
    // provider recorded is the override, else the provider setting of this moment.
    HistoryItem record();

signals:
    void ready();
    void missingKey();
    void previewChanged();
    void answered(const ts::Review& review);
    void failed(const QString& description);

private:
    void keyRead(const QString& key);
    void completed(const QString& answer);

    const RequestServices& m_services;
    Options m_options;
    RequestSetup m_setup;
    ReviewInput m_input;
    std::unique_ptr<LLMProvider> m_provider;
    std::unique_ptr<ProviderCall> m_call;  // goes before the provider it came from
    StreamAccumulator m_accumulator;
    std::optional<Review> m_review;
    QDateTime m_sentAt;
    QDateTime m_answeredAt;
    bool m_answerWasEmpty = false;
};

}  // namespace ts
