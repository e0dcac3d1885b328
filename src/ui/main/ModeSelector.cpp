#include "ui/main/ModeSelector.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

#include "ui/EnumTexts.h"
#include "ui/RadioGroupKeys.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

ModeSelector::ModeSelector(QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("modeSelector"));
    setAttribute(Qt::WA_StyledBackground);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(2);
    int id = 0;
    for (const Mode mode : EnumCases<Mode>::all) {
        auto* segment = new QToolButton(this);
        segment->setProperty("role", QStringLiteral("segment"));
        segment->setText(displayName(mode));
        segment->setAccessibleName(displayName(mode));
        segment->setCheckable(true);
        segment->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        segment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_group->addButton(segment, id++);
        row->addWidget(segment);
    }
    m_group->setExclusive(true);
    new RadioGroupKeys(m_group->buttons(), this);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        emit modeChosen(EnumCases<Mode>::all[static_cast<std::size_t>(index)]);
    });
    refreshIcons();
    setMode(Mode::rewrite);
}

void ModeSelector::setMode(Mode mode) {
    const auto& modes = EnumCases<Mode>::all;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (modes[i] == mode) {
            m_group->button(static_cast<int>(i))->setChecked(true);
        }
    }
    refreshIcons();
}

void ModeSelector::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
        fitSegments();
    }
    QWidget::changeEvent(event);
}

// Before the window first lays itself out, so it never grows for the segments' sake.
bool ModeSelector::event(QEvent* event) {
    if (event->type() == QEvent::Polish) {
        fitSegments();
    }
    return QWidget::event(event);
}

// The style's size hint keeps room a segment's text never uses; a floor of what the text and
// icon take lets the five names of a longer language share the window's width uncut.
void ModeSelector::fitSegments() {
    constexpr int kChrome = 22;  // gap to the icon, padding, focus border and a little air
    for (QAbstractButton* segment : m_group->buttons()) {
        segment->ensurePolished();
        const int needed = segment->fontMetrics().horizontalAdvance(segment->text()) +
                           segment->iconSize().width() + kChrome;
        segment->setMinimumWidth(std::min(needed, segment->sizeHint().width()));
    }
}

void ModeSelector::refreshIcons() {
    const Palette& palette = Palette::current();
    const auto& modes = EnumCases<Mode>::all;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        QAbstractButton* segment = m_group->button(static_cast<int>(i));
        const QColor tint = segment->isChecked() ? palette.pillSelectedText : palette.textDim;
        segment->setIcon(icons::symbol(symbolName(modes[i]), tint));
    }
}

}  // namespace ts
