#include "ui/onboarding/OnboardingWidgets.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

#include "ui/onboarding/OnboardingServices.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

void OnboardingServices::open(const QUrl& url) const {
    if (openUrl) {
        openUrl(url);
    } else {
        QDesktopServices::openUrl(url);
    }
}

QLabel* roleLabel(const QString& text, const char* role, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QString::fromLatin1(role));
    label->setWordWrap(true);
    return label;
}

QPushButton* roleButton(const QString& text, const char* role, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setProperty("role", QString::fromLatin1(role));
    button->setAccessibleName(text);
    button->setCursor(Qt::PointingHandCursor);
    // Return presses the focused button, as Space does, outside dialogs too.
    button->setAutoDefault(true);
    return button;
}

QFrame* cardFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setProperty("role", QStringLiteral("card"));
    return frame;
}

QString byteSize(qint64 bytes) {
    if (bytes <= 0) {
        return QStringLiteral("-");
    }
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

ButtonSpinner::ButtonSpinner(QAbstractButton& button) : QObject(&button), m_button(button) {
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, &ButtonSpinner::step);
}

void ButtonSpinner::start() {
    m_angle = 0;
    step();
    m_timer.start();
}

void ButtonSpinner::stop(const QIcon& restored) {
    m_timer.stop();
    m_button.setIcon(restored);
}

void ButtonSpinner::step() {
    const qreal ratio = m_button.devicePixelRatioF();
    const int size = 16;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Palette::current().cyan, 2, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    // A 270 degree arc turning 30 degrees per frame.
    painter.drawArc(QRectF(2, 2, size - 4, size - 4), -m_angle * 16, 270 * 16);
    painter.end();
    m_button.setIcon(QIcon(pixmap));
    m_angle = (m_angle + 30) % 360;
}

}  // namespace ts
