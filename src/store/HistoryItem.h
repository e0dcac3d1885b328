#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <array>
#include <optional>

#include "core/Enums.h"
#include "core/Review.h"

namespace ts {

enum class Rating { up, down };

template <>
struct EnumCases<Rating> {
    static constexpr std::array all{Rating::up, Rating::down};
};

// "up" and "down".
QString rawValue(Rating value);

// A second press on the same thumb clears the rating; a press on the other thumb switches it.
std::optional<Rating> nextRating(std::optional<Rating> current, std::optional<Rating> requested);

// One finished review as kept in the history.
struct HistoryItem {
    QUuid id;
    QDateTime date;
    QString original;
    Review review;
    Tone tone = Tone::professional;
    AppContext context = AppContext::email;
    ProviderKind provider = ProviderKind::openai;
    QString model;
    std::optional<Rating> rating;
    std::optional<Mode> mode;
    // The one-click adjustment the answer came from, when it did.
    std::optional<Adjustment> adjustment = std::nullopt;

    // "rating", "mode" and "adjustment" are left out when there is none.
    QJsonObject toJson() const;
    // Strict: a missing or mistyped member or an unknown enumeration text fails the record.
    static std::optional<HistoryItem> fromJson(const QJsonValue& json);

    friend bool operator==(const HistoryItem&, const HistoryItem&) = default;
};

}  // namespace ts
