#include "store/PromptsExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>
#include <limits>

#include "core/JsonDates.h"

namespace ts {
namespace {

std::optional<int> integralNumber(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::floor(number) != number ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

}  // namespace

QByteArray PromptsExport::encode() const {
    QJsonArray entries;
    for (const Entry& entry : prompts) {
        entries.append(QJsonObject{{QStringLiteral("instruction"), entry.instruction},
                                   {QStringLiteral("name"), entry.name}});
    }
    // QJsonObject keeps its members sorted by key, which is the order the file promises.
    const QJsonObject root{{QStringLiteral("exportedAt"), toIso8601(exportedAt)},
                           {QStringLiteral("prompts"), entries},
                           {QStringLiteral("version"), version}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<PromptsExport> PromptsExport::decode(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    const auto version = integralNumber(root.value(QLatin1String("version")));
    const QJsonValue exportedAt = root.value(QLatin1String("exportedAt"));
    const QJsonValue prompts = root.value(QLatin1String("prompts"));
    if (!version || !exportedAt.isString() || !prompts.isArray()) {
        return std::nullopt;
    }
    const auto date = parseDate(exportedAt.toString());
    if (!date) {
        return std::nullopt;
    }
    PromptsExport file;
    file.version = *version;
    file.exportedAt = *date;
    for (const QJsonValue& value : prompts.toArray()) {
        if (!value.isObject()) {
            return std::nullopt;
        }
        const QJsonObject object = value.toObject();
        const QJsonValue name = object.value(QLatin1String("name"));
        const QJsonValue instruction = object.value(QLatin1String("instruction"));
        if (!name.isString() || !instruction.isString()) {
            return std::nullopt;
        }
        file.prompts.append(Entry{name.toString(), instruction.toString()});
    }
    return file;
}

std::optional<QDateTime> PromptsExport::parseDate(const QString& text) {
    static const QRegularExpression shape(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(Z|([+-])(\\d{2}):?(\\d{2}))$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (!date.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    int offsetSeconds = 0;
    if (match.captured(7) != QLatin1String("Z")) {
        const int hours = match.captured(9).toInt();
        const int minutes = match.captured(10).toInt();
        // The offsets in use on Earth; QTimeZone refuses larger ones.
        if (minutes > 59 || hours * 60 + minutes > 14 * 60) {
            return std::nullopt;
        }
        offsetSeconds = (hours * 60 + minutes) * 60;
        if (match.captured(8) == QLatin1String("-")) {
            offsetSeconds = -offsetSeconds;
        }
    }
    const QDateTime utc = QDateTime(date, time, QTimeZone(offsetSeconds)).toUTC();
    // The file writes four-digit UTC years, so a date that an offset moves out of them could
    // not be written back.
    if (!utc.isValid() || utc.date().year() < 1 || utc.date().year() > 9999) {
        return std::nullopt;
    }
    return utc;
}

}  // namespace ts
