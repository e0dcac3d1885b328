#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QString>
#include <QUuid>
#include <optional>

namespace ts {

// The stored documents share one encoding with the macOS build: dates as floating-point seconds
// since 2001-01-01 00:00:00 UTC, UUIDs as upper-case canonical text without braces.
enum class DateEncoding { referenceSeconds, iso8601 };

QDateTime referenceDate();
double toReferenceSeconds(const QDateTime& date);
QDateTime fromReferenceSeconds(double seconds);

// ISO 8601 in UTC without fractional seconds, e.g. "2026-03-01T09:30:00Z".
QString toIso8601(const QDateTime& date);
std::optional<QDateTime> fromIso8601(const QString& text);

QJsonValue encodeDate(const QDateTime& date, DateEncoding encoding);
std::optional<QDateTime> decodeDate(const QJsonValue& json, DateEncoding encoding);

QString uuidText(const QUuid& id);
std::optional<QUuid> decodeUuid(const QJsonValue& json);

}  // namespace ts
