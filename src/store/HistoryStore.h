#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <optional>

#include "store/DocumentSlot.h"
#include "store/HistoryItem.h"

namespace ts {

class SettingsStore;

// The most recent finished reviews, newest first, written whole after every change.
class HistoryStore final : public QObject {
    Q_OBJECT

public:
    static constexpr int maxItems = 30;
    static const QString defaultsKey;  // "io.tessarine.history.v1"

    static HistoryStore& shared();
    explicit HistoryStore(SettingsStore& settings, QObject* parent = nullptr);

    QList<HistoryItem> items() const { return m_items; }
    std::optional<HistoryItem> item(const QUuid& id) const;
    // The items rated up, in list order.
    QList<HistoryItem> thumbedUp() const;

    void add(const HistoryItem& item);
    // The first item with the id; nothing when none has it.
    void setRating(const QUuid& id, std::optional<Rating> rating);
    // Rewrites the stored value even when nothing matched.
    void remove(const QUuid& id);
    void clear();

    // Called once at creation; an unreadable document gives an empty history.
    void load();
    void save();

signals:
    void changed();

private:
    DocumentSlot m_slot;
    QList<HistoryItem> m_items;
};

}  // namespace ts
