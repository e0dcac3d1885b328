#include "core/JsonDates.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace ts {

QDateTime referenceDate() {
    return QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
}

double toReferenceSeconds(const QDateTime& date) {
    return static_cast<double>(referenceDate().msecsTo(date)) / 1000.0;
}

QDateTime fromReferenceSeconds(double seconds) {
    return referenceDate().addMSecs(static_cast<qint64>(std::llround(seconds * 1000.0)));
}

QString toIso8601(const QDateTime& date) {
    return date.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QLatin1Char('Z');
}

std::optional<QDateTime> fromIso8601(const QString& text) {
    // The export format is strict: UTC, no fractional seconds.
    static const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}Z$"));
    if (!shape.match(text).hasMatch()) {
        return std::nullopt;
    }
    QDateTime date = QDateTime::fromString(text, Qt::ISODate);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date.toUTC();
}

QJsonValue encodeDate(const QDateTime& date, DateEncoding encoding) {
    if (encoding == DateEncoding::iso8601) {
        return toIso8601(date);
    }
    return toReferenceSeconds(date);
}

std::optional<QDateTime> decodeDate(const QJsonValue& json, DateEncoding encoding) {
    if (encoding == DateEncoding::iso8601) {
        if (!json.isString()) {
            return std::nullopt;
        }
        return fromIso8601(json.toString());
    }
    if (!json.isDouble()) {
        return std::nullopt;
    }
    const double seconds = json.toDouble();
    if (!std::isfinite(seconds)) {
        return std::nullopt;
    }
    return fromReferenceSeconds(seconds);
}

QString uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> decodeUuid(const QJsonValue& json) {
    if (!json.isString()) {
        return std::nullopt;
    }
    const QString text = json.toString();
    if (text.size() != 36) {
        return std::nullopt;
    }
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != QLatin1String("00000000-0000-0000-0000-000000000000")) {
        return std::nullopt;
    }
    return id;
}

}  // namespace ts
