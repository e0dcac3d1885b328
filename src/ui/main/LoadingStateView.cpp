#include "ui/main/LoadingStateView.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "session/AppState.h"
#include "ui/EnumTexts.h"
#include "ui/main/ResultTexts.h"
#include "ui/theme/TextContrast.h"

namespace ts {

namespace {

constexpr int kFrameMs = 16;
constexpr int kBlinkMs = 530;

QLabel* sectionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QStringLiteral("sectionLabel"));
    return label;
}

}  // namespace

LoadingStateView::LoadingStateView(AppState& session, QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_reviewing(new QLabel(tr("Reviewing"), this)),
      m_preview(new QPlainTextEdit(this)),
      m_caret(new QWidget(m_preview->viewport())),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_flushTimer(new QTimer(this)),
      m_blinkTimer(new QTimer(this)) {
    m_reviewing->setProperty("role", QStringLiteral("shimmer"));
    auto* fade = new QGraphicsOpacityEffect(m_reviewing);
    m_reviewing->setGraphicsEffect(fade);
    m_shimmer = new QPropertyAnimation(fade, "opacity", this);
    m_shimmer->setDuration(1200);
    m_shimmer->setKeyValues({{0.0, 1.0}, {0.5, kShimmerMinOpacity}, {1.0, 1.0}});
    m_shimmer->setLoopCount(-1);

    m_preview->setProperty("role", QStringLiteral("preview"));
    m_preview->setReadOnly(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_preview->setAccessibleName(tr("IMPROVED"));
    m_preview->setFrameShape(QFrame::NoFrame);
    m_preview->setTabChangesFocus(true);
    m_preview->viewport()->installEventFilter(this);
    m_caret->setObjectName(QStringLiteral("streamingCaret"));
    m_caret->setAttribute(Qt::WA_StyledBackground);
    m_caret->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caret->resize(2, m_preview->fontMetrics().height());

    m_cancel->setProperty("role", QStringLiteral("secondary"));
    m_cancel->setAccessibleName(tr("Cancel"));
    auto* hint = new QLabel(tr("esc to cancel"), this);
    hint->setProperty("role", QStringLiteral("hint"));

    auto* cancelRow = new QHBoxLayout;
    cancelRow->addWidget(m_cancel);
    cancelRow->addWidget(hint);
    cancelRow->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(m_reviewing);
    m_section = sectionLabel(tr("IMPROVED"), this);
    column->addWidget(m_section);
    column->addWidget(m_preview, 1);
    column->addWidget(sectionLabel(tr("OBSERVATIONS"), this));
    auto* observations = new QLabel(tr("Arriving with the answer…"), this);
    observations->setProperty("role", QStringLiteral("hint"));
    column->addWidget(observations);
    column->addLayout(cancelRow);

    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(kFrameMs);
    connect(m_flushTimer, &QTimer::timeout, this, &LoadingStateView::flush);
    m_blinkTimer->setInterval(kBlinkMs);
    connect(m_blinkTimer, &QTimer::timeout, this,
            [this] { m_caret->setVisible(!m_caret->isVisible()); });
    connect(&m_session, &AppState::streamingImprovedChanged, this,
            &LoadingStateView::scheduleFlush);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_session.cancel(); });
    connect(m_preview->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &LoadingStateView::placeCaret);
}

void LoadingStateView::setActive(bool active) {
    m_flushTimer->stop();
    if (active) {
        // The section of the answer being written; a tone check writes none, only observations.
        const Mode mode = m_session.lastMode();
        const QString section = modeTexts(mode).section;
        const bool writes = mode != Mode::toneCheck;
        m_section->setText(section);
        m_section->setVisible(writes);
        m_preview->setVisible(writes);
        m_preview->setAccessibleName(section);
        const std::optional<Adjustment> adjustment = m_session.adjustment();
        m_reviewing->setText(adjustment ? tr("Reviewing \u00b7 ") + displayName(*adjustment)
                                        : tr("Reviewing"));
        m_preview->clear();
        m_shown = 0;
        m_shimmer->start();
        m_blinkTimer->start();
        m_caret->show();
        flush();
    } else {
        m_shimmer->stop();
        m_blinkTimer->stop();
    }
}

void LoadingStateView::scheduleFlush() {
    if (!m_flushTimer->isActive()) {
        m_flushTimer->start();
    }
}

void LoadingStateView::flush() {
    const QString& text = m_session.streamingImproved();
    if (text.size() < m_shown) {
        m_preview->clear();
        m_shown = 0;
    }
    if (text.size() > m_shown) {
        QScrollBar* bar = m_preview->verticalScrollBar();
        const bool following = bar->value() == bar->maximum();
        QTextCursor end(m_preview->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text.mid(m_shown));
        m_shown = text.size();
        if (following) {
            bar->setValue(bar->maximum());
        }
    }
    placeCaret();
}

void LoadingStateView::placeCaret() {
    QTextCursor end(m_preview->document());
    end.movePosition(QTextCursor::End);
    const QRect at = m_preview->cursorRect(end);
    m_caret->setGeometry(at.right() + 1, at.top(), 2, at.height());
}

bool LoadingStateView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_preview->viewport() && event->type() == QEvent::Resize) {
        placeCaret();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ts
