#include "ui/theme/PopoverBackground.h"

#include <QLinearGradient>
#include <QPainter>

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

}  // namespace ts
