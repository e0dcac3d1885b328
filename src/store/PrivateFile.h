#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Files only their owner may read (history, saved prompts, keys), in folders only the owner may
// enter.
namespace ts::privateFile {

// Creates the folder and any missing parent with mode 0700; folders that exist keep their mode.
bool ensureFolder(const QString& folder);
// The whole file; none when it does not exist or cannot be read.
std::optional<QByteArray> read(const QString& path);
// Replaces the file atomically; the new file has mode 0600 before any byte is written to it.
bool write(const QString& path, const QByteArray& bytes);
// Keeps bytes that must not be lost next to `path`: at `path + suffix`, or at the first
// `path + suffix + ".N"` that is free or already holds them. The path used; empty on failure.
QString keepAside(const QString& path, const QString& suffix, const QByteArray& bytes);

}  // namespace ts::privateFile
