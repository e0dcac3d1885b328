#pragma once

#include <QWidget>

#include "core/Enums.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace ts {

class AppState;
class PromptStore;

// The editor of phase idle: the heading and the inputs of the current mode, the saved-prompt
// chips of mode ask, the tone and context pickers and the one button that starts the request.
// Every field is bound both ways to the session.
class EmptyStateView final : public QWidget {
    Q_OBJECT
public:
    EmptyStateView(AppState& session, PromptStore& prompts, QWidget* parent = nullptr);

    // The field a user types into first in the current mode.
    QWidget* firstInput() const;

    struct ModeTexts {
        QString headingLead;
        QString headingAccent;
        QString button;
        QString placeholder;  // of the text field
    };
    static ModeTexts texts(Mode mode);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyMode();
    void rebuildChips();
    void refreshActiveChip();
    void refreshSaveButton();
    void refreshRunButton();
    void refreshIcons();
    void nextInstructionExample();

    AppState& m_session;
    PromptStore& m_prompts;

    QWidget* m_heading;
    QLabel* m_headingLead;
    QLabel* m_headingAccent;
    QLabel* m_receivedLabel;
    QPlainTextEdit* m_received;
    QLabel* m_intentLabel;
    QLineEdit* m_instruction;
    QScrollArea* m_chipScroller;
    QWidget* m_chips;
    QHBoxLayout* m_chipRow;
    QPushButton* m_savePrompt;
    QPlainTextEdit* m_text;
    QWidget* m_clipboardBadge;
    QLabel* m_clipboardIcon;
    QComboBox* m_tone;
    QComboBox* m_context;
    QPushButton* m_run;
    int m_exampleIndex = 0;
};

}  // namespace ts
