#include "ui/toast/ToastView.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "ui/AccessibleRoles.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"
#include "ui/toast/ToastPlacement.h"

namespace ts {

namespace {

constexpr int kIconSize = 16;
constexpr qreal kCornerRadius = 12;
constexpr int kTextLeft = 16 + kIconSize + 10;  // after the icon
constexpr int kTextRight = 14;
constexpr int kTextVerticalPadding = 12;

QPixmap drawnCheckBadge(const QColor& color) {
    QPixmap pixmap(kIconSize * 2, kIconSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0.5, 0.5, kIconSize - 1, kIconSize - 1));
    QPen tick(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(tick);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
    return pixmap;
}

QPixmap drawnWarningTriangle(const QColor& color) {
    QPixmap pixmap(kIconSize * 2, kIconSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(8, 1);
    triangle.lineTo(15.5, 14.5);
    triangle.lineTo(0.5, 14.5);
    triangle.closeSubpath();
    painter.fillPath(triangle, color);
    painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
    painter.drawPoint(QPointF(8, 12.2));
    return pixmap;
}

}  // namespace

ToastView::ToastView(QWidget* parent) : QWidget(parent), spinner_(new QTimer(this)) {
    accessible::setRole(this, QAccessible::AlertMessage);
    spinner_->setInterval(80);
    connect(spinner_, &QTimer::timeout, this, [this] {
        spinnerAngle_ = (spinnerAngle_ + 30) % 360;
        update();
    });
}

QIcon ToastView::iconFor(ToastPresenter::Kind kind) {
    const Palette& palette = Palette::current();
    switch (kind) {
        case ToastPresenter::Kind::success:
            return QIcon::fromTheme(QStringLiteral("emblem-ok-symbolic"),
                                    QIcon(drawnCheckBadge(palette.green)));
        case ToastPresenter::Kind::error:
            return QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                    QIcon(drawnWarningTriangle(palette.red)));
        case ToastPresenter::Kind::info:
            break;
    }
    return {};  // info shows the spinner
}

void ToastView::setState(const ToastPresenter::State& state) {
    state_ = state;
    // Read out when it changes; its first show is announced by the show itself.
    setAccessibleName(state.text);
    accessible::announce(this);
    updateSpinner();
    update();
}

QFont ToastView::textFont() const {
    QFont font = this->font();
    font.setPixelSize(14);  // the panel is sized in pixels too
    font.setWeight(QFont::DemiBold);
    return font;
}

QSize ToastView::sizeFor(const QString& text) const {
    const QFontMetrics metrics(textFont());
    const int oneLine = kTextLeft + metrics.horizontalAdvance(text) + kTextRight + 1;
    if (oneLine <= kToastMaxWidth) {
        return QSize(std::max(kToastSize.width(), oneLine), kToastSize.height());
    }
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, kToastMaxWidth - kTextLeft - kTextRight, 10000),
                             Qt::TextWordWrap | Qt::AlignLeft, text);
    return QSize(kToastMaxWidth,
                 std::max(kToastSize.height(), wrapped.height() + 2 * kTextVerticalPadding));
}

void ToastView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateSpinner();
}

void ToastView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    spinner_->stop();
}

void ToastView::updateSpinner() {
    if (state_.kind == ToastPresenter::Kind::info && isVisible()) {
        spinner_->start();
    } else {
        spinner_->stop();
    }
}

void ToastView::paintEvent(QPaintEvent*) {
    const Palette& palette = Palette::current();
    QPainter painter(this);
    paintFloatingCard(painter, *this, kCornerRadius);

    const QRect iconRect(16, (height() - kIconSize) / 2, kIconSize, kIconSize);
    if (state_.kind == ToastPresenter::Kind::info) {
        painter.setPen(QPen(palette.cyan, 2, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(iconRect).adjusted(1.5, 1.5, -1.5, -1.5), -spinnerAngle_ * 16,
                        270 * 16);
    } else {
        iconFor(state_.kind).paint(&painter, iconRect);
    }

    painter.setFont(textFont());
    painter.setPen(palette.text);
    const QRect textRect = rect().adjusted(kTextLeft, 0, -kTextRight, 0);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, state_.text);
}

}  // namespace ts
