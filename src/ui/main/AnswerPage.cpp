#include "ui/main/AnswerPage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ChangeSet.h"
#include "session/AppState.h"
#include "ui/main/AdjustChipRow.h"
#include "ui/main/ChangeList.h"
#include "ui/main/DiffFormat.h"
#include "ui/main/DiffText.h"
#include "ui/main/RatingButtons.h"
#include "ui/main/ResultTexts.h"
#include "ui/main/WhyRow.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

AnswerPage::AnswerPage(AppState& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("answerPage"));
    auto* content = new QWidget;
    m_heading = new ResultHeading(content);
    m_section = makeLabel({}, "sectionLabel", content);
    m_changes = new QToolButton(content);
    m_changes->setProperty("role", QStringLiteral("changesToggle"));
    m_changes->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_changes->setCursor(Qt::PointingHandCursor);
    m_changes->setIconSize(QSize(12, 12));
    activateOnEnter(m_changes);

    auto* card = new QFrame(content);
    card->setProperty("role", QStringLiteral("textCard"));
    m_text = new DiffText(card);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(12, 10, 12, 10);
    cardLayout->addWidget(m_text);

    m_changeList = new ChangeList(content);
    m_changeList->hide();

    m_whys = new WhyList(content);
    m_adjustLabel = makeLabel(tr("ADJUST"), "sectionLabel", content);
    m_chips = new AdjustChipRow(content);
    m_status = makeLabel({}, "styleStatus", content);
    m_status->setWordWrap(true);

    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(m_section);
    sectionRow->addStretch(1);
    sectionRow->addWidget(m_changes);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(m_heading);
    column->addLayout(sectionRow);
    column->addWidget(card);
    column->addWidget(m_changeList);
    column->addSpacing(4);
    column->addWidget(m_whys);
    column->addSpacing(4);
    column->addWidget(m_adjustLabel);
    column->addWidget(m_chips);
    column->addWidget(m_status);
    column->addStretch(1);

    m_back = makeButton(tr("Back to edit"), "secondary", this);
    m_regenerate = makeButton(tr("Regenerate"), "secondary", this);
    m_copy = makeButton({}, "primary", this);
    auto* actions = new QWidget(this);
    actions->setObjectName(QStringLiteral("resultActions"));
    auto* actionRow = new QHBoxLayout(actions);
    actionRow->setContentsMargins(0, 10, 0, 0);
    actionRow->setSpacing(8);
    actionRow->addWidget(m_back);
    actionRow->addStretch(1);
    actionRow->addWidget(m_regenerate);
    actionRow->addWidget(m_copy);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(makeScrollArea(content, this), 1);
    page->addWidget(actions);

    // Top to bottom, then the actions.
    QList<QWidget*> order{m_heading->rating()->likeButton(), m_heading->rating()->dislikeButton(),
                          m_changes, m_text};
    for (QToolButton* chip : m_chips->chips()) {
        order.append(chip);
    }
    order << m_back << m_regenerate << m_copy;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(m_changes, &QToolButton::clicked, this, &AnswerPage::toggleChanges);
    connect(m_text, &DiffText::diffShown, this, [this] {
        m_changeList->setChanges(changesOf(m_text->segments()));
        applyDropped();
        // The list follows the diff text in the Tab order.
        QWidget* previous = m_text;
        for (QWidget* next : m_changeList->focusChain()) {
            setTabOrder(previous, next);
            previous = next;
        }
    });
    connect(m_text, &DiffText::changeClicked, this, &AnswerPage::toggleChange);
    connect(m_changeList, &ChangeList::toggled, this, &AnswerPage::toggleChange);
    connect(m_changeList, &ChangeList::keepAll, this, [this] {
        m_dropped.clear();
        applyDropped();
    });
    connect(m_changeList, &ChangeList::undoAll, this, [this] {
        for (int i = 0; i < changesOf(m_text->segments()).size(); ++i) {
            m_dropped.insert(i);
        }
        applyDropped();
    });
    connect(m_heading->rating(), &RatingButtons::rateRequested, this, [this](Rating rating) {
        m_session.rate(rating);
        m_heading->rating()->setRating(m_session.currentRating());
    });
    connect(m_chips, &AdjustChipRow::adjustRequested, this,
            [this](Adjustment adjustment) { m_session.adjust(adjustment); });
    connect(m_copy, &QPushButton::clicked, this, [this] { m_session.copyImproved(); });
    connect(m_regenerate, &QPushButton::clicked, this, [this] { m_session.retry(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_session.returnToEditor(); });
}

void AnswerPage::present(const ShownResult& shown) {
    m_shown = shown;
    m_showingChanges = false;
    m_dropped.clear();
    m_changeList->hide();
    const ModeTexts texts = modeTexts(shown.mode);
    m_heading->setTexts(texts.lead, texts.accent);
    m_heading->rating()->setRating(shown.rating);
    m_section->setText(texts.section);
    m_text->setAccessibleName(texts.section);
    // A reply has nothing to compare with: the text sent was the other person's message.
    m_changes->setVisible(shown.mode != Mode::reply && !shown.original.isEmpty());
    m_text->showPlain(shown.review.improved);
    m_whys->setBullets(shown.review.whys);
    m_status->setText(shown.styleStatus);
    m_status->setVisible(!shown.styleStatus.isEmpty());
    setCopied(shown.copied);
    updateControls();
}

void AnswerPage::setCopied(bool copied) {
    m_shown.copied = copied;
    m_copy->setText(copied ? tr("Copied") : modeTexts(m_shown.mode).copy);
    updateControls();
}

QWidget* AnswerPage::focusTarget() const {
    return m_text;
}

void AnswerPage::release() {
    m_text->showPlain({});
}

void AnswerPage::toggleChanges() {
    m_showingChanges = !m_showingChanges;
    if (m_showingChanges) {
        m_text->showDiff(m_shown.original, m_shown.review.improved);
    } else {
        // What would be copied: the answer with the changes that were dropped left out.
        m_text->showPlain(m_session.keptText().value_or(m_shown.review.improved));
        m_changeList->hide();
    }
    updateControls();
}

void AnswerPage::toggleChange(int change) {
    if (!m_dropped.remove(change)) {
        m_dropped.insert(change);
    }
    applyDropped();
}

void AnswerPage::applyDropped() {
    const QList<DiffSegment>& segments = m_text->segments();
    m_text->setDropped(m_dropped);
    m_changeList->setDropped(m_dropped);
    m_changeList->setVisible(m_showingChanges && !segments.isEmpty());
    m_session.setKeptText(m_dropped.isEmpty() ? std::nullopt
                                              : std::optional(keptText(segments, m_dropped)));
}

void AnswerPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        updateControls();
    }
    QWidget::changeEvent(event);
}

void AnswerPage::updateControls() {
    const Palette& palette = Palette::current();
    const QColor accent = accentText(palette);
    m_changes->setText(m_showingChanges ? tr("HIDE CHANGES") : tr("SHOW CHANGES"));
    m_changes->setIcon(icons::symbol(
        m_showingChanges ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"),
        accent));
    m_copy->setIcon(
        icons::symbol(m_shown.copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"),
                      palette.ctaText));
    m_regenerate->setIcon(icons::symbol(QStringLiteral("arrow.clockwise")));
    m_back->setIcon(icons::symbol(QStringLiteral("arrow.left")));
}

}  // namespace ts
