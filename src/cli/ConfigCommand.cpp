#include "cli/ConfigCommand.h"

#include <optional>

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
            if (!ok) {
                env.err << "tessarine-cli: " << field->key << " is an integer, not \"" << text
                        << "\"" << Qt::endl;
                return exitUsage;
            }
            typed = number;
            break;
        }
        default:
            typed = text;
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
