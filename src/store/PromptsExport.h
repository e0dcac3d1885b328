#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace ts {

// The prompts export file (version 1): names and instructions only, newest first.
struct PromptsExport {
    struct Entry {
        QString name;
        QString instruction;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    static constexpr int currentVersion = 1;

    int version = currentVersion;
    QDateTime exportedAt;
    QList<Entry> prompts;

    // Pretty-printed, members sorted by name, "exportedAt" as yyyy-MM-ddTHH:mm:ssZ.
    QByteArray encode() const;
    // Any version number is accepted here; none for anything that is not a well-formed file
    // (not JSON, a missing or mistyped member, a date with fractional seconds or no zone).
    static std::optional<PromptsExport> decode(const QByteArray& bytes);

    // An internet date-time without fractional seconds, in "Z" or a numeric offset.
    static std::optional<QDateTime> parseDate(const QString& text);
};

}  // namespace ts
