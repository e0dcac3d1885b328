#pragma once

#include <QString>
#include <QStringList>

namespace ts {

// Removes credentials from every text a client hands out (error sentences, response bodies,
// Qt's error strings, which may quote the request URL with its "key" parameter).
class SecretRedactor {
public:
    SecretRedactor() = default;
    explicit SecretRedactor(const QString& secret);

    QString apply(QString text) const;

    static constexpr QLatin1StringView mask{"[redacted]"};

private:
    QStringList m_secrets;
};

}  // namespace ts
