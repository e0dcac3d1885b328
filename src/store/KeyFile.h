#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace ts {

// API keys in an owner-only file, for desktops without a Secret Service. The file is a JSON
// object from account name to key, replaced atomically on every change.
class KeyFile final {
public:
    explicit KeyFile(QString path);

    const QString& path() const { return m_path; }

    QString read(const QString& account) const;
    void save(const QString& value, const QString& account);
    void remove(const QString& account);

private:
    QHash<QString, QString> readAll() const;
    // The keys a change starts from; none when the file must not be replaced.
    std::optional<QHash<QString, QString>> keysToUpdate() const;
    bool writeAll(const QHash<QString, QString>& keys) const;

    QString m_path;
};

}  // namespace ts
