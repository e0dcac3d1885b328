#include "desktop/services/UrlSchemeAction.h"

#include <QUrl>
#include <QUrlQuery>

namespace ts {

namespace {

QString actionWord(const QUrl& url) {
    if (!url.host().isEmpty()) {
        return url.host().toLower();
    }
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.first().toLower();
}

}  // namespace

UrlSchemeAction parseUrlSchemeAction(const QString& text) {
    using Kind = UrlSchemeAction::Kind;
    const QUrl url(text, QUrl::TolerantMode);
    UrlSchemeAction action;
    if (url.scheme().toLower() != QLatin1String("tessarine")) {
        return action;
    }
    const QUrlQuery query(url);
    // QUrlQuery gives the first item of a name; a missing one or one without "=" is empty. Its
    // own decoding turns non-characters (U+FFFF, U+FDD0, …) into U+FFFD, so the bytes are
    // decoded here: the text shown is the text the link carried.
    const auto item = [&query](const char* name) {
        const QString encoded = query.queryItemValue(QLatin1String(name), QUrl::FullyEncoded);
        return QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1()));
    };
    const QString run = item("run").toLower();
    const bool autoRun =
        run == QLatin1String("1") || run == QLatin1String("true") || run == QLatin1String("yes");

    const QString word = actionWord(url);
    if (word.isEmpty() || word == QLatin1String("open")) {
        action.kind = Kind::open;
    } else if (word == QLatin1String("rewrite") || word == QLatin1String("proofread")) {
        action.kind = word == QLatin1String("rewrite") ? Kind::rewrite : Kind::proofread;
        action.text = item("text");
        action.autoRun = autoRun;
    } else if (word == QLatin1String("reply")) {
        action.kind = Kind::reply;
        action.received = item("received");
        action.intent = item("intent");
        action.autoRun = autoRun;
    } else if (word == QLatin1String("ask")) {
        const QString prompt = item("prompt");
        if (prompt.isEmpty()) {
            action.kind = Kind::ask;
            action.instruction = item("instruction");
        } else {
            action.kind = Kind::askPreset;
            action.name = prompt;
        }
        action.text = item("text");
        action.autoRun = autoRun;
    } else if (word == QLatin1String("tone") || word == QLatin1String("tonecheck")) {
        action.kind = Kind::tone;
        action.text = item("text");
    }
    return action;
}

}  // namespace ts
