#include "ui/main/Overlays.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/EnumTexts.h"
#include "ui/main/MainKeyCommands.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

constexpr int kMaxShown = 30;

}  // namespace

Overlay::Overlay(const QString& title, QWidget* parent) : QFrame(parent), m_body(new QVBoxLayout) {
    setObjectName(QStringLiteral("overlay"));
    setAttribute(Qt::WA_StyledBackground);
    setAccessibleName(title);
    auto* heading = new QLabel(title, this);
    heading->setProperty("role", QStringLiteral("overlayTitle"));
    auto* close = new QToolButton(this);
    close->setIcon(icons::symbol(QStringLiteral("xmark"), Palette::current().textDim));
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    close->setAutoRaise(true);
    close->setObjectName(QStringLiteral("overlayClose"));
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    auto* top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(18, 16, 18, 16);
    column->addLayout(top);
    column->addLayout(m_body, 1);
    parent->installEventFilter(this);
    hide();
}

void Overlay::open() {
    if (!isVisible()) {
        m_opener = QApplication::focusWidget();
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    const QList<QWidget*> items = focusables();
    if (!items.isEmpty()) {
        items.first()->setFocus(Qt::TabFocusReason);
    }
}

QList<QWidget*> Overlay::focusables() const {
    QList<QWidget*> items;
    // The focus chain is the order Tab walks.
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            items.append(w);
        }
    }
    // The content first; Close, drawn top right, comes last.
    std::stable_partition(items.begin(), items.end(), [](const QWidget* w) {
        return w->objectName() != QLatin1String("overlayClose");
    });
    return items;
}

bool Overlay::focusNextPrevChild(bool next) {
    if (!isVisible()) {
        return QFrame::focusNextPrevChild(next);
    }
    const QList<QWidget*> items = focusables();
    if (items.isEmpty()) {
        return true;
    }
    const qsizetype at = items.indexOf(QApplication::focusWidget());
    const qsizetype count = items.size();
    const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
    items[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Overlay::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (m_opener && m_opener->isVisible() && isAncestorOf(QApplication::focusWidget())) {
        m_opener->setFocus(Qt::OtherFocusReason);
    }
    m_opener.clear();
}

void Overlay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        emit closed();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool Overlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QFrame::eventFilter(watched, event);
}

HistoryOverlay::HistoryOverlay(QWidget* parent, Clock now)
    : Overlay(tr("History"), parent),
      m_now(now ? std::move(now) : Clock([] { return QDateTime::currentDateTimeUtc(); })),
      m_list(new QListWidget(this)),
      m_empty(new QLabel(tr("No reviews yet."), this)) {
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setAccessibleName(tr("History"));
    m_list->setWordWrap(true);
    m_list->setUniformItemSizes(false);
    // Rows wrap at the list's width instead of running off to a horizontal scroll bar.
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setTextElideMode(Qt::ElideNone);
    m_empty->setProperty("role", QStringLiteral("hint"));
    body()->addWidget(m_empty);
    body()->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = m_list->row(item);
        if (row >= 0 && row < m_items.size()) {
            hide();
            emit chosen(m_items.at(row));
        }
    });
    connect(m_list, &QListWidget::itemClicked, m_list, &QListWidget::itemActivated);
}

void HistoryOverlay::showItems(const QList<HistoryItem>& items) {
    m_items = items.mid(0, kMaxShown);
    m_list->clear();
    const QDateTime now = m_now();
    for (const HistoryItem& item : m_items) {
        m_list->addItem(describe(item, now));
    }
    m_empty->setVisible(m_items.isEmpty());
    m_list->setVisible(!m_items.isEmpty());
    if (!m_items.isEmpty()) {
        m_list->setCurrentRow(0);
    }
}

QString HistoryOverlay::describe(const HistoryItem& item, const QDateTime& now) {
    QStringList parts;
    parts << displayName(item.mode.value_or(Mode::rewrite)) +
                 (item.adjustment ? QStringLiteral(" → ") + displayName(*item.adjustment)
                                  : QString());
    const QString firstLine = item.original.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    parts << (firstLine.size() > 60 ? firstLine.left(59) + QStringLiteral("…") : firstLine);
    parts << relativeTime(item.date, now);
    if (item.rating) {
        parts << (*item.rating == Rating::up ? tr("Liked") : tr("Disliked"));
    }
    return parts.join(QStringLiteral(" · "));
}

QString HistoryOverlay::relativeTime(const QDateTime& date, const QDateTime& now) {
    const qint64 seconds = std::max<qint64>(0, date.secsTo(now));
    if (seconds < 60) {
        return tr("just now");
    }
    if (seconds < 3600) {
        return tr("%1 min ago", "minutes").arg(seconds / 60);
    }
    if (seconds < 86400) {
        return tr("%1 h ago", "hours").arg(seconds / 3600);
    }
    const qint64 days = seconds / 86400;
    if (days < 7) {
        return days == 1 ? tr("yesterday") : tr("%n days ago", nullptr, static_cast<int>(days));
    }
    return QLocale().toString(date.toLocalTime().date(), QLocale::ShortFormat);
}

ShortcutsOverlay::ShortcutsOverlay(QWidget* parent) : Overlay(tr("Keyboard Shortcuts"), parent) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    int row = 0;
    for (const KeyHelpRow& help : keyHelpRows()) {
        auto* keys = new QLabel(help.keys, this);
        keys->setProperty("role", QStringLiteral("keycap"));
        auto* action = new QLabel(help.action, this);
        action->setWordWrap(true);
        action->setProperty("role", QStringLiteral("bodyText"));
        grid->addWidget(keys, row, 0, Qt::AlignTop);
        grid->addWidget(action, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    body()->addLayout(grid);
    body()->addStretch(1);
    setFocusPolicy(Qt::StrongFocus);
}

}  // namespace ts
