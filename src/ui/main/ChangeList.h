#pragma once

#include <QList>
#include <QSet>
#include <QWidget>

#include "core/ChangeSet.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace ts {

// Under the word diff: "N of M changes kept", "Keep all" and "Undo all", and one toggle per
// change named by its words, so every change can be kept or dropped from the keyboard and a
// screen reader announces each with its state.
class ChangeList final : public QWidget {
    Q_OBJECT
public:
    // Beyond this many, the rest are toggled by clicking their words in the text.
    static constexpr int kMaxToggles = 100;

    explicit ChangeList(QWidget* parent = nullptr);

    void setChanges(const QList<Change>& changes);
    void setDropped(const QSet<int>& dropped);
    const QList<QPushButton*>& toggles() const { return m_toggles; }
    // Keep all, Undo all, then the toggles: the order Tab walks them.
    QList<QWidget*> focusChain() const;

signals:
    void toggled(int change);
    void keepAll();
    void undoAll();

protected:
    void changeEvent(QEvent* event) override;

private:
    void refresh();

    QList<Change> m_changes;
    QSet<int> m_dropped;
    QLabel* m_count;
    QPushButton* m_keepAll;
    QPushButton* m_undoAll;
    QLabel* m_more;
    QVBoxLayout* m_list;
    QList<QPushButton*> m_toggles;
};

}  // namespace ts
