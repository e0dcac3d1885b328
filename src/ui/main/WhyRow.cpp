#include "ui/main/WhyRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/main/DiffFormat.h"
#include "ui/main/ResultTexts.h"
#include "ui/main/ResultWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {
constexpr int kIconSize = 16;
}

WhyRow::WhyRow(const WhyBullet& bullet, QWidget* parent)
    : QWidget(parent),
      m_bullet(bullet),
      m_icon(new QLabel(this)),
      m_text(makeLabel(bullet.text, "whyText", this)) {
    setProperty("role", QStringLiteral("whyRow"));
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_icon->setAccessibleName(rawValue(bullet.kind));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_icon, 0, Qt::AlignTop);
    row->addWidget(m_text, 1);
    applyIcon();
}

void WhyRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        applyIcon();
    }
    QWidget::changeEvent(event);
}

void WhyRow::applyIcon() {
    const QIcon icon = icons::symbol(whySymbol(m_bullet.kind), accentText(Palette::current()));
    m_icon->setPixmap(icon.pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
}

WhyList::WhyList(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(8);
}

void WhyList::setBullets(const QList<WhyBullet>& bullets) {
    qDeleteAll(m_rows);
    m_rows.clear();
    for (const WhyBullet& bullet : bullets) {
        auto* row = new WhyRow(bullet, this);
        m_layout->addWidget(row);
        row->show();
        m_rows.append(row);
    }
    setVisible(!bullets.isEmpty());
}

}  // namespace ts
