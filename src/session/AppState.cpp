#include "session/AppState.h"

#include <QTimer>

#include "core/Compositions.h"
#include "core/LinkDetector.h"
#include "core/ReviewParser.h"
#include "session/ClipboardAccess.h"
#include "session/RequestSetup.h"
#include "session/ReviewTask.h"
#include "store/HistoryStore.h"
#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts {

// What a start captured when it passed its checks.
struct AppState::Started {
    RequestSetup setup;
    Tone tone;
    AppContext context;
};

namespace {

template <typename T, typename Signal>
void assign(AppState* state, T& field, const T& value, Signal changed) {
    if (field == value) {
        return;
    }
    field = value;
    emit(state->*changed)();
}

}  // namespace

AppState::AppState(Services services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {
    if (!m_services.buildProvider) {
        m_services.buildProvider = [](const ProviderConfig& config) {
            return makeProvider(config);
        };
    }
    if (!m_services.now) {
        m_services.now = [] { return QDateTime::currentDateTimeUtc(); };
    }
    m_tone = m_services.settings.defaultTone();
    m_context = m_services.settings.defaultContext();
    m_dismissTimer = new QTimer(this);
    m_dismissTimer->setSingleShot(true);
    m_dismissTimer->setInterval(kDismissDelayMs);
    connect(m_dismissTimer, &QTimer::timeout, this, &AppState::dismissPopoverRequested);
}

AppState::~AppState() = default;

void AppState::setText(const QString& value) {
    assign(this, m_text, value, &AppState::textChanged);
}
void AppState::setTone(Tone value) {
    assign(this, m_tone, value, &AppState::toneChanged);
}
void AppState::setContext(AppContext value) {
    assign(this, m_context, value, &AppState::contextChanged);
}
void AppState::setMode(Mode value) {
    assign(this, m_mode, value, &AppState::modeChanged);
}
void AppState::setReplyReceived(const QString& value) {
    assign(this, m_replyReceived, value, &AppState::replyReceivedChanged);
}
void AppState::setAskInstruction(const QString& value) {
    assign(this, m_askInstruction, value, &AppState::askInstructionChanged);
}
void AppState::setFromClipboard(bool value) {
    assign(this, m_fromClipboard, value, &AppState::fromClipboardChanged);
}
void AppState::setPhase(const Phase& value) {
    assign(this, m_phase, value, &AppState::phaseChanged);
}
void AppState::setCopied(bool value) {
    assign(this, m_copied, value, &AppState::copiedChanged);
}
void AppState::setLastReview(const std::optional<Review>& value) {
    assign(this, m_lastReview, value, &AppState::lastReviewChanged);
}
void AppState::setLastOriginal(const QString& value) {
    assign(this, m_lastOriginal, value, &AppState::lastOriginalChanged);
}
void AppState::setElapsedSeconds(std::optional<double> value) {
    assign(this, m_elapsedSeconds, value, &AppState::elapsedSecondsChanged);
}
void AppState::setLastMode(Mode value) {
    assign(this, m_lastMode, value, &AppState::lastModeChanged);
}
const QString& AppState::streamingImproved() const {
    static const QString none;
    return m_livePreview ? *m_livePreview : none;
}

void AppState::clearStreamingImproved() {
    const bool wasShown = m_livePreview && !m_livePreview->isEmpty();
    m_livePreview = nullptr;
    if (wasShown) {
        emit streamingImprovedChanged();
    }
}
void AppState::setCurrentHistoryID(std::optional<QUuid> value) {
    assign(this, m_currentHistoryID, value, &AppState::currentHistoryIDChanged);
}

void AppState::reset() {
    setText({});
    setReplyReceived({});
    setAskInstruction({});
    setLastOriginal({});
    setTone(m_services.settings.defaultTone());
    setContext(m_services.settings.defaultContext());
    setPhase({});
    setCopied(false);
    setFromClipboard(false);
    setLastReview(std::nullopt);
    setElapsedSeconds(std::nullopt);
    setMode(Mode::rewrite);
    setLastMode(Mode::rewrite);
    clearStreamingImproved();
}

void AppState::prefillFromClipboard() {
    if (!isSingleInput(m_mode) || !m_services.settings.autoPaste() || !m_text.isEmpty()) {
        return;
    }
    const std::optional<QString> clip = m_services.clipboard.plainText();
    if (!clip) {
        return;
    }
    const QString trimmed = clip->trimmed();
    if (trimmed.size() < 11 || isSingleLink(trimmed) || !trimmed.contains(QLatin1Char(' '))) {
        return;
    }
    setText(trimmed);
    setFromClipboard(true);
}

std::optional<AppState::Started> AppState::prepare() {
    auto setup = prepareRequest(m_services.settings, m_services.keys);
    if (!setup) {
        setPhase(Phase::errorWith(QString::fromUtf8(kMissingKeyMessage)));
        return std::nullopt;
    }
    return Started{std::move(*setup), m_tone, m_context};
}

void AppState::run(std::optional<Adjustment> adjustment) {
    if (!adjustment && m_mode == Mode::reply) {
        runReply();
        return;
    }
    if (!adjustment && m_mode == Mode::ask) {
        runAsk();
        return;
    }
    const QString source = adjustment && !m_lastOriginal.isEmpty() ? m_lastOriginal : m_text;
    if (source.isEmpty()) {
        return;
    }
    auto started = prepare();
    if (!started) {
        return;
    }
    const Mode mode = m_mode;
    setLastOriginal(source);
    setLastMode(mode);
    setPhase({Phase::reviewing, {}});
    setCopied(false);
    const QString adjustmentText = adjustment ? instruction(*adjustment) : QString();
    clearStreamingImproved();
    m_task.reset();
    const ComposedRequest request = composeReview(mode, source, started->tone, started->context,
                                                  started->setup.styleProfile, adjustmentText);
    startTask(*started, request, mode, source);
}

void AppState::runReply() {
    const QString received = m_replyReceived.trimmed();
    const QString intent = m_text.trimmed();
    if (received.isEmpty()) {
        return;
    }
    auto started = prepare();
    if (!started) {
        return;
    }
    setLastOriginal(received);
    setLastMode(Mode::reply);
    setPhase({Phase::reviewing, {}});
    setCopied(false);
    clearStreamingImproved();
    m_task.reset();
    const ComposedRequest request = composeReply(received, intent, started->tone, started->context,
                                                 started->setup.styleProfile);
    startTask(*started, request, Mode::reply, received);
}

void AppState::runAsk() {
    const QString instructionText = m_askInstruction.trimmed();
    const QString source = m_text.trimmed();
    if (instructionText.isEmpty() || source.isEmpty()) {
        return;
    }
    auto started = prepare();
    if (!started) {
        return;
    }
    setLastOriginal(source);
    setLastMode(Mode::ask);
    setPhase({Phase::reviewing, {}});
    setCopied(false);
    clearStreamingImproved();
    m_task.reset();
    const ComposedRequest request = composeInstruction(
        instructionText, source, started->tone, started->context, started->setup.styleProfile);
    startTask(*started, request, Mode::ask, source);
}

void AppState::startTask(const Started& started, const ComposedRequest& request, Mode recordMode,
                         const QString& recordOriginal) {
    auto provider = m_services.buildProvider(started.setup.config);
    auto call = streamRequest(*provider, request, started.setup.model);
    const QDateTime startedAt = m_services.now();
    ReviewTask::Handlers handlers;
    handlers.previewChanged = [this] {
        m_livePreview = &m_task->preview();
        emit streamingImprovedChanged();
    };
    handlers.finished = [this, started, startedAt, recordMode,
                         recordOriginal](const QString& answer) {
        const Review review = parseReview(answer);
        const QDateTime finishedAt = m_services.now();
        retireTask();
        setLastReview(review);
        clearStreamingImproved();
        setElapsedSeconds(static_cast<double>(startedAt.msecsTo(finishedAt)) / 1000.0);
        setPhase({Phase::result, {}});
        HistoryItem item;
        item.id = QUuid::createUuid();
        item.date = finishedAt;
        item.original = recordOriginal;
        item.review = review;
        item.tone = started.tone;
        item.context = started.context;
        // The provider of the moment of completion, as the history has always recorded it.
        item.provider = m_services.settings.provider();
        item.model = started.setup.model;
        item.mode = recordMode;
        m_services.history.add(item);
        setCurrentHistoryID(item.id);
    };
    handlers.failed = [this](const QString& description) {
        retireTask();
        clearStreamingImproved();
        setPhase(Phase::errorWith(description));
    };
    m_task =
        std::make_unique<ReviewTask>(std::move(provider), std::move(call), std::move(handlers));
}

// Called from inside the finished call's own signal: the task goes at the next turn of the loop.
void AppState::retireTask() {
    if (m_task) {
        m_task.release()->deleteLater();
    }
}

void AppState::adjust(Adjustment adjustment) {
    if (!m_lastOriginal.isEmpty()) {
        run(adjustment);
    }
}

void AppState::retry() {
    switch (m_lastMode) {
        case Mode::ask:
            setText(m_lastOriginal);
            runAsk();
            return;
        case Mode::reply:
            runReply();
            return;
        default:
            setText(m_lastOriginal);
            run();
            return;
    }
}

void AppState::cancel() {
    clearStreamingImproved();
    m_task.reset();
    setPhase({});
}

void AppState::returnToEditor() {
    if (m_lastMode != Mode::reply && !m_lastOriginal.isEmpty()) {
        setText(m_lastOriginal);
    }
    setPhase({});
    setCopied(false);
}

void AppState::copyImproved() {
    if (!m_lastReview) {
        return;
    }
    m_services.clipboard.replaceWithText(m_lastReview->improved);
    setCopied(true);
    m_dismissTimer->start();
}

void AppState::cancelPendingDismiss() {
    m_dismissTimer->stop();
}

void AppState::restoreHistoryItem(const HistoryItem& item) {
    const Mode mode = item.mode.value_or(Mode::rewrite);
    setLastOriginal(item.original);
    setLastReview(item.review);
    setTone(item.tone);
    setContext(item.context);
    setPhase({Phase::result, {}});
    setCopied(false);
    setElapsedSeconds(std::nullopt);
    setCurrentHistoryID(item.id);
    setMode(mode);
    setLastMode(mode);
    if (mode == Mode::reply) {
        setReplyReceived(item.original);
        setText({});
    } else {
        setText(item.original);
        setReplyReceived({});
    }
    if (mode != Mode::ask) {
        setAskInstruction({});
    }
}

void AppState::rate(std::optional<Rating> rating) {
    if (!m_currentHistoryID) {
        return;
    }
    const auto item = m_services.history.item(*m_currentHistoryID);
    if (!item) {
        return;
    }
    m_services.history.setRating(item->id, nextRating(item->rating, rating));
}

std::optional<Rating> AppState::currentRating() const {
    if (!m_currentHistoryID) {
        return std::nullopt;
    }
    const auto item = m_services.history.item(*m_currentHistoryID);
    return item ? item->rating : std::nullopt;
}

}  // namespace ts
