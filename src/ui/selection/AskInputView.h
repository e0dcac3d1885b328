#pragma once

#include <QList>
#include <QWidget>

#include "core/CustomPrompt.h"

class QHBoxLayout;
class QLineEdit;
class QScrollArea;
class QToolButton;

namespace ts {

// The instruction panel's window: one line for what to do with the selection, the saved
// prompts as chips that fill it, and a submit button.
class AskInputView final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle =
        QT_TRANSLATE_NOOP("ts::AskInputView", "Custom instruction");
    static constexpr const char* kPlaceholder = "Tell me what to do with the selection…";

    explicit AskInputView(QWidget* parent = nullptr);

    void setPrompts(const QList<CustomPrompt>& prompts);
    bool hasChips() const { return !prompts_.isEmpty(); }
    // 110 with chips, else 70.
    int preferredHeight() const;

    QLineEdit* field() const { return field_; }
    QToolButton* submitButton() const { return submit_; }

signals:
    void submitRequested(const QString& instruction);
    void dismissRequested();
    void deleteRequested(const CustomPrompt& prompt);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void refreshIcons();

    QLineEdit* field_;
    QToolButton* submit_;
    QScrollArea* chipScroller_;
    QWidget* chipRow_;
    QHBoxLayout* chipLayout_;
    QList<CustomPrompt> prompts_;
    QAction* fieldIcon_ = nullptr;
};

}  // namespace ts
