#include "ui/main/ErrorBannerView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "ui/AccessibleRoles.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

ErrorBannerView::ErrorBannerView(QWidget* parent)
    : QFrame(parent),
      m_icon(new QLabel(this)),
      m_title(new QLabel(this)),
      m_message(new QLabel(this)),
      m_openSettings(new QPushButton(tr("Open Settings"), this)),
      m_retry(new QPushButton(tr("Retry"), this)) {
    setObjectName(QStringLiteral("errorBanner"));
    accessible::setRole(this, QAccessible::AlertMessage);
    m_title->setProperty("role", QStringLiteral("bannerTitle"));
    m_message->setProperty("role", QStringLiteral("bannerText"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::RichText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_icon->setAccessibleName(tr("Error"));
    for (QPushButton* button : {m_openSettings, m_retry}) {
        button->setProperty("role", QStringLiteral("secondary"));
        button->setAccessibleName(button->text());
    }

    auto* heading = new QHBoxLayout;
    heading->addWidget(m_icon);
    heading->addWidget(m_title, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_openSettings);
    buttons->addWidget(m_retry);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(heading);
    column->addWidget(m_message);
    column->addLayout(buttons);

    connect(m_openSettings, &QPushButton::clicked, this, &ErrorBannerView::openSettingsClicked);
    connect(m_retry, &QPushButton::clicked, this, &ErrorBannerView::retryClicked);
    refreshIcons();
}

void ErrorBannerView::show(const QString& message, bool isMissingKey) {
    m_title->setText(isMissingKey ? tr("Setup needed") : tr("Something went wrong"));
    // A command in backticks ("Is `ollama serve` running?") is shown as code, not as marks.
    static const QRegularExpression command(QStringLiteral("`([^`]+)`"));
    QString shown = message.toHtmlEscaped();
    shown.replace(command, QStringLiteral("<code>\\1</code>"));
    m_message->setText(shown);
    m_openSettings->setVisible(isMissingKey);
    m_retry->setVisible(true);
    setAccessibleName(m_title->text() + QStringLiteral(": ") + QString(message).remove(u'`'));
    QFrame::show();
    accessible::announce(this);
}

QWidget* ErrorBannerView::firstButton() const {
    return m_openSettings->isVisibleTo(this) ? m_openSettings : m_retry;
}

void ErrorBannerView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QFrame::changeEvent(event);
}

void ErrorBannerView::refreshIcons() {
    const Palette& palette = Palette::current();
    m_icon->setPixmap(
        icons::symbol(QStringLiteral("exclamationmark.triangle"), palette.red).pixmap(18, 18));
    m_openSettings->setIcon(icons::symbol(QStringLiteral("gearshape.fill"), palette.text));
    m_retry->setIcon(icons::symbol(QStringLiteral("arrow.clockwise"), palette.text));
}

}  // namespace ts
