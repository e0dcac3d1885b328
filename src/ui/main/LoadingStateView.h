#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPropertyAnimation;
class QPushButton;
class QTimer;

namespace ts {

class AppState;

// Phase reviewing: the answer as it streams in, under "IMPROVED", with a blinking caret at
// its end, and the way to cancel. Pieces are appended, at most once per frame, so a long
// stream never lays out the whole text again.
class LoadingStateView final : public QWidget {
    Q_OBJECT
public:
    explicit LoadingStateView(AppState& session, QWidget* parent = nullptr);

    // Starts (or stops) following the session's stream.
    void setActive(bool active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleFlush();
    void flush();
    void placeCaret();

    AppState& m_session;
    QLabel* m_reviewing;
    QLabel* m_section;
    QPlainTextEdit* m_preview;
    QWidget* m_caret;
    QPushButton* m_cancel;
    QTimer* m_flushTimer;
    QTimer* m_blinkTimer;
    QPropertyAnimation* m_shimmer;
    qsizetype m_shown = 0;
};

}  // namespace ts
