#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <optional>

namespace ts {

class SettingsStore;

// One JSON array kept as binary data under one settings key. A stored value that cannot be
// read is not lost: the first save after such a load first copies its bytes to
// "<key>.unreadable".
class DocumentSlot final {
public:
    DocumentSlot(SettingsStore& settings, QString key);

    const QString& key() const { return m_key; }
    QString unreadableKey() const;

    // The stored array; an empty one when nothing is stored; none when the stored bytes are not
    // a JSON array. The caller reports its own decoding failures through markUnreadable.
    std::optional<QJsonArray> load();
    void markUnreadable();
    void save(const QJsonArray& array);

private:
    SettingsStore& m_settings;
    QString m_key;
    QByteArray m_loadedBytes;
    std::optional<QByteArray> m_unreadable;
};

}  // namespace ts
