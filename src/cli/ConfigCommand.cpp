#include "cli/ConfigCommand.h"

#include <optional>

#include "providers/ProviderFactory.h"
#include "store/ApplicationDefaults.h"
#include "store/KeepModelLoaded.h"
#include "store/SettingsStore.h"

namespace ts::cli {
namespace {

std::optional<bool> parseBool(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower == QLatin1String("true") || lower == QLatin1String("1") ||
        lower == QLatin1String("yes") || lower == QLatin1String("on")) {
        return true;
    }
    if (lower == QLatin1String("false") || lower == QLatin1String("0") ||
        lower == QLatin1String("no") || lower == QLatin1String("off")) {
        return false;
    }
    return std::nullopt;
}

QString typeName(QMetaType::Type type) {
    switch (type) {
        case QMetaType::Bool:
            return QStringLiteral("boolean");
        case QMetaType::Int:
            return QStringLiteral("integer");
        default:
            return QStringLiteral("string");
    }
}

QString shownValue(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return value.toString();
}

const SettingsStore::FieldInfo* findField(const QString& key) {
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        if (field.key == key) {
            return &field;
        }
    }
    return nullptr;
}

int unknownKey(CliEnvironment& env, const QString& key) {
    QStringList keys;
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        keys << field.key;
    }
    env.err << "tessarine-cli: unknown setting \"" << key
            << "\" (settings: " << keys.join(QStringLiteral(", ")) << ")" << Qt::endl;
    return exitUsage;
}

int refuse(CliEnvironment& env, const QString& key, const QString& value, const QString& valid) {
    env.err << "tessarine-cli: " << key << " cannot be \"" << value << "\" (valid: " << valid << ")"
            << Qt::endl;
    return exitUsage;
}

// The stored spelling of a value given in any case; none when it is no valid value.
template <typename E>
std::optional<QString> rawSpelling(const QString& text) {
    for (E value : EnumCases<E>::all) {
        if (rawValue(value).compare(text.trimmed(), Qt::CaseInsensitive) == 0) {
            return rawValue(value);
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

bool isURLKey(const QString& key) {
    return key.endsWith(QLatin1String("BaseURL"));
}

bool isKeyCode(const QString& key) {
    return key.endsWith(QLatin1String("KeyCode"));
}

// Text settings with a fixed set of values; true when the key is one of them (status set).
bool setChoice(CliEnvironment& env, SettingsStore& settings, const QString& key,
               const QString& text, int& status) {
    std::optional<QString> raw;
    QString valid;
    if (key == QLatin1String("provider")) {
        raw = rawSpelling<ProviderKind>(text);
        valid = spellings<ProviderKind>();
        if (raw) {
            // The model follows the provider, as it does in the settings window.
            settings.setProvider(*fromRawValue<ProviderKind>(*raw));
            status = exitSuccess;
            return true;
        }
    } else if (key == QLatin1String("defaultTone")) {
        raw = rawSpelling<Tone>(text);
        valid = spellings<Tone>();
    } else if (key == QLatin1String("defaultContext")) {
        raw = rawSpelling<AppContext>(text);
        valid = spellings<AppContext>();
    } else if (key == QLatin1String("keepModelLoaded")) {
        QStringList choices;
        for (KeepModelLoaded value : keepModelLoadedChoices()) {
            choices << rawValue(value);
            if (rawValue(value).compare(text.trimmed(), Qt::CaseInsensitive) == 0) {
                raw = rawValue(value);
            }
        }
        valid = choices.join(QStringLiteral(", "));
    } else if (key == QLatin1String("appearance")) {
        static const QStringList appearances{"system", "light", "dark"};
        const qsizetype index = appearances.indexOf(text.trimmed().toLower());
        if (index >= 0) {
            raw = appearances[index];
        }
        valid = appearances.join(QStringLiteral(", "));
    } else {
        return false;
    }
    if (!raw) {
        status = refuse(env, key, text, valid);
        return true;
    }
    settings.setValue(key, *raw);
    status = exitSuccess;
    return true;
}

}  // namespace

int runConfig(CliEnvironment& env, const Invocation& invocation) {
    SettingsStore& settings = env.settings();
    if (invocation.command == Command::configList) {
        for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
            env.out << field.key << " = " << shownValue(settings.value(field.key)) << "\n";
        }
        env.out.flush();
        return exitSuccess;
    }
    const SettingsStore::FieldInfo* field = findField(invocation.configKey);
    if (!field) {
        return unknownKey(env, invocation.configKey);
    }
    if (invocation.command == Command::configGet) {
        env.out << shownValue(settings.value(field->key)) << Qt::endl;
        return exitSuccess;
    }
    QVariant typed;
    const QString& text = invocation.configValue;
    if (int status = exitSuccess; setChoice(env, settings, field->key, text, status)) {
        return status;
    }
    if (field->key == QLatin1String("applicationDefaults")) {
        // Stored in the canonical spelling, so that the program reads it back exactly.
        auto parsed = parseApplicationDefaults(text, Qt::CaseInsensitive);
        if (const auto* fault = std::get_if<QString>(&parsed)) {
            env.err << "tessarine-cli: applicationDefaults: " << *fault << Qt::endl;
            return exitUsage;
        }
        settings.setApplicationDefaults(
            serializeApplicationDefaults(std::get<ApplicationDefaults>(parsed)));
        return exitSuccess;
    }
    // Empty keeps the service's public address; anything else must be one the user can reach.
    if (isURLKey(field->key) && !text.trimmed().isEmpty() && !isHttpURL(text)) {
        env.err << "tessarine-cli: " << field->key
                << " must be an absolute http or https URL, such as http://localhost:8080/v1, "
                   "not \""
                << text << "\"" << Qt::endl;
        return exitUsage;
    }
    switch (field->type) {
        case QMetaType::Bool: {
            const auto flag = parseBool(text);
            if (!flag) {
                env.err << "tessarine-cli: " << field->key
                        << " is a boolean (true or false), not \"" << text << "\"" << Qt::endl;
                return exitUsage;
            }
            typed = *flag;
            break;
        }
        case QMetaType::Int: {
            bool ok = false;
            const int number = text.trimmed().toInt(&ok);
            if (!ok || (number < 0 && isKeyCode(field->key))) {
                env.err << "tessarine-cli: " << field->key << " is "
                        << (isKeyCode(field->key) ? "a key code (0 or more)" : "an integer")
                        << ", not \"" << text << "\"" << Qt::endl;
                return exitUsage;
            }
            typed = number;
            break;
        }
        default:
            typed = isURLKey(field->key) ? text.trimmed() : text;
            break;
    }
    if (!settings.setValue(field->key, typed)) {
        env.err << "tessarine-cli: " << field->key << " takes a " << typeName(field->type)
                << Qt::endl;
        return exitUsage;
    }
    return exitSuccess;
}

}  // namespace ts::cli
