#pragma once

#include <QWidget>
#include <optional>

#include "store/HistoryItem.h"

class QToolButton;

namespace ts {

// The thumbs of a result: the filled icon (and the checked state screen readers announce)
// shows the rating of the history item; a press asks for that rating.
class RatingButtons final : public QWidget {
    Q_OBJECT
public:
    explicit RatingButtons(QWidget* parent = nullptr);

    void setRating(std::optional<Rating> rating);
    std::optional<Rating> rating() const { return m_rating; }
    QToolButton* likeButton() const { return m_like; }
    QToolButton* dislikeButton() const { return m_dislike; }

signals:
    void rateRequested(Rating rating);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyIcons();

    QToolButton* m_like;
    QToolButton* m_dislike;
    std::optional<Rating> m_rating;
};

}  // namespace ts
