#include "cli/ConfigCommand.h"

#include <QCoreApplication>

#include <algorithm>
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
    env.err << "tessarine-cli: "
            << QCoreApplication::translate("ts::cli::ConfigCommand",
                                           "unknown setting \"%1\" (settings: %2)")
                   .arg(key, keys.join(QStringLiteral(", ")))
            << Qt::endl;
    return exitUsage;
}

int refuse(CliEnvironment& env, const QString& key, const QString& value, const QString& valid) {
    env.err << "tessarine-cli: "
            << QCoreApplication::translate("ts::cli::ConfigCommand",
                                           "%1 cannot be \"%2\" (valid: %3)")
                   .arg(key, value, valid)
            << Qt::endl;
    return exitUsage;
}

template <typename E>
QStringList spellings() {
    QStringList names;
    for (E value : EnumCases<E>::all) {
        names << rawValue(value);
    }
    return names;
}

bool isURLKey(const QString& key) {
    return key.endsWith(QLatin1String("BaseURL"));
}

bool isKeyCode(const QString& key) {
    return key.endsWith(QLatin1String("KeyCode"));
}

// The values of the text settings that take one of a few, as stored; empty for the others.
QStringList choicesOf(const QString& key) {
    if (key == QLatin1String("provider")) {
        return spellings<ProviderKind>();
    }
    if (key == QLatin1String("defaultTone")) {
        return spellings<Tone>();
    }
    if (key == QLatin1String("defaultContext")) {
        return spellings<AppContext>();
    }
    if (key == QLatin1String("keepModelLoaded")) {
        QStringList choices;
        for (KeepModelLoaded value : keepModelLoadedChoices()) {
            choices << rawValue(value);
        }
        return choices;
    }
    if (key == QLatin1String("appearance")) {
        return {QStringLiteral("system"), QStringLiteral("light"), QStringLiteral("dark")};
    }
    return {};
}

// Text settings with a fixed set of values, given in any case and stored in their own
// spelling; true when the key is one of them (status set).
bool setChoice(CliEnvironment& env, SettingsStore& settings, const QString& key,
               const QString& text, int& status) {
    const QStringList choices = choicesOf(key);
    if (choices.isEmpty()) {
        return false;
    }
    const auto raw = std::find_if(choices.begin(), choices.end(), [&text](const QString& choice) {
        return choice.compare(text.trimmed(), Qt::CaseInsensitive) == 0;
    });
    if (raw == choices.end()) {
        status = refuse(env, key, text, choices.join(QStringLiteral(", ")));
        return true;
    }
    if (key == QLatin1String("provider")) {
        // The model follows the provider, as it does in the settings window.
        settings.setProvider(*fromRawValue<ProviderKind>(*raw));
    } else {
        settings.setValue(key, *raw);
    }
    status = exitSuccess;
    return true;
}

// One line a setting: its key, then a tab and its values when it takes listed ones.
int printChoices(CliEnvironment& env) {
    for (const SettingsStore::FieldInfo& field : SettingsStore::fields()) {
        const QStringList choices =
            field.type == QMetaType::Bool
                ? QStringList{QStringLiteral("true"), QStringLiteral("false")}
                : choicesOf(field.key);
        env.out << field.key;
        if (!choices.isEmpty()) {
            env.out << '\t' << choices.join(QLatin1Char(' '));
        }
        env.out << '\n';
    }
    env.out.flush();
    return exitSuccess;
}

}  // namespace

int runConfig(CliEnvironment& env, const Invocation& invocation) {
    if (invocation.command == Command::configChoices) {
        return printChoices(env);
    }
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
