#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <exception>
#include <optional>

#include "core/CustomPrompt.h"
#include "store/DocumentFile.h"

namespace ts {

// The saved instructions of the ask mode: at most 30, newest first, never two with the same
// instruction text.
class PromptStore final : public QObject {
    Q_OBJECT

public:
    static constexpr int maxItems = 30;
    static const QString defaultsKey;  // "io.tessarine.customPrompts.v1", its settings key once

    class ImportError final : public std::exception {
    public:
        enum class Kind { unsupportedVersion, invalidFormat };

        static ImportError unsupportedVersion(int version);
        static ImportError invalidFormat();

        Kind kind() const { return m_kind; }
        int version() const { return m_version; }
        // The sentence shown to the user.
        QString description() const;
        const char* what() const noexcept override { return m_what.constData(); }

    private:
        ImportError(Kind kind, int version);

        Kind m_kind;
        int m_version;
        QByteArray m_what;
    };

    struct ImportResult {
        int added = 0;
        int skipped = 0;
        friend bool operator==(const ImportResult&, const ImportResult&) = default;
    };

    static PromptStore& shared();
    // $XDG_DATA_HOME/tessarine/prompts.json
    static QString defaultFilePath();

    explicit PromptStore(const QString& filePath, QObject* parent = nullptr);

    QString filePath() const { return m_file.path(); }

    QList<CustomPrompt> items() const { return m_items; }

    // The stored prompt with this (trimmed) instruction, new or existing; none when it is empty.
    std::optional<CustomPrompt> save(const QString& instruction,
                                     const std::optional<QString>& name = std::nullopt);
    bool isSaved(const QString& instruction) const;
    void rename(const QUuid& id, const QString& name);
    // Rewrites the stored value even when nothing matched.
    void remove(const QUuid& id);

    // Lower-cased names: the first exact match, else the first name starting with `name`.
    std::optional<CustomPrompt> find(const QString& name) const;

    // None only when encoding fails.
    std::optional<QByteArray> exportData() const;
    // Throws ImportError; an invalid or unsupported file changes nothing.
    ImportResult importData(const QByteArray& bytes);

    // The outcome lines of the prompts tab.
    static QString importedText(const ImportResult& result);
    static QString exportedText(int count);

    void load();
    void save();

signals:
    void changed();

private:
    DocumentFile m_file;
    QList<CustomPrompt> m_items;
};

}  // namespace ts
