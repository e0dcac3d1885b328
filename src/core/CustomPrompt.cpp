#include "core/CustomPrompt.h"

#include <QTextBoundaryFinder>

namespace ts {

QJsonObject CustomPrompt::toJson(DateEncoding dates) const {
    // QJsonObject sorts its keys; the member order only matters to readers that keep it.
    return QJsonObject{{QStringLiteral("id"), uuidText(id)},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("instruction"), instruction},
                       {QStringLiteral("createdAt"), encodeDate(createdAt, dates)}};
}

std::optional<CustomPrompt> CustomPrompt::fromJson(const QJsonValue& json, DateEncoding dates) {
    if (!json.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = json.toObject();
    const auto id = decodeUuid(object.value(QLatin1String("id")));
    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue instruction = object.value(QLatin1String("instruction"));
    const auto createdAt = decodeDate(object.value(QLatin1String("createdAt")), dates);
    if (!id || !name.isString() || !instruction.isString() || !createdAt) {
        return std::nullopt;
    }
    return CustomPrompt{*id, name.toString(), instruction.toString(), *createdAt};
}

QString CustomPrompt::suggestedName(const QString& instruction) {
    constexpr int limit = 32;
    const QString trimmed = instruction.trimmed();
    if (trimmed.isEmpty()) {
        return QStringLiteral("Untitled");
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, trimmed);
    int clusters = 0;
    qsizetype prefixEnd = 0;
    while (finder.toNextBoundary() != -1) {
        ++clusters;
        if (clusters == limit) {
            prefixEnd = finder.position();
        }
    }
    if (clusters <= limit) {
        return trimmed;
    }
    QString prefix = trimmed.left(prefixEnd);
    const qsizetype lastSpace = prefix.lastIndexOf(QLatin1Char(' '));
    if (lastSpace >= 0) {
        prefix.truncate(lastSpace);
    }
    return prefix + QChar(0x2026);
}

}  // namespace ts
