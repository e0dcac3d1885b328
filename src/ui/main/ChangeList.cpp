#include "ui/main/ChangeList.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

// The terminal's "delete:" and "insert:" in the words a reader of the window expects.
QString readable(const Change& change) {
    QString text = change.describe();
    if (text.startsWith(QLatin1String("delete: "))) {
        return QCoreApplication::translate("ts::ChangeList", "Removed: ") + text.mid(8);
    }
    if (text.startsWith(QLatin1String("insert: "))) {
        return QCoreApplication::translate("ts::ChangeList", "Added: ") + text.mid(8);
    }
    return text;
}

}  // namespace

ChangeList::ChangeList(QWidget* parent)
    : QWidget(parent),
      m_count(new QLabel(this)),
      m_keepAll(new QPushButton(tr("Keep all"), this)),
      m_undoAll(new QPushButton(tr("Undo all"), this)),
      m_more(new QLabel(this)),
      m_list(new QVBoxLayout) {
    m_count->setProperty("role", QStringLiteral("sectionLabel"));
    m_more->setProperty("role", QStringLiteral("hint"));
    m_more->setWordWrap(true);
    for (QPushButton* button : {m_keepAll, m_undoAll}) {
        button->setProperty("role", QStringLiteral("link"));
        button->setAccessibleName(button->text());
    }
    auto* header = new QHBoxLayout;
    header->addWidget(m_count, 1);
    header->addWidget(m_keepAll);
    header->addWidget(m_undoAll);
    m_list->setSpacing(2);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addLayout(header);
    column->addLayout(m_list);
    column->addWidget(m_more);
    connect(m_keepAll, &QPushButton::clicked, this, &ChangeList::keepAll);
    connect(m_undoAll, &QPushButton::clicked, this, &ChangeList::undoAll);
}

void ChangeList::setChanges(const QList<Change>& changes) {
    m_changes = changes;
    m_dropped.clear();
    qDeleteAll(m_toggles);
    m_toggles.clear();
    const int shown = std::min<int>(static_cast<int>(changes.size()), kMaxToggles);
    for (int i = 0; i < shown; ++i) {
        // A checkable push button, which screen readers announce as a toggle button.
        auto* toggle = new QPushButton(this);
        toggle->setProperty("role", QStringLiteral("changeToggle"));
        toggle->setCheckable(true);
        toggle->setChecked(true);
        toggle->setText(readable(changes[i]));
        toggle->setAccessibleName(toggle->text());
        toggle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        toggle->setFocusPolicy(Qt::StrongFocus);
        connect(toggle, &QPushButton::clicked, this, [this, i] { emit toggled(i); });
        m_list->addWidget(toggle);
        m_toggles.append(toggle);
    }
    m_more->setText(changes.size() > shown
                        ? tr("The first %n changes are listed; click the words of a "
                             "later change in the text to drop or keep it.",
                             nullptr, shown)
                        : QString());
    m_more->setVisible(changes.size() > shown);
    refresh();
}

QList<QWidget*> ChangeList::focusChain() const {
    QList<QWidget*> chain{m_keepAll, m_undoAll};
    for (QPushButton* toggle : m_toggles) {
        chain.append(toggle);
    }
    return chain;
}

void ChangeList::setDropped(const QSet<int>& dropped) {
    m_dropped = dropped;
    refresh();
}

void ChangeList::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refresh();
    }
    QWidget::changeEvent(event);
}

void ChangeList::refresh() {
    const auto total = static_cast<int>(m_changes.size());
    const int kept = total - static_cast<int>(m_dropped.size());
    // Two source texts keep the English right without a catalogue; each is a plural of its own.
    m_count->setText((total == 1 ? tr("%1 of %n change kept", nullptr, total)
                                 : tr("%1 of %n changes kept", nullptr, total))
                         .arg(kept));
    m_keepAll->setEnabled(!m_dropped.isEmpty());
    m_undoAll->setEnabled(kept > 0);
    const Palette& palette = Palette::current();
    for (int i = 0; i < m_toggles.size(); ++i) {
        const bool isKept = !m_dropped.contains(i);
        m_toggles[i]->setChecked(isKept);
        m_toggles[i]->setIcon(
            icons::symbol(isKept ? QStringLiteral("checkmark") : QStringLiteral("xmark"),
                          isKept ? palette.green : palette.textDimmer));
        m_toggles[i]->setToolTip(isKept ? tr("Kept: click to drop this change")
                                        : tr("Dropped: click to keep this change"));
    }
}

}  // namespace ts
