#include "session/ReviewRequest.h"

#include <QTimer>
#include <QUuid>

#include "core/ReviewParser.h"
#include "store/HistoryStore.h"
#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts {

std::unique_ptr<LLMProvider> RequestServices::makeClient(const ProviderConfig& config) const {
    return buildProvider ? buildProvider(config) : makeProvider(config);
}

QDateTime RequestServices::currentTime() const {
    return now ? now() : QDateTime::currentDateTimeUtc();
}

ReviewRequest::ReviewRequest(const RequestServices& services, Options options, QObject* parent)
    : QObject(parent), m_services(services), m_options(std::move(options)) {}

ReviewRequest::~ReviewRequest() {
    m_call.reset();
}

void ReviewRequest::prepare() {
    m_setup = readSetup(m_services.settings, m_options.overrides);
    if (!m_setup.needsKey()) {
        QTimer::singleShot(0, this, [this] { keyRead({}); });
        return;
    }
    m_services.keys.readAPIKeyLater(apiKeyAccount(m_setup.kind), this,
                                    [this](const QString& key) { keyRead(key); });
}

void ReviewRequest::keyRead(const QString& key) {
    m_setup.config.apiKey = key;
    if (m_setup.missingKey()) {
        emit missingKey();
        return;
    }
    emit ready();
}

void ReviewRequest::send(const ReviewInput& input) {
    m_input = input;
    m_provider = m_services.makeClient(m_setup.config);
    const ComposedRequest composed = input.compose(m_setup.styleProfile);
    m_sentAt = m_services.currentTime();
    if (m_options.delivery == Delivery::whole) {
        m_call = m_provider->complete(composed.systemPrompt, composed.userMessage, m_setup.model);
        connect(m_call.get(), &ProviderCall::completed, this, &ReviewRequest::completed);
    } else {
        m_call = m_provider->stream(composed.systemPrompt, composed.userMessage, m_setup.model);
        connect(m_call.get(), &ProviderCall::piece, this, [this](const QString& piece) {
            m_accumulator.append(piece);
            emit previewChanged();
        });
        connect(m_call.get(), &ProviderCall::completed, this,
                [this] { completed(m_accumulator.text()); });
    }
    connect(m_call.get(), &ProviderCall::failed, this,
            [this](const RequestError& error) { emit failed(error.description()); });
}

void ReviewRequest::completed(const QString& answer) {
    m_answeredAt = m_services.currentTime();
    Review review = parseReview(answer);
    if (m_options.rejectEmptyAnswer && review.improved.trimmed().isEmpty()) {
        m_answerWasEmpty = true;
        emit failed(QCoreApplication::translate("ts::ReviewRequest", kEmptyAnswerMessage));
        return;
    }
    m_review = review;
    emit answered(review);
}

double ReviewRequest::elapsedSeconds() const {
    return static_cast<double>(m_sentAt.msecsTo(m_answeredAt)) / 1000.0;
}

HistoryItem ReviewRequest::record() {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = m_services.currentTime();
    item.original = m_input.original();
    item.review = m_review.value_or(Review{});
    item.tone = m_input.tone;
    item.context = m_input.context;
    item.provider = m_setup.providerOverridden ? m_setup.kind : m_services.settings.provider();
    item.model = m_setup.model;
    item.mode = m_input.mode;
    item.adjustment = m_input.adjustment;
    m_services.history().add(item);
    return item;
}

}  // namespace ts
