#include "store/HistoryItem.h"

#include "core/JsonDates.h"

namespace ts {
namespace {

// Absent and null both mean "none"; anything else must decode.
template <typename E>
bool decodeOptional(const QJsonObject& object, QLatin1String name, std::optional<E>& out) {
    const QJsonValue value = object.value(name);
    if (value.isUndefined() || value.isNull()) {
        out.reset();
        return true;
    }
    out = enumFromJson<E>(value);
    return out.has_value();
}

}  // namespace

QString rawValue(Rating value) {
    return value == Rating::up ? QStringLiteral("up") : QStringLiteral("down");
}

std::optional<Rating> nextRating(std::optional<Rating> current, std::optional<Rating> requested) {
    if (!current) {
        return requested;
    }
    if (!requested || *requested == *current) {
        return std::nullopt;
    }
    return requested;
}

QJsonObject HistoryItem::toJson() const {
    QJsonObject object{
        {QStringLiteral("id"), uuidText(id)},
        {QStringLiteral("date"), toReferenceSeconds(date)},
        {QStringLiteral("original"), original},
        {QStringLiteral("review"), review.toJson()},
        {QStringLiteral("tone"), rawValue(tone)},
        {QStringLiteral("context"), rawValue(context)},
        {QStringLiteral("provider"), rawValue(provider)},
        {QStringLiteral("model"), model},
    };
    if (rating) {
        object.insert(QStringLiteral("rating"), rawValue(*rating));
    }
    if (mode) {
        object.insert(QStringLiteral("mode"), rawValue(*mode));
    }
    if (adjustment) {
        object.insert(QStringLiteral("adjustment"), rawValue(*adjustment));
    }
    return object;
}

std::optional<HistoryItem> HistoryItem::fromJson(const QJsonValue& json) {
    if (!json.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = json.toObject();
    const auto id = decodeUuid(object.value(QLatin1String("id")));
    const auto date =
        decodeDate(object.value(QLatin1String("date")), DateEncoding::referenceSeconds);
    const QJsonValue original = object.value(QLatin1String("original"));
    const auto review = Review::fromJson(object.value(QLatin1String("review")));
    const auto tone = enumFromJson<Tone>(object.value(QLatin1String("tone")));
    const auto context = enumFromJson<AppContext>(object.value(QLatin1String("context")));
    const auto provider = enumFromJson<ProviderKind>(object.value(QLatin1String("provider")));
    const QJsonValue model = object.value(QLatin1String("model"));
    if (!id || !date || !original.isString() || !review || !tone || !context || !provider ||
        !model.isString()) {
        return std::nullopt;
    }
    HistoryItem item;
    item.id = *id;
    item.date = *date;
    item.original = original.toString();
    item.review = *review;
    item.tone = *tone;
    item.context = *context;
    item.provider = *provider;
    item.model = model.toString();
    if (!decodeOptional(object, QLatin1String("rating"), item.rating) ||
        !decodeOptional(object, QLatin1String("mode"), item.mode) ||
        !decodeOptional(object, QLatin1String("adjustment"), item.adjustment)) {
        return std::nullopt;
    }
    return item;
}

}  // namespace ts
