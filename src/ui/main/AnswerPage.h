#pragma once

#include <QSet>
#include <QWidget>

#include "ui/main/ResultWidgets.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace ts {

class AdjustChipRow;
class AppState;
class ChangeList;
class DiffText;
class ResultHeading;
class WhyList;

// The result of a rewrite, proofread, reply or custom request: the answer (or its word diff
// against the text that was sent), the why bullets, the adjust chips, the thumbs, copy,
// regenerate and back. Long content scrolls; the buttons below it stay in place.
class AnswerPage final : public QWidget {
    Q_OBJECT
public:
    AnswerPage(AppState& session, QWidget* parent = nullptr);

    void present(const ShownResult& shown);
    void setCopied(bool copied);
    // Drops the shown text and any diff still being prepared.
    void release();
    // Where the focus goes when a result appears: the answer, which a screen reader reads.
    QWidget* focusTarget() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void toggleChanges();
    void toggleChange(int change);
    // Shows the kept and dropped changes and hands the resulting text to the session.
    void applyDropped();
    void updateControls();

    AppState& m_session;
    ShownResult m_shown;
    bool m_showingChanges = false;
    QSet<int> m_dropped;

    ResultHeading* m_heading;
    QLabel* m_section;
    QToolButton* m_changes;
    DiffText* m_text;
    ChangeList* m_changeList;
    WhyList* m_whys;
    QLabel* m_adjustLabel;
    AdjustChipRow* m_chips;
    QLabel* m_status;
    QPushButton* m_back;
    QPushButton* m_regenerate;
    QPushButton* m_copy;
};

}  // namespace ts
