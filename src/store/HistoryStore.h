#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <optional>

#include "store/DocumentFile.h"
#include "store/HistoryItem.h"

namespace ts {

// The most recent finished reviews, newest first, written whole after every change.
class HistoryStore final : public QObject {
    Q_OBJECT

public:
    static constexpr int maxItems = 30;
    static const QString defaultsKey;  // "io.tessarine.history.v1", its settings key once

    static HistoryStore& shared();
    // $XDG_STATE_HOME/tessarine/history.json
    static QString defaultFilePath();

    explicit HistoryStore(const QString& filePath, QObject* parent = nullptr);

    QString filePath() const { return m_file.path(); }

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
    DocumentFile m_file;
    QList<HistoryItem> m_items;
};

}  // namespace ts
