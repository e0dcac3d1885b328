#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

#include "core/Enums.h"
#include "core/LLMProvider.h"
#include "core/Review.h"
#include "session/RequestServices.h"
#include "store/HistoryItem.h"

class QTimer;

namespace ts {

class ClipboardAccess;
class ReviewRequest;
struct ReviewInput;

// The one review session behind the main window and the result view.
class AppState final : public QObject {
    Q_OBJECT

public:
    struct Phase {
        enum Kind { idle, reviewing, result, error };
        Kind kind = idle;
        QString message;  // for `error`

        static Phase errorWith(const QString& text) { return Phase{error, text}; }
        friend bool operator==(const Phase&, const Phase&) = default;
    };

    // The in-place rewrite lives in the desktop layer; the session is only its door.
    using InPlaceDoor = std::function<void(Mode mode, const std::optional<QString>& instruction,
                                           const std::optional<QString>& text,
                                           const std::optional<QString>& appName)>;

    struct Services {
        RequestServices requests;
        ClipboardAccess& clipboard;
        InPlaceDoor inPlace = {};
    };

    explicit AppState(Services services, QObject* parent = nullptr);
    ~AppState() override;

    const QString& text() const { return m_text; }
    Tone tone() const { return m_tone; }
    AppContext context() const { return m_context; }
    const Phase& phase() const { return m_phase; }
    bool copied() const { return m_copied; }
    const std::optional<Review>& lastReview() const { return m_lastReview; }
    const QString& lastOriginal() const { return m_lastOriginal; }
    bool fromClipboard() const { return m_fromClipboard; }
    std::optional<double> elapsedSeconds() const { return m_elapsedSeconds; }
    Mode mode() const { return m_mode; }
    const QString& replyReceived() const { return m_replyReceived; }
    const QString& askInstruction() const { return m_askInstruction; }
    Mode lastMode() const { return m_lastMode; }
    // While streaming this is the live preview of the running task, shared rather than copied
    // so that each piece costs the same however long the answer is.
    const QString& streamingImproved() const;
    std::optional<QUuid> currentHistoryID() const { return m_currentHistoryID; }
    // The adjustment of the request started last, for the loading view to name.
    std::optional<Adjustment> adjustment() const { return m_adjustment; }
    bool hasRunningTask() const { return m_task != nullptr; }
    const RequestServices& requestServices() const { return m_services.requests; }

    void setText(const QString& value);
    void setTone(Tone value);
    void setContext(AppContext value);
    void setMode(Mode value);
    void setReplyReceived(const QString& value);
    void setAskInstruction(const QString& value);
    void setFromClipboard(bool value);

    void reset();
    // The shell's reset before it shows the window for new input, except that an unsent draft
    // the user typed (not a clipboard prefill, no request finished on it) stays with its mode,
    // tone and context: Esc or the hotkey hides the window, and neither may cost a paragraph.
    void resetUnlessDraft();
    bool holdsDraft() const;
    void prefillFromClipboard();
    void run(std::optional<Adjustment> adjustment = std::nullopt);
    void runReply();
    void runAsk();
    void adjust(Adjustment adjustment);
    void retry();
    void cancel();
    void returnToEditor();
    void copyImproved();
    // The shell stops a pending dismissal when the window is reopened for new input.
    void cancelPendingDismiss();
    // The answer with only the changes the user kept; what copyImproved copies. None (the
    // answer as it came) again with every new answer.
    const std::optional<QString>& keptText() const { return m_keptText; }
    void setKeptText(const std::optional<QString>& text);
    void restoreHistoryItem(const HistoryItem& item);
    void rate(std::optional<Rating> rating);
    std::optional<Rating> currentRating() const;
    // Rewrites the selection of another application; reports through toasts and the history
    // and leaves every field of the session as it is.
    void runInPlace(Mode mode, const std::optional<QString>& instruction = std::nullopt,
                    const std::optional<QString>& text = std::nullopt,
                    const std::optional<QString>& appName = std::nullopt);

    // How long copyImproved waits before asking the shell to close the window.
    static constexpr int kDismissDelayMs = 450;

signals:
    void textChanged();
    void toneChanged();
    void contextChanged();
    void phaseChanged();
    void copiedChanged();
    void lastReviewChanged();
    void lastOriginalChanged();
    void fromClipboardChanged();
    void elapsedSecondsChanged();
    void modeChanged();
    void replyReceivedChanged();
    void askInstructionChanged();
    void lastModeChanged();
    void streamingImprovedChanged();
    void currentHistoryIDChanged();

private:
    void start(const ReviewInput& input);
    void retireTask();

    void setPhase(const Phase& value);
    void setCopied(bool value);
    void setLastReview(const std::optional<Review>& value);
    void setLastOriginal(const QString& value);
    void setElapsedSeconds(std::optional<double> value);
    void setLastMode(Mode value);
    void clearStreamingImproved();
    void setCurrentHistoryID(std::optional<QUuid> value);
    void swapModeText(Mode from, Mode to);

    Services m_services;

    QString m_text;
    Tone m_tone = Tone::professional;
    AppContext m_context = AppContext::email;
    Phase m_phase;
    bool m_copied = false;
    std::optional<Review> m_lastReview;
    QString m_lastOriginal;
    bool m_fromClipboard = false;
    std::optional<double> m_elapsedSeconds;
    Mode m_mode = Mode::rewrite;
    QString m_replyReceived;
    QString m_askInstruction;
    Mode m_lastMode = Mode::rewrite;
    const QString* m_livePreview = nullptr;
    std::optional<QUuid> m_currentHistoryID;
    std::optional<QString> m_keptText;
    std::optional<Adjustment> m_adjustment;
    // The user edited an input since the last reset, finished request, copy or return.
    bool m_draft = false;
    // `text` is the intent in mode reply and the text in every other mode: the other side's
    // value waits here, so a mode switch never shows one mode's text in another's field.
    QString m_otherText;
    bool m_otherFromClipboard = false;

    std::unique_ptr<ReviewRequest> m_task;
    QTimer* m_dismissTimer = nullptr;
};

}  // namespace ts
