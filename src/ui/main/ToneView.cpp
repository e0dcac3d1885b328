#include "ui/main/ToneView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "session/AppState.h"
#include "ui/main/DiffText.h"
#include "ui/main/RatingButtons.h"
#include "ui/main/ResultTexts.h"
#include "ui/main/WhyRow.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

ToneView::ToneView(AppState& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("toneView"));
    const ModeTexts texts = modeTexts(Mode::toneCheck);
    auto* content = new QWidget;
    m_heading = new ResultHeading(content);
    m_heading->setTexts(texts.lead, texts.accent);
    m_observations = new WhyList(content);

    auto* card = new QFrame(content);
    card->setProperty("role", QStringLiteral("textCard"));
    m_original = new DiffText(card);
    m_original->setObjectName(QStringLiteral("toneOriginal"));
    m_original->setAccessibleName(tr("YOUR TEXT"));
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(12, 10, 12, 10);
    cardLayout->addWidget(m_original);

    m_status = makeLabel({}, "styleStatus", content);
    m_status->setWordWrap(true);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(m_heading);
    column->addWidget(makeLabel(texts.section, "sectionLabel", content));
    column->addWidget(m_observations);
    column->addSpacing(4);
    column->addWidget(makeLabel(tr("YOUR TEXT"), "sectionLabel", content));
    column->addWidget(card);
    column->addWidget(m_status);
    column->addStretch(1);

    m_back = makeButton(tr("Back"), "secondary", this);
    m_rewrite = makeButton(tr("Rewrite with these"), "primary", this);
    auto* actions = new QWidget(this);
    actions->setObjectName(QStringLiteral("resultActions"));
    auto* actionRow = new QHBoxLayout(actions);
    actionRow->setContentsMargins(0, 10, 0, 0);
    actionRow->setSpacing(8);
    actionRow->addWidget(m_back);
    actionRow->addStretch(1);
    actionRow->addWidget(m_rewrite);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(makeScrollArea(content, this), 1);
    page->addWidget(actions);

    setTabOrder(m_heading->rating()->likeButton(), m_heading->rating()->dislikeButton());
    setTabOrder(m_heading->rating()->dislikeButton(), m_original);
    setTabOrder(m_original, m_back);
    setTabOrder(m_back, m_rewrite);

    connect(m_heading->rating(), &RatingButtons::rateRequested, this, [this](Rating rating) {
        m_session.rate(rating);
        m_heading->rating()->setRating(m_session.currentRating());
    });
    connect(m_back, &QPushButton::clicked, this, [this] { m_session.returnToEditor(); });
    connect(m_rewrite, &QPushButton::clicked, this, &ToneView::rewriteChecked);
    updateIcons();
}

void ToneView::present(const ShownResult& shown) {
    m_shown = shown;
    m_heading->rating()->setRating(shown.rating);
    m_observations->setBullets(shown.review.whys);
    m_original->showPlain(shown.original);
    m_status->setText(shown.styleStatus);
    m_status->setVisible(!shown.styleStatus.isEmpty());
}

QWidget* ToneView::focusTarget() const {
    return m_rewrite;
}

void ToneView::release() {
    m_original->showPlain({});
}

void ToneView::rewriteChecked() {
    // The observations are not sent along: the rewrite is an ordinary one of the checked text.
    const QString checked = m_session.lastOriginal();
    m_session.setText(checked);
    m_session.setMode(Mode::rewrite);
    m_session.run();
}

void ToneView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        updateIcons();
    }
    QWidget::changeEvent(event);
}

void ToneView::updateIcons() {
    const Palette& palette = Palette::current();
    m_rewrite->setIcon(icons::symbol(QStringLiteral("sparkle"), palette.ctaText));
    m_back->setIcon(icons::symbol(QStringLiteral("arrow.left")));
}

}  // namespace ts
