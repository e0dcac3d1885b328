#include "store/PromptStore.h"

#include <QDateTime>
#include <QJsonArray>
#include <QStandardPaths>

#include "store/PromptsExport.h"

namespace ts {
namespace {

QString plural(int count, const QString& word) {
    return QString::number(count) + QLatin1Char(' ') + word +
           (count == 1 ? QString() : QStringLiteral("s"));
}

}  // namespace

const QString PromptStore::defaultsKey = QStringLiteral("io.tessarine.customPrompts.v1");

PromptStore::ImportError::ImportError(Kind kind, int version)
    : m_kind(kind), m_version(version), m_what(description().toUtf8()) {}

PromptStore::ImportError PromptStore::ImportError::unsupportedVersion(int version) {
    return ImportError(Kind::unsupportedVersion, version);
}

PromptStore::ImportError PromptStore::ImportError::invalidFormat() {
    return ImportError(Kind::invalidFormat, 0);
}

QString PromptStore::ImportError::description() const {
    if (m_kind == Kind::unsupportedVersion) {
        return QStringLiteral("Export version ") + QString::number(m_version) +
               QStringLiteral(" isn't supported by this app.");
    }
    return QStringLiteral("The file isn't a valid Tessarine prompts export.");
}

PromptStore& PromptStore::shared() {
    static PromptStore instance(defaultFilePath());
    return instance;
}

QString PromptStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tessarine/prompts.json");
}

PromptStore::PromptStore(const QString& filePath, QObject* parent)
    : QObject(parent), m_file(filePath) {
    load();
}

std::optional<CustomPrompt> PromptStore::save(const QString& instruction,
                                              const std::optional<QString>& name) {
    const QString trimmed = instruction.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    for (const CustomPrompt& prompt : m_items) {
        if (prompt.instruction == trimmed) {
            return prompt;
        }
    }
    const QString givenName = name.value_or(QString()).trimmed();
    CustomPrompt prompt{QUuid::createUuid(),
                        givenName.isEmpty() ? CustomPrompt::suggestedName(trimmed) : givenName,
                        trimmed, QDateTime::currentDateTimeUtc()};
    m_items.prepend(prompt);
    if (m_items.size() > maxItems) {
        m_items.resize(maxItems);
    }
    save();
    return prompt;
}

bool PromptStore::isSaved(const QString& instruction) const {
    const QString trimmed = instruction.trimmed();
    if (trimmed.isEmpty()) {
        return false;
    }
    for (const CustomPrompt& prompt : m_items) {
        if (prompt.instruction == trimmed) {
            return true;
        }
    }
    return false;
}

void PromptStore::rename(const QUuid& id, const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return;
    }
    for (CustomPrompt& prompt : m_items) {
        if (prompt.id == id) {
            prompt.name = trimmed;
            save();
            return;
        }
    }
}

void PromptStore::remove(const QUuid& id) {
    m_items.removeIf([&id](const CustomPrompt& prompt) { return prompt.id == id; });
    save();
}

std::optional<CustomPrompt> PromptStore::find(const QString& name) const {
    const QString wanted = name.toLower();
    // Every name starts with the empty string; an empty request names nothing.
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    for (const CustomPrompt& prompt : m_items) {
        if (prompt.name.toLower() == wanted) {
            return prompt;
        }
    }
    for (const CustomPrompt& prompt : m_items) {
        if (prompt.name.toLower().startsWith(wanted)) {
            return prompt;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> PromptStore::exportData() const {
    PromptsExport file;
    file.exportedAt = QDateTime::currentDateTimeUtc();
    for (const CustomPrompt& prompt : m_items) {
        file.prompts.append(PromptsExport::Entry{prompt.name, prompt.instruction});
    }
    QByteArray bytes = file.encode();
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

PromptStore::ImportResult PromptStore::importData(const QByteArray& bytes) {
    const std::optional<PromptsExport> file = PromptsExport::decode(bytes);
    if (!file) {
        throw ImportError::invalidFormat();
    }
    if (file->version != PromptsExport::currentVersion) {
        throw ImportError::unsupportedVersion(file->version);
    }
    ImportResult result;
    for (const PromptsExport::Entry& entry : file->prompts) {
        const QString instruction = entry.instruction.trimmed();
        if (instruction.isEmpty() || isSaved(instruction)) {
            ++result.skipped;
            continue;
        }
        const QString name = entry.name.trimmed();
        save(instruction, name.isEmpty() ? std::nullopt : std::optional<QString>(name));
        ++result.added;
    }
    return result;
}

QString PromptStore::importedText(const ImportResult& result) {
    if (result.added == 0 && result.skipped >= 1) {
        return QStringLiteral("No new prompts — all ") + QString::number(result.skipped) +
               QStringLiteral(" were already saved.");
    }
    if (result.skipped != 0) {
        return QStringLiteral("Imported ") + plural(result.added, QStringLiteral("prompt")) +
               QStringLiteral("; skipped ") + plural(result.skipped, QStringLiteral("duplicate")) +
               QLatin1Char('.');
    }
    return QStringLiteral("Imported ") + plural(result.added, QStringLiteral("prompt")) +
           QLatin1Char('.');
}

QString PromptStore::exportedText(int count) {
    return QStringLiteral("Exported ") + plural(count, QStringLiteral("prompt")) + QLatin1Char('.');
}

void PromptStore::load() {
    m_items.clear();
    const std::optional<QJsonArray> array = m_file.load();
    if (array) {
        QList<CustomPrompt> decoded;
        for (const QJsonValue& value : *array) {
            std::optional<CustomPrompt> prompt =
                CustomPrompt::fromJson(value, DateEncoding::referenceSeconds);
            if (!prompt) {
                m_file.markUnreadable();
                decoded.clear();
                break;
            }
            decoded.append(std::move(*prompt));
        }
        m_items = std::move(decoded);
    }
    emit changed();
}

void PromptStore::save() {
    QJsonArray array;
    for (const CustomPrompt& prompt : m_items) {
        array.append(prompt.toJson(DateEncoding::referenceSeconds));
    }
    m_file.save(array);
    emit changed();
}

}  // namespace ts
