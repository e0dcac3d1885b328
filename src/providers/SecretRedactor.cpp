#include "providers/SecretRedactor.h"

#include <QRegularExpression>
#include <QUrl>

namespace ts {
namespace {

// Shorter strings are not searched for: they would mangle ordinary words (a local runtime's
// placeholder key is its own name) and no real API key is that short.
constexpr qsizetype minimumSecretLength = 8;

}  // namespace

SecretRedactor::SecretRedactor(const QString& secret) {
    if (secret.size() < minimumSecretLength) {
        return;
    }
    m_secrets.append(secret);
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(secret));
    if (encoded != secret) {
        m_secrets.append(encoded);
    }
}

QString SecretRedactor::apply(QString text) const {
    for (const QString& secret : m_secrets) {
        text.replace(secret, mask);
    }
    static const QRegularExpression keyParameter(
        QStringLiteral("([?&](?:key|api_key|apikey|access_token)=)[^&#\\s\"']+"),
        QRegularExpression::CaseInsensitiveOption);
    text.replace(keyParameter, QStringLiteral("\\1") + mask);
    return text;
}

}  // namespace ts
