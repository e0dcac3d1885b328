#pragma once

#include <QFrame>

#include "core/CustomPrompt.h"

class QPushButton;
class QToolButton;

namespace ts {

// One saved instruction as a chip: choosing it fills the instruction, its trash button deletes
// it at once (the list is short and a deleted prompt is easy to save again).
class SavedPromptChip final : public QFrame {
    Q_OBJECT
public:
    SavedPromptChip(const CustomPrompt& prompt, bool isActive, QWidget* parent = nullptr);

    const CustomPrompt& prompt() const { return m_prompt; }

signals:
    void tapped(const CustomPrompt& prompt);
    void deleteRequested(const CustomPrompt& prompt);

private:
    CustomPrompt m_prompt;
    QPushButton* m_name;
    QToolButton* m_delete;
};

}  // namespace ts
