#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

#include "core/Enums.h"

namespace ts {

struct WhyBullet {
    WhyKind kind = WhyKind::other;
    QString text;

    // Keys list rows; two bullets with the same kind and text share it.
    QString id() const { return rawValue(kind) + QLatin1Char('-') + text; }

    QJsonObject toJson() const;
    static std::optional<WhyBullet> fromJson(const QJsonValue& json);

    friend bool operator==(const WhyBullet&, const WhyBullet&) = default;
};

struct Review {
    QString improved;
    QList<WhyBullet> whys;

    QJsonObject toJson() const;
    // Strict: both members are required and every bullet must decode.
    static std::optional<Review> fromJson(const QJsonValue& json);

    friend bool operator==(const Review&, const Review&) = default;
};

size_t qHash(const WhyBullet& bullet, size_t seed = 0) noexcept;

}  // namespace ts
