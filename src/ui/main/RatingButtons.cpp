#include "ui/main/RatingButtons.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>

#include "ui/main/DiffFormat.h"
#include "ui/main/ResultWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

QToolButton* thumb(const QString& name, const QString& help, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setProperty("role", QStringLiteral("thumb"));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setIconSize(QSize(18, 18));
    button->setToolTip(help);
    button->setAccessibleName(name);
    button->setAccessibleDescription(help);
    activateOnEnter(button);
    return button;
}

}  // namespace

RatingButtons::RatingButtons(QWidget* parent)
    : QWidget(parent),
      m_like(thumb(tr("Like"), tr("Like (adds to your style corpus)"), this)),
      m_dislike(thumb(tr("Dislike"), tr("Dislike (exclude from style corpus)"), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_like);
    row->addWidget(m_dislike);
    // The session decides the new rating; the buttons only show what the history then holds.
    connect(m_like, &QToolButton::clicked, this, [this] {
        m_like->setChecked(m_rating == Rating::up);
        emit rateRequested(Rating::up);
    });
    connect(m_dislike, &QToolButton::clicked, this, [this] {
        m_dislike->setChecked(m_rating == Rating::down);
        emit rateRequested(Rating::down);
    });
    applyIcons();
}

void RatingButtons::setRating(std::optional<Rating> rating) {
    m_rating = rating;
    m_like->setChecked(rating == Rating::up);
    m_dislike->setChecked(rating == Rating::down);
    applyIcons();
}

void RatingButtons::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        applyIcons();
    }
    QWidget::changeEvent(event);
}

void RatingButtons::applyIcons() {
    const Palette& palette = Palette::current();
    const QColor set = accentText(palette);
    m_like->setIcon(m_rating == Rating::up
                        ? icons::symbol(QStringLiteral("hand.thumbsup.fill"), set)
                        : icons::symbol(QStringLiteral("hand.thumbsup"), palette.textDim));
    m_dislike->setIcon(m_rating == Rating::down
                           ? icons::symbol(QStringLiteral("hand.thumbsdown.fill"), set)
                           : icons::symbol(QStringLiteral("hand.thumbsdown"), palette.textDim));
}

}  // namespace ts
