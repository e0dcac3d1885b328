#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <optional>

namespace ts {

// One JSON array in a file of its own, replaced whole and atomically on every save, readable by
// its owner only. A stored file that cannot be read is not lost: the first save after such a
// load first copies its bytes to "<file>.unreadable", and a file that cannot even be opened is
// never saved over.
class DocumentFile final {
public:
    explicit DocumentFile(QString path);

    const QString& path() const { return m_path; }
    static QString unreadableSuffix();  // ".unreadable"

    // The stored array; an empty one when there is no file; none when its bytes are not a JSON
    // array or it cannot be opened. The caller reports its own decoding failures through
    // markUnreadable.
    std::optional<QJsonArray> load();
    void markUnreadable();
    void save(const QJsonArray& array);

private:
    QString m_path;
    QByteArray m_loadedBytes;
    std::optional<QByteArray> m_unreadable;
    bool m_unopenable = false;
};

}  // namespace ts
