#include "cli/InfoCommands.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/JsonDates.h"
#include "core/WordDiff.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/HistoryStore.h"
#include "store/KeyStore.h"
#include "store/SettingsStore.h"

namespace ts::cli {
namespace {

std::optional<QString> readTextFile(CliEnvironment& env, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        env.err << "tessarine-cli: cannot read " << path << ": " << file.errorString() << Qt::endl;
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

QString firstLine(const QString& text, int limit) {
    QString line = text.trimmed().section(QLatin1Char('\n'), 0, 0);
    if (line.size() > limit) {
        line = line.left(limit - 1) + QChar(0x2026);
    }
    return line;
}

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

int runDiff(CliEnvironment& env, const Invocation& invocation) {
    const auto original = readTextFile(env, invocation.oldFile);
    const auto improved = readTextFile(env, invocation.newFile);
    if (!original || !improved) {
        return exitUsage;
    }
    const QList<DiffSegment> segments = wordDiff(*original, *improved);
    if (invocation.json) {
        QJsonArray array;
        for (const DiffSegment& segment : segments) {
            array.append(QJsonObject{{QStringLiteral("op"), rawValue(segment.op)},
                                     {QStringLiteral("text"), segment.text}});
        }
        env.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))
                << Qt::endl;
        return exitSuccess;
    }
    for (const DiffSegment& segment : segments) {
        if (!env.outIsTerminal) {
            // Without colour the markers carry the operation.
            switch (segment.op) {
                case DiffOp::equal:
                    env.out << segment.text;
                    break;
                case DiffOp::insert:
                    env.out << "{+" << segment.text << "+}";
                    break;
                case DiffOp::delete_:
                    env.out << "[-" << segment.text << "-]";
                    break;
            }
            continue;
        }
        switch (segment.op) {
            case DiffOp::equal:
                env.out << segment.text;
                break;
            case DiffOp::insert:
                env.out << "\x1b[32m" << segment.text << "\x1b[0m";
                break;
            case DiffOp::delete_:
                env.out << "\x1b[31;9m" << segment.text << "\x1b[0m";
                break;
        }
    }
    env.out << Qt::endl;
    return exitSuccess;
}

int runHistory(CliEnvironment& env, const Invocation& invocation) {
    const QList<HistoryItem> items = env.history().items();
    if (invocation.json) {
        QJsonArray array;
        for (const HistoryItem& item : items) {
            QJsonObject object = item.toJson();
            object.insert(QStringLiteral("date"), toIso8601(item.date));
            array.append(object);
        }
        env.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        env.out.flush();
        return exitSuccess;
    }
    if (items.isEmpty()) {
        env.out << "No history yet." << Qt::endl;
        return exitSuccess;
    }
    for (const HistoryItem& item : items) {
        const QString rating = !item.rating                 ? QString()
                               : *item.rating == Rating::up ? QStringLiteral(" [up]")
                                                            : QStringLiteral(" [down]");
        env.out << item.date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << "  "
                << rawValue(item.mode.value_or(Mode::rewrite)) << "  " << rawValue(item.provider)
                << "/" << item.model << rating << "\n"
                << "    " << firstLine(item.original, 72) << "\n"
                << "  > " << firstLine(item.review.improved, 72) << "\n";
    }
    env.out.flush();
    return exitSuccess;
}

int runKeySet(CliEnvironment& env, const Invocation& invocation) {
    QByteArray bytes;
    if (env.inIsTerminal) {
        env.err << "API key for " << rawValue(invocation.keyKind) << ": " << Qt::flush;
        bytes = env.readSecretLine();
        env.err << Qt::endl;
    } else {
        bytes = env.readStandardInput();
    }
    // The line break that ends the input is not part of the key; everything else is kept.
    if (bytes.endsWith("\r\n")) {
        bytes.chop(2);
    } else if (bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    if (bytes.contains('\n')) {
        env.err << "tessarine-cli: the key must be a single line" << Qt::endl;
        return exitUsage;
    }
    KeyStore& keys = env.keys();
    keys.saveAPIKey(QString::fromUtf8(bytes), apiKeyAccount(invocation.keyKind));
    env.err << (bytes.isEmpty() ? "Cleared the key for " : "Stored the key for ")
            << rawValue(invocation.keyKind) << " in " << keys.locationDescription() << "."
            << Qt::endl;
    return exitSuccess;
}

int runKeyStatus(CliEnvironment& env) {
    KeyStore& keys = env.keys();
    const ProviderKind current = env.settings().provider();
    for (ProviderKind kind : EnumCases<ProviderKind>::all) {
        const QString marker = kind == current ? QStringLiteral("* ") : QStringLiteral("  ");
        QString status;
        if (!requiresAPIKey(kind)) {
            status = QStringLiteral("no key needed");
        } else {
            status = keys.readAPIKey(apiKeyAccount(kind)).isEmpty() ? QStringLiteral("not set")
                                                                    : QStringLiteral("set");
        }
        env.out << marker << rawValue(kind).leftJustified(10) << status << "\n";
    }
    env.out << "Keys are kept in " << keys.locationDescription() << "." << Qt::endl;
    return exitSuccess;
}

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

ModelsCommand::ModelsCommand(CliEnvironment& env, QObject* parent) : QObject(parent), m_env(env) {}

void ModelsCommand::start() {
    const ProviderConfig config = currentProviderConfig(m_env.settings(), m_env.keys());
    if (requiresAPIKey(config.kind) && config.apiKey.isEmpty()) {
        m_env.err << kMissingKeyMessage << Qt::endl;
        emit finished(exitFailure);
        return;
    }
    m_provider = makeProvider(config);
    m_call = m_provider->listModels();
    connect(m_call.get(), &ProviderCall::modelsListed, this, [this](const QStringList& models) {
        for (const QString& model : models) {
            m_env.out << model << "\n";
        }
        m_env.out.flush();
        emit finished(exitSuccess);
    });
    connect(m_call.get(), &ProviderCall::failed, this, [this](const RequestError& error) {
        m_env.err << error.description() << Qt::endl;
        emit finished(exitFailure);
    });
}

void ModelsCommand::interrupt() {
    m_call.reset();
    m_env.err << "Interrupted." << Qt::endl;
    emit finished(exitInterrupted);
}

}  // namespace ts::cli
