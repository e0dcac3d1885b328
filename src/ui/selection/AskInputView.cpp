#include "ui/selection/AskInputView.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/main/SavedPromptChip.h"
#include "ui/selection/StripPlacement.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"

namespace ts {

namespace {

constexpr qreal kCorner = 12;

}  // namespace

AskInputView::AskInputView(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      field_(new QLineEdit(this)),
      submit_(new QToolButton(this)),
      chipScroller_(new QScrollArea(this)),
      chipRow_(new QWidget),
      chipLayout_(new QHBoxLayout(chipRow_)) {
    setObjectName(QStringLiteral("askPanel"));
    setWindowTitle(tr(kTitle));
    setAccessibleName(tr(kTitle));
    makeFloatingWindow(*this);

    const QString placeholder = QString::fromUtf8(kPlaceholder);
    field_->setPlaceholderText(placeholder);
    field_->setAccessibleName(placeholder);
    fieldIcon_ = field_->addAction(QIcon(), QLineEdit::LeadingPosition);
    // The wand marks the field as the strip's Custom action; its button is read by this name.
    fieldIcon_->setText(tr("Custom"));

    submit_->setProperty("role", QStringLiteral("askSubmit"));
    submit_->setIconSize(QSize(22, 22));
    submit_->setToolTip(tr("Submit (Enter)"));
    submit_->setAccessibleName(tr("Submit"));
    submit_->setAccessibleDescription(tr("Submit (Enter)"));
    submit_->setFocusPolicy(Qt::StrongFocus);
    submit_->setCursor(Qt::PointingHandCursor);

    chipScroller_->setObjectName(QStringLiteral("askChipScroller"));
    chipScroller_->setWidgetResizable(true);
    chipScroller_->setFrameShape(QFrame::NoFrame);
    chipScroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chipScroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    chipScroller_->setFixedHeight(36);
    chipLayout_->setContentsMargins(0, 0, 0, 0);
    chipLayout_->setSpacing(6);
    chipScroller_->setWidget(chipRow_);
    chipScroller_->hide();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 12);
    column->setSpacing(8);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(field_, 1);
    row->addWidget(submit_);
    column->addLayout(row);
    column->addWidget(chipScroller_);
    column->addStretch(1);

    connect(field_, &QLineEdit::returnPressed, this,
            [this] { emit submitRequested(field_->text()); });
    connect(submit_, &QToolButton::clicked, this, [this] { emit submitRequested(field_->text()); });
    refreshIcons();
    setFixedSize(placement::kPanelWidth, placement::kPanelHeight);
}

void AskInputView::setPrompts(const QList<CustomPrompt>& prompts) {
    prompts_ = prompts;
    while (QLayoutItem* item = chipLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const CustomPrompt& prompt : prompts_) {
        auto* chip = new SavedPromptChip(prompt, false, chipRow_);
        connect(chip, &SavedPromptChip::tapped, this, [this](const CustomPrompt& chosen) {
            field_->setText(chosen.instruction);
            field_->setFocus();
        });
        connect(chip, &SavedPromptChip::deleteRequested, this, &AskInputView::deleteRequested);
        chipLayout_->addWidget(chip);
    }
    chipLayout_->addStretch(1);
    chipScroller_->setVisible(hasChips());
    setFixedSize(placement::kPanelWidth, preferredHeight());
}

int AskInputView::preferredHeight() const {
    return hasChips() ? placement::kPanelHeightWithChips : placement::kPanelHeight;
}

void AskInputView::refreshIcons() {
    const Palette& palette = Palette::current();
    fieldIcon_->setIcon(icons::symbol(QStringLiteral("wand.and.stars"), palette.textDim));
    submit_->setIcon(icons::symbol(QStringLiteral("arrow.up.circle.fill"), palette.cyan));
}

void AskInputView::showEvent(QShowEvent* event) {
    refreshIcons();  // the colour scheme may have changed since the last show
    QWidget::showEvent(event);
}

void AskInputView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit dismissRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AskInputView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFloatingCard(painter, *this, kCorner);
}

}  // namespace ts
