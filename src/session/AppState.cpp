#include "session/AppState.h"

#include <QTimer>
#include <utility>

#include "core/Compositions.h"
#include "core/LinkDetector.h"
#include "core/ReviewParser.h"
#include "session/AppEvents.h"
#include "session/ClipboardAccess.h"
#include "session/RequestSetup.h"
#include "session/ReviewRequest.h"
#include "store/HistoryStore.h"
#include "store/SettingsStore.h"

namespace ts {

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
    m_tone = m_services.requests.settings.defaultTone();
    m_context = m_services.requests.settings.defaultContext();
    m_dismissTimer = new QTimer(this);
    m_dismissTimer->setSingleShot(true);
    m_dismissTimer->setInterval(kDismissDelayMs);
    connect(m_dismissTimer, &QTimer::timeout, &AppEvents::shared(), &AppEvents::dismissPopover);
}

AppState::~AppState() = default;

void AppState::setText(const QString& value) {
    m_draft = m_draft || m_text != value;
    assign(this, m_text, value, &AppState::textChanged);
}
void AppState::setTone(Tone value) {
    assign(this, m_tone, value, &AppState::toneChanged);
}
void AppState::setContext(AppContext value) {
    assign(this, m_context, value, &AppState::contextChanged);
}
void AppState::setMode(Mode value) {
    const Mode previous = m_mode;
    assign(this, m_mode, value, &AppState::modeChanged);
    swapModeText(previous, value);
}
void AppState::setReplyReceived(const QString& value) {
    m_draft = m_draft || m_replyReceived != value;
    assign(this, m_replyReceived, value, &AppState::replyReceivedChanged);
}
void AppState::setAskInstruction(const QString& value) {
    m_draft = m_draft || m_askInstruction != value;
    assign(this, m_askInstruction, value, &AppState::askInstructionChanged);
}

void AppState::swapModeText(Mode from, Mode to) {
    if ((from == Mode::reply) == (to == Mode::reply)) {
        return;
    }
    const bool draft = m_draft;
    const QString shown = std::exchange(m_otherText, m_text);
    const bool clipboard = std::exchange(m_otherFromClipboard, m_fromClipboard);
    setText(shown);
    setFromClipboard(clipboard);
    m_draft = draft;
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
    // A new answer starts with every change kept.
    m_keptText.reset();
    assign(this, m_lastReview, value, &AppState::lastReviewChanged);
}

void AppState::setKeptText(const std::optional<QString>& text) {
    m_keptText = text;
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
    setTone(m_services.requests.settings.defaultTone());
    setContext(m_services.requests.settings.defaultContext());
    setPhase({});
    setCopied(false);
    setFromClipboard(false);
    setLastReview(std::nullopt);
    setElapsedSeconds(std::nullopt);
    // Emptied before the mode changes, or the switch would bring the other side's text back.
    m_otherText.clear();
    m_otherFromClipboard = false;
    setMode(Mode::rewrite);
    setLastMode(Mode::rewrite);
    clearStreamingImproved();
    m_draft = false;
}

bool AppState::holdsDraft() const {
    const bool editing = m_phase.kind == Phase::idle || m_phase.kind == Phase::error;
    const bool blank = m_text.trimmed().isEmpty() && m_replyReceived.trimmed().isEmpty() &&
                       m_askInstruction.trimmed().isEmpty() && m_otherText.trimmed().isEmpty();
    return m_draft && editing && !blank;
}

void AppState::resetUnlessDraft() {
    if (!holdsDraft()) {
        reset();
        return;
    }
    // The failed request's banner has had its say; the editor comes back as it was left.
    setPhase({});
    setCopied(false);
}

void AppState::prefillFromClipboard() {
    if (!isSingleInput(m_mode) || !m_services.requests.settings.autoPaste() || !m_text.isEmpty()) {
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
    const bool draft = m_draft;
    setText(trimmed);
    setFromClipboard(true);
    m_draft = draft;
}

void AppState::run(std::optional<Adjustment> adjustment) {
    m_adjustment = adjustment;
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
    start(ReviewInput::review(m_mode, source, m_tone, m_context, adjustment));
}

void AppState::runReply() {
    m_adjustment.reset();
    const QString received = m_replyReceived.trimmed();
    if (received.isEmpty()) {
        return;
    }
    start(ReviewInput::reply(received, m_text.trimmed(), m_tone, m_context));
}

void AppState::runAsk() {
    m_adjustment.reset();
    const QString instructionText = m_askInstruction.trimmed();
    const QString source = m_text.trimmed();
    if (instructionText.isEmpty() || source.isEmpty()) {
        return;
    }
    start(ReviewInput::instruction(instructionText, source, m_tone, m_context));
}

// The newest start replaces the running request at once, so only it can change the session.
void AppState::start(const ReviewInput& input) {
    clearStreamingImproved();
    m_task = std::make_unique<ReviewRequest>(m_services.requests, ReviewRequest::Options{});
    ReviewRequest* request = m_task.get();
    connect(request, &ReviewRequest::missingKey, this, [this] {
        retireTask();
        setPhase(Phase::errorWith(missingKeyMessage()));
    });
    connect(request, &ReviewRequest::ready, this, [this, request, input] {
        setLastOriginal(input.original());
        setLastMode(input.mode);
        setPhase({Phase::reviewing, {}});
        setCopied(false);
        request->send(input);
    });
    connect(request, &ReviewRequest::previewChanged, this, [this, request] {
        m_livePreview = &request->preview();
        emit streamingImprovedChanged();
    });
    connect(request, &ReviewRequest::answered, this, [this, request](const Review& review) {
        setLastReview(review);
        clearStreamingImproved();
        setElapsedSeconds(request->elapsedSeconds());
        setPhase({Phase::result, {}});
        m_draft = false;
        const HistoryItem item = request->record();
        retireTask();
        setCurrentHistoryID(item.id);
    });
    connect(request, &ReviewRequest::failed, this, [this](const QString& description) {
        retireTask();
        clearStreamingImproved();
        setPhase(Phase::errorWith(description));
    });
    request->prepare();
}

// Called from inside the request's own signal: it goes at the next turn of the loop.
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
    m_draft = false;
}

void AppState::copyImproved() {
    if (!m_lastReview) {
        return;
    }
    m_services.clipboard.replaceWithText(m_keptText.value_or(m_lastReview->improved));
    setCopied(true);
    m_draft = false;
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
    m_otherText.clear();
    m_otherFromClipboard = false;
    m_draft = false;
}

void AppState::rate(std::optional<Rating> rating) {
    if (!m_currentHistoryID) {
        return;
    }
    const auto item = m_services.requests.history().item(*m_currentHistoryID);
    if (!item) {
        return;
    }
    m_services.requests.history().setRating(item->id, nextRating(item->rating, rating));
}

void AppState::runInPlace(Mode mode, const std::optional<QString>& instruction,
                          const std::optional<QString>& text,
                          const std::optional<QString>& appName) {
    if (m_services.inPlace) {
        m_services.inPlace(mode, instruction, text, appName);
    }
}

std::optional<Rating> AppState::currentRating() const {
    if (!m_currentHistoryID) {
        return std::nullopt;
    }
    const auto item = m_services.requests.history().item(*m_currentHistoryID);
    return item ? item->rating : std::nullopt;
}

}  // namespace ts
