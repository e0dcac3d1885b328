#pragma once

#include <QDateTime>
#include <QFrame>
#include <QPointer>
#include <functional>

#include "store/HistoryItem.h"

class QLabel;
class QListWidget;
class QVBoxLayout;

namespace ts {

// A panel laid over the main window's content with a title and a close button; Esc or the
// button hides it.
class Overlay : public QFrame {
    Q_OBJECT
public:
    Overlay(const QString& title, QWidget* parent);

    // Covers the parent and takes the focus on its first control; closing gives the focus back
    // to the control that had it.
    void open();

signals:
    void closed();

protected:
    QVBoxLayout* body() const { return m_body; }
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Tab stays inside: the editor behind is hidden from the user, not from the focus chain.
    bool focusNextPrevChild(bool next) override;

private:
    QList<QWidget*> focusables() const;

    QVBoxLayout* m_body;
    QPointer<QWidget> m_opener;
};

// The last reviews, newest first; choosing one restores it into the session.
class HistoryOverlay final : public Overlay {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;
    explicit HistoryOverlay(QWidget* parent, Clock now = {});

    void showItems(const QList<HistoryItem>& items);

    // "Rewrite · first line · 5 min ago · Liked"
    static QString describe(const HistoryItem& item, const QDateTime& now);
    static QString relativeTime(const QDateTime& date, const QDateTime& now);

signals:
    void chosen(const HistoryItem& item);

private:
    Clock m_now;
    QListWidget* m_list;
    QLabel* m_empty;
    QList<HistoryItem> m_items;
};

// The window's keyboard commands in Linux names.
class ShortcutsOverlay final : public Overlay {
    Q_OBJECT
public:
    explicit ShortcutsOverlay(QWidget* parent);
};

}  // namespace ts
