#include "desktop/LoginItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace ts {

namespace {

const QString kEntryName = QStringLiteral("io.tessarine.Tessarine.desktop");

// Exec quoting of the desktop entry format: quoted when it holds anything beyond plain characters.
QString quotedExec(const QString& path) {
    static const QString plain = QStringLiteral("/._-+");
    bool simple = true;
    for (QChar c : path) {
        if (!c.isLetterOrNumber() && !plain.contains(c)) {
            simple = false;
        }
    }
    if (simple) {
        return path;
    }
    QString escaped;
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            escaped += QLatin1Char('\\');
        }
        escaped += c;
    }
    // The entry format reads a backslash itself as an escape once more.
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

}  // namespace

LoginItem::LoginItem(QString autostartFolder, QString program)
    : folder_(autostartFolder.isEmpty() ? defaultFolder() : std::move(autostartFolder)),
      program_(program.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(program)) {}

QString LoginItem::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QString LoginItem::entryPath() const {
    return QDir(folder_).filePath(kEntryName);
}

LoginItem::Status LoginItem::status() const {
    const QFileInfo program(program_);
    if (program_.isEmpty() || !program.isExecutable()) {
        return Status::notFound;
    }
    return QFileInfo::exists(entryPath()) ? Status::enabled : Status::notRegistered;
}

QByteArray LoginItem::entryText(const QString& program) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Tessarine\n"
               "Comment=Writing assistant\n"
               "Exec=%1\n"
               "Icon=io.tessarine.Tessarine\n"
               "Terminal=false\n"
               "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedExec(program))
        .toUtf8();
}

QString LoginItem::setEnabled(bool enabled) {
    if (!enabled) {
        QFile entry(entryPath());
        if (entry.exists() && !entry.remove()) {
            return entry.errorString();
        }
        return {};
    }
    if (status() == Status::notFound) {
        return {};
    }
    if (!QDir().mkpath(folder_)) {
        return QStringLiteral("Couldn't create the folder %1.").arg(folder_);
    }
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    file.write(entryText(QFileInfo(program_).absoluteFilePath()));
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace ts
