#include "ui/main/AdjustChipRow.h"

#include <QEvent>
#include <QGridLayout>
#include <QToolButton>

#include "ui/EnumTexts.h"
#include "ui/main/ResultTexts.h"
#include "ui/main/ResultWidgets.h"
#include "ui/theme/Icons.h"

namespace ts {

namespace {
constexpr int kColumns = 3;
}

AdjustChipRow::AdjustChipRow(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (const Adjustment adjustment : EnumCases<Adjustment>::all) {
        auto* chip = new QToolButton(this);
        chip->setProperty("role", QStringLiteral("chip"));
        chip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        chip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        chip->setCursor(Qt::PointingHandCursor);
        chip->setIconSize(QSize(14, 14));
        chip->setText(displayName(adjustment));
        chip->setAccessibleName(displayName(adjustment));
        chip->setToolTip(adjustmentHelp(adjustment));
        chip->setAccessibleDescription(adjustmentHelp(adjustment));
        activateOnEnter(chip);
        connect(chip, &QToolButton::clicked, this,
                [this, adjustment] { emit adjustRequested(adjustment); });
        const auto index = int(m_chips.size());
        grid->addWidget(chip, index / kColumns, index % kColumns);
        m_chips.append(chip);
    }
    applyIcons();
}

void AdjustChipRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        applyIcons();
    }
    QWidget::changeEvent(event);
}

void AdjustChipRow::applyIcons() {
    for (int i = 0; i < m_chips.size(); ++i) {
        m_chips[i]->setIcon(icons::symbol(adjustmentSymbol(EnumCases<Adjustment>::all[i])));
    }
}

}  // namespace ts
