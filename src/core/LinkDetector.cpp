#include "core/LinkDetector.h"

#include <QRegularExpression>
#include <QUrl>

namespace ts {

bool isSingleLink(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QRegularExpression(QStringLiteral("\\s")))) {
        return false;
    }
    static const QRegularExpression mailto(QStringLiteral("^mailto:[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (mailto.match(trimmed).hasMatch()) {
        return true;
    }
    // A bare e-mail address is a link too (the detector reports it as mailto).
    static const QRegularExpression email(
        QStringLiteral("^[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}$"));
    if (email.match(trimmed).hasMatch()) {
        return true;
    }
    static const QRegularExpression scheme(QStringLiteral("^(https?|ftp)://"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression www(QStringLiteral("^www\\.[^.]+\\..+"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString candidate = trimmed;
    if (!scheme.match(candidate).hasMatch()) {
        if (!www.match(candidate).hasMatch()) {
            return false;
        }
        candidate.prepend(QStringLiteral("http://"));
    }
    const QUrl url(candidate, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() && url.host().contains(QLatin1Char('.'));
}

}  // namespace ts
