#pragma once

#include <QRegularExpression>
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
    // The secret with any of its characters written as a JSON escape (\u0061, \/), which a
    // body still undecoded can carry and a reader decodes at a glance.
    QRegularExpression m_escaped;
};

}  // namespace ts
