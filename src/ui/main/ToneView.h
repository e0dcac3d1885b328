#pragma once

#include <QWidget>

#include "ui/main/ResultWidgets.h"

class QLabel;
class QPushButton;

namespace ts {

class AppState;
class DiffText;
class ResultHeading;
class WhyList;

// A finished tone check: the observations, the text that was checked, the thumbs, "Back" and
// "Rewrite with these", which rewrites the checked text (not what the editor holds now).
class ToneView final : public QWidget {
    Q_OBJECT
public:
    ToneView(AppState& session, QWidget* parent = nullptr);

    void present(const ShownResult& shown);
    void release();
    QWidget* focusTarget() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void rewriteChecked();
    void updateIcons();

    AppState& m_session;
    ShownResult m_shown;

    ResultHeading* m_heading;
    WhyList* m_observations;
    DiffText* m_original;
    QLabel* m_status;
    QPushButton* m_back;
    QPushButton* m_rewrite;
};

}  // namespace ts
