#include "store/ApplicationDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include "store/SettingsStore.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

template <typename E>
std::optional<E> parseRaw(const QString& text, Qt::CaseSensitivity cs) {
    for (E value : EnumCases<E>::all) {
        if (rawValue(value).compare(text, cs) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

template <typename E>
QString spellings() {
    QStringList names;
    for (E value : EnumCases<E>::all) {
        names << rawValue(value);
    }
    return names.join(QStringLiteral(", "));
}

ApplicationDefaults makeBuiltIns() {
    ApplicationDefaults entries;
    for (const char* app : {"Thunderbird", "Evolution", "Geary", "KMail", "Mailspring"}) {
        entries.append({QString::fromLatin1(app), AppContext::email, std::nullopt});
    }
    for (const char* app : {"Slack", "discord", "Element", "Signal", "Telegram", "Mattermost",
                            "Zulip", "Rocket.Chat"}) {
        entries.append({QString::fromLatin1(app), AppContext::chat, std::nullopt});
    }
    return entries;
}

}  // namespace

const ApplicationDefaults& builtInApplicationDefaults() {
    static const ApplicationDefaults entries = makeBuiltIns();
    return entries;
}

std::variant<ApplicationDefaults, QString> parseApplicationDefaults(
    const QString& json, Qt::CaseSensitivity rawValueCase) {
    if (json.trimmed().isEmpty()) {
        return ApplicationDefaults{};
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        return QStringLiteral("not JSON (%1 at offset %2)")
            .arg(error.errorString())
            .arg(error.offset);
    }
    if (!document.isArray()) {
        return QStringLiteral("not a JSON array of {\"app\", \"context\", \"tone\"} objects");
    }
    ApplicationDefaults entries;
    QSet<QString> seen;
    const QJsonArray array = document.array();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString where = QStringLiteral("entry %1: ").arg(i + 1);
        if (!array[i].isObject()) {
            return where + QStringLiteral("not an object");
        }
        const QJsonObject object = array[i].toObject();
        for (const QString& member : object.keys()) {
            if (member != QLatin1String("app") && member != QLatin1String("context") &&
                member != QLatin1String("tone")) {
                return where + QStringLiteral("unknown member \"%1\"").arg(member);
            }
        }
        const QString app = object.value(QLatin1String("app")).toString().trimmed();
        if (app.isEmpty()) {
            return where + QStringLiteral("\"app\" must be a non-empty string");
        }
        if (seen.contains(app.toCaseFolded())) {
            return where + QStringLiteral("duplicate app \"%1\"").arg(app);
        }
        seen.insert(app.toCaseFolded());
        const QJsonValue contextValue = object.value(QLatin1String("context"));
        const std::optional<AppContext> context =
            parseRaw<AppContext>(contextValue.toString(), rawValueCase);
        if (!contextValue.isString() || !context) {
            return where + QStringLiteral("unknown context \"%1\" (valid: %2)")
                               .arg(contextValue.toVariant().toString(), spellings<AppContext>());
        }
        ApplicationDefault entry{app, *context, std::nullopt};
        const QJsonValue toneValue = object.value(QLatin1String("tone"));
        if (!toneValue.isUndefined() && !toneValue.isNull()) {
            const std::optional<Tone> tone = parseRaw<Tone>(toneValue.toString(), rawValueCase);
            if (!toneValue.isString() || !tone) {
                return where + QStringLiteral("unknown tone \"%1\" (valid: %2)")
                                   .arg(toneValue.toVariant().toString(), spellings<Tone>());
            }
            entry.tone = tone;
        }
        entries.append(entry);
    }
    return entries;
}

QString serializeApplicationDefaults(const ApplicationDefaults& entries) {
    QJsonArray array;
    for (const ApplicationDefault& entry : entries) {
        QJsonObject object{{QStringLiteral("app"), entry.app},
                           {QStringLiteral("context"), rawValue(entry.context)}};
        if (entry.tone) {
            object.insert(QStringLiteral("tone"), rawValue(*entry.tone));
        }
        array.append(object);
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

std::optional<ApplicationDefault> applicationDefaultFor(const ApplicationDefaults& userEntries,
                                                        const QString& app) {
    const QString name = app.trimmed();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    for (const ApplicationDefaults* table : {&userEntries, &builtInApplicationDefaults()}) {
        for (const ApplicationDefault& entry : *table) {
            if (entry.app.compare(name, Qt::CaseInsensitive) == 0) {
                return entry;
            }
        }
    }
    return std::nullopt;
}

std::optional<ApplicationDefaults> storedApplicationDefaults(const SettingsStore& settings) {
    const QString text = settings.applicationDefaults();
    auto parsed = parseApplicationDefaults(text);
    if (auto* entries = std::get_if<ApplicationDefaults>(&parsed)) {
        return std::move(*entries);
    }
    // Read on every rewrite: a broken value is reported once, not at every trigger.
    static QMutex mutex;
    static QSet<QString> reported;
    QMutexLocker lock(&mutex);
    if (!reported.contains(text)) {
        reported.insert(text);
        qCWarning(lcStore, "applicationDefaults ignored, kept as it is: %s",
                  qUtf8Printable(std::get<QString>(parsed)));
    }
    return std::nullopt;
}

RewriteDefaults rewriteDefaultsFor(const SettingsStore& settings, const QString& app) {
    RewriteDefaults out{settings.defaultTone(), settings.defaultContext(), false};
    const std::optional<ApplicationDefault> entry = applicationDefaultFor(
        storedApplicationDefaults(settings).value_or(ApplicationDefaults{}), app);
    if (!entry) {
        return out;
    }
    out.contextDiffers = entry->context != out.context;
    out.context = entry->context;
    out.tone = entry->tone.value_or(out.tone);
    return out;
}

}  // namespace ts
