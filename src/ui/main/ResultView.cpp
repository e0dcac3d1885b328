#include "ui/main/ResultView.h"

#include <QStackedLayout>

#include "session/AppState.h"
#include "store/StyleAnalyzer.h"
#include "ui/main/AnswerPage.h"
#include "ui/main/ToneView.h"

namespace ts {

struct ResultView::Parts {
    AppState& session;
    StyleAnalyzer* style;
    QStackedLayout* stack = nullptr;
    AnswerPage* answer = nullptr;
    ToneView* tone = nullptr;
    bool refreshPending = false;
};

ResultView::ResultView(AppState& session, StyleAnalyzer* style, QWidget* parent)
    : QWidget(parent), m_parts(std::make_unique<Parts>(Parts{session, style})) {
    setObjectName(QStringLiteral("resultView"));
    Parts& parts = *m_parts;
    parts.answer = new AnswerPage(session, this);
    parts.tone = new ToneView(session, this);
    parts.stack = new QStackedLayout(this);
    parts.stack->setContentsMargins(0, 0, 0, 0);
    parts.stack->addWidget(parts.answer);
    parts.stack->addWidget(parts.tone);

    // A finished request or a restored record changes several fields in a row; the view is
    // rebuilt once, after the last of them.
    const auto schedule = [this] {
        if (m_parts->refreshPending) {
            return;
        }
        m_parts->refreshPending = true;
        QMetaObject::invokeMethod(this, &ResultView::refresh, Qt::QueuedConnection);
    };
    for (const auto signal :
         {&AppState::phaseChanged, &AppState::lastReviewChanged, &AppState::lastOriginalChanged,
          &AppState::lastModeChanged, &AppState::currentHistoryIDChanged}) {
        connect(&session, signal, this, schedule);
    }
    connect(&session, &AppState::copiedChanged, this,
            [this] { m_parts->answer->setCopied(m_parts->session.copied()); });
    refresh();
}

ResultView::~ResultView() = default;

void ResultView::refresh() {
    Parts& parts = *m_parts;
    parts.refreshPending = false;
    const AppState& session = parts.session;
    if (session.phase().kind != AppState::Phase::result || !session.lastReview()) {
        parts.answer->release();
        parts.tone->release();
        return;
    }
    const ShownResult shown{session.lastMode(),
                            *session.lastReview(),
                            session.lastOriginal(),
                            session.currentRating(),
                            parts.style != nullptr ? parts.style->statusLine() : QString(),
                            session.copied()};
    QWidget* page = nullptr;
    QWidget* focus = nullptr;
    if (shown.mode == Mode::toneCheck) {
        parts.answer->release();
        parts.tone->present(shown);
        page = parts.tone;
        focus = parts.tone->focusTarget();
    } else {
        parts.tone->release();
        parts.answer->present(shown);
        page = parts.answer;
        focus = parts.answer->focusTarget();
    }
    parts.stack->setCurrentWidget(page);
    // The editor that had the focus is gone; left to Qt, it lands on "Like".
    if (isVisible() && window()->isActiveWindow()) {
        focus->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace ts
