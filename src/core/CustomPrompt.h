#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <optional>

#include "core/JsonDates.h"

namespace ts {

struct CustomPrompt {
    QUuid id;
    QString name;
    QString instruction;
    QDateTime createdAt;

    // Members in the order "id", "name", "instruction", "createdAt".
    QJsonObject toJson(DateEncoding dates) const;
    // All four members are required.
    static std::optional<CustomPrompt> fromJson(const QJsonValue& json, DateEncoding dates);

    // The name a prompt saved without one gets: at most 32 user-perceived characters,
    // cut at a word boundary, then "…".
    static QString suggestedName(const QString& instruction);

    friend bool operator==(const CustomPrompt&, const CustomPrompt&) = default;
};

}  // namespace ts
