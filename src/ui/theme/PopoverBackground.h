#pragma once

#include <QWidget>

class QPainter;

namespace ts {

// The main window's background: the palette's gradient for the current colour scheme.
class PopoverBackground final : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The card of a floating panel (toast, selection strip, instruction panel) filling rect: the
// translucent card colour over the opaque gradient, so text stays readable on any window beneath.
void paintFloatingCard(QPainter& painter, const QRect& rect, qreal radius);
// The same over all of `widget`, rounded only when its window is translucent: without a
// compositing manager the corners outside the curve would show black, so the card is square.
void paintFloatingCard(QPainter& painter, const QWidget& widget, qreal radius);

// A floating panel's window: translucent (for rounded corners) only where the desktop blends
// translucent windows. Call before the window is first shown.
void makeFloatingWindow(QWidget& window);

}  // namespace ts
