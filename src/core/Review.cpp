#include "core/Review.h"

#include <QHashFunctions>
#include <QJsonArray>

namespace ts {

QJsonObject WhyBullet::toJson() const {
    return QJsonObject{{QStringLiteral("kind"), rawValue(kind)}, {QStringLiteral("text"), text}};
}

std::optional<WhyBullet> WhyBullet::fromJson(const QJsonValue& json) {
    if (!json.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = json.toObject();
    const auto kind = enumFromJson<WhyKind>(object.value(QLatin1String("kind")));
    const QJsonValue text = object.value(QLatin1String("text"));
    if (!kind || !text.isString()) {
        return std::nullopt;
    }
    return WhyBullet{*kind, text.toString()};
}

QJsonObject Review::toJson() const {
    QJsonArray bullets;
    for (const WhyBullet& bullet : whys) {
        bullets.append(bullet.toJson());
    }
    return QJsonObject{{QStringLiteral("improved"), improved}, {QStringLiteral("whys"), bullets}};
}

std::optional<Review> Review::fromJson(const QJsonValue& json) {
    if (!json.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = json.toObject();
    const QJsonValue improved = object.value(QLatin1String("improved"));
    const QJsonValue whys = object.value(QLatin1String("whys"));
    if (!improved.isString() || !whys.isArray()) {
        return std::nullopt;
    }
    Review review{improved.toString(), {}};
    for (const QJsonValue& item : whys.toArray()) {
        auto bullet = WhyBullet::fromJson(item);
        if (!bullet) {
            return std::nullopt;
        }
        review.whys.append(*bullet);
    }
    return review;
}

size_t qHash(const WhyBullet& bullet, size_t seed) noexcept {
    return qHashMulti(seed, static_cast<int>(bullet.kind), bullet.text);
}

}  // namespace ts
