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
    QString pattern;
    for (const QChar ch : secret) {
        const QString hex = QStringLiteral("%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
        QString escape = QStringLiteral("\\\\u");
        for (const QChar digit : hex) {
            escape += digit.isLetter()
                          ? QStringLiteral("[%1%2]").arg(QString(digit), QString(digit.toUpper()))
                          : QString(digit);
        }
        if (ch == QLatin1Char('/')) {
            escape += QStringLiteral("|\\\\/");
        }
        pattern += QStringLiteral("(?:") + QRegularExpression::escape(QString(ch)) +
                   QLatin1Char('|') + escape + QLatin1Char(')');
    }
    m_escaped.setPattern(pattern);
}

QString SecretRedactor::apply(QString text) const {
    for (const QString& secret : m_secrets) {
        text.replace(secret, mask);
    }
    if (m_escaped.isValid() && !m_secrets.isEmpty() && text.contains(QLatin1Char('\\'))) {
        text.replace(m_escaped, mask);
    }
    static const QRegularExpression keyParameter(
        QStringLiteral("([?&](?:key|api_key|apikey|access_token)=)[^&#\\s\"']+"),
        QRegularExpression::CaseInsensitiveOption);
    text.replace(keyParameter, QStringLiteral("\\1") + mask);
    return text;
}

}  // namespace ts
