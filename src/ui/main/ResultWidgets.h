#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "core/Review.h"
#include "store/HistoryItem.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class QScrollArea;

namespace ts {

class RatingButtons;

// What a page of the result view shows of the finished request.
struct ShownResult {
    Mode mode = Mode::rewrite;
    Review review;
    QString original;
    std::optional<Rating> rating;
    QString styleStatus;
    bool copied = false;
};

// Return and Enter press a focused button, as Space does.
void activateOnEnter(QAbstractButton* button);
// Widgets marked with a "role" the result view's style rules know.
QLabel* makeLabel(const QString& text, const char* role, QWidget* parent);
QPushButton* makeButton(const QString& text, const char* role, QWidget* parent);
// A frameless, transparent scroll area around `content`, which keeps the area's width.
QScrollArea* makeScrollArea(QWidget* content, QWidget* parent);

// The heading (lead and accent) with the thumbs beside it.
class ResultHeading final : public QWidget {
    Q_OBJECT
public:
    explicit ResultHeading(QWidget* parent = nullptr);

    void setTexts(const QString& lead, const QString& accent);
    RatingButtons* rating() const { return m_rating; }

private:
    QWidget* m_words = nullptr;  // lead and accent, read as one heading
    QLabel* m_lead;
    QLabel* m_accent;
    RatingButtons* m_rating;
};

}  // namespace ts
