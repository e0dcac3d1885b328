#include "store/HistoryStore.h"

#include <QDir>
#include <QJsonArray>

namespace ts {

const QString HistoryStore::defaultsKey = QStringLiteral("io.tessarine.history.v1");

HistoryStore& HistoryStore::shared() {
    static HistoryStore instance(defaultFilePath());
    return instance;
}

QString HistoryStore::defaultFilePath() {
    // Qt 6.4 has no location for state; the base-directory rules: an absolute path or the default.
    QString home = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(home)) {
        home = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return home + QStringLiteral("/tessarine/history.json");
}

HistoryStore::HistoryStore(const QString& filePath, QObject* parent)
    : QObject(parent), m_file(filePath) {
    load();
}

std::optional<HistoryItem> HistoryStore::item(const QUuid& id) const {
    for (const HistoryItem& entry : m_items) {
        if (entry.id == id) {
            return entry;
        }
    }
    return std::nullopt;
}

QList<HistoryItem> HistoryStore::thumbedUp() const {
    QList<HistoryItem> rated;
    for (const HistoryItem& entry : m_items) {
        if (entry.rating == Rating::up) {
            rated.append(entry);
        }
    }
    return rated;
}

void HistoryStore::add(const HistoryItem& item) {
    m_items.prepend(item);
    if (m_items.size() > maxItems) {
        m_items.resize(maxItems);
    }
    save();
}

void HistoryStore::setRating(const QUuid& id, std::optional<Rating> rating) {
    for (HistoryItem& entry : m_items) {
        if (entry.id == id) {
            entry.rating = rating;
            save();
            return;
        }
    }
}

void HistoryStore::remove(const QUuid& id) {
    m_items.removeIf([&id](const HistoryItem& entry) { return entry.id == id; });
    save();
}

void HistoryStore::clear() {
    m_items.clear();
    save();
}

void HistoryStore::load() {
    m_items.clear();
    const std::optional<QJsonArray> array = m_file.load();
    if (array) {
        QList<HistoryItem> decoded;
        decoded.reserve(array->size());
        for (const QJsonValue& value : *array) {
            std::optional<HistoryItem> entry = HistoryItem::fromJson(value);
            if (!entry) {
                m_file.markUnreadable();
                decoded.clear();
                break;
            }
            decoded.append(std::move(*entry));
        }
        m_items = std::move(decoded);
    }
    emit changed();
}

void HistoryStore::save() {
    QJsonArray array;
    for (const HistoryItem& entry : m_items) {
        array.append(entry.toJson());
    }
    m_file.save(array);
    emit changed();
}

}  // namespace ts
