#pragma once

#include <QString>
#include <optional>

namespace ts::test {

// A value whose length and content both depend on its round, so that a torn write shows.
inline QString settingsPayload(int round) {
    const int length = 1500 + (round * 733) % 6000;
    return QString::number(round) + QLatin1Char(':') + QString(length, QChar(u'a' + round % 26)) +
           QStringLiteral(":end");
}

// The round of a well-formed payload, or none.
inline std::optional<int> payloadRound(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    const int round = text.left(colon).toInt(&ok);
    if (colon < 0 || !ok || text != settingsPayload(round)) {
        return std::nullopt;
    }
    return round;
}

}  // namespace ts::test
