#include "ui/main/SavedPromptChip.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

SavedPromptChip::SavedPromptChip(const CustomPrompt& prompt, bool isActive, QWidget* parent)
    : QFrame(parent),
      m_prompt(prompt),
      m_name(new QPushButton(prompt.name, this)),
      m_delete(new QToolButton(this)) {
    setProperty("role", QStringLiteral("chip"));
    setProperty("active", isActive);
    m_name->setProperty("role", QStringLiteral("chipLabel"));
    m_name->setAccessibleName(prompt.name);
    m_name->setAccessibleDescription(prompt.instruction);
    m_name->setToolTip(prompt.instruction);
    m_name->setCursor(Qt::PointingHandCursor);
    m_delete->setProperty("role", QStringLiteral("chipDelete"));
    m_delete->setIcon(icons::symbol(QStringLiteral("trash"), Palette::current().textDim));
    m_delete->setIconSize(QSize(12, 12));
    m_delete->setToolTip(tr("Delete Prompt"));
    m_delete->setAccessibleName(tr("Delete Prompt"));
    m_delete->setAccessibleDescription(prompt.name);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(m_name);
    row->addWidget(m_delete);

    connect(m_name, &QPushButton::clicked, this, [this] { emit tapped(m_prompt); });
    connect(m_delete, &QToolButton::clicked, this, [this] { emit deleteRequested(m_prompt); });
}

}  // namespace ts
