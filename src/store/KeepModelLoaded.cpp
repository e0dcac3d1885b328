#include "store/KeepModelLoaded.h"

namespace ts {

const QList<KeepModelLoaded>& keepModelLoadedChoices() {
    static const QList<KeepModelLoaded> all{
        KeepModelLoaded::fiveMinutes, KeepModelLoaded::thirtyMinutes, KeepModelLoaded::oneHour,
        KeepModelLoaded::whileRunning};
    return all;
}

QString rawValue(KeepModelLoaded value) {
    switch (value) {
        case KeepModelLoaded::thirtyMinutes:
            return QStringLiteral("30m");
        case KeepModelLoaded::oneHour:
            return QStringLiteral("1h");
        case KeepModelLoaded::whileRunning:
            return QStringLiteral("whileRunning");
        case KeepModelLoaded::fiveMinutes:
            break;
    }
    return QStringLiteral("5m");
}

std::optional<KeepModelLoaded> keepModelLoadedFromRaw(const QString& raw) {
    for (KeepModelLoaded value : keepModelLoadedChoices()) {
        if (rawValue(value) == raw) {
            return value;
        }
    }
    return std::nullopt;
}

QString label(KeepModelLoaded value) {
    switch (value) {
        case KeepModelLoaded::thirtyMinutes:
            return QStringLiteral("30 minutes");
        case KeepModelLoaded::oneHour:
            return QStringLiteral("1 hour");
        case KeepModelLoaded::whileRunning:
            return QStringLiteral("While Tessarine runs");
        case KeepModelLoaded::fiveMinutes:
            break;
    }
    return QStringLiteral("5 minutes");
}

}  // namespace ts
