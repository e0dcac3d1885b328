#include "ui/theme/PopoverBackground.h"

#include <QLinearGradient>
#include <QPainter>

#include "desktop/platform/Workspaces.h"
#include "ui/theme/Palette.h"

namespace ts {

void PopoverBackground::paintEvent(QPaintEvent*) {
    const Palette& palette = Palette::current();
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, palette.gradientA);
    gradient.setColorAt(1, palette.gradientB);
    QPainter painter(this);
    painter.fillRect(rect(), gradient);
}

void paintFloatingCard(QPainter& painter, const QRect& rect, qreal radius) {
    const Palette& palette = Palette::current();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient background(card.topLeft(), card.bottomLeft());
    background.setColorAt(0, palette.gradientA);
    background.setColorAt(1, palette.gradientB);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(card, radius, radius);
    painter.setBrush(palette.cardBg);
    painter.setPen(QPen(palette.cardBorder, 1));
    painter.drawRoundedRect(card, radius, radius);
}

void paintFloatingCard(QPainter& painter, const QWidget& widget, qreal radius) {
    const bool rounded = widget.window()->testAttribute(Qt::WA_TranslucentBackground);
    paintFloatingCard(painter, widget.rect(), rounded ? radius : 0);
}

void makeFloatingWindow(QWidget& window) {
    window.setAttribute(Qt::WA_TranslucentBackground, hasCompositingManager());
}

}  // namespace ts
