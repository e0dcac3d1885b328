#include "store/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "store/StoreLogging.h"

namespace ts::privateFile {
namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

}  // namespace

bool ensureFolder(const QString& folder) {
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (QFileInfo(absolute).isDir()) {
        return true;
    }
    const QString parent = QFileInfo(absolute).absolutePath();
    if (parent == absolute || !ensureFolder(parent)) {
        return false;
    }
    return QDir().mkdir(absolute, ownerOnly | QFileDevice::ExeOwner) || QFileInfo(absolute).isDir();
}

std::optional<QByteArray> read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

bool write(const QString& path, const QByteArray& bytes) {
    if (!ensureFolder(QFileInfo(path).absolutePath())) {
        qCWarning(lcStore, "could not create the folder of %s", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcStore, "could not write %s: %s", qPrintable(path),
                  qPrintable(file.errorString()));
        return false;
    }
    file.setPermissions(ownerOnly);
    file.write(bytes);
    if (!file.commit()) {
        qCWarning(lcStore, "could not write %s: %s", qPrintable(path),
                  qPrintable(file.errorString()));
        return false;
    }
    return true;
}

QString keepAside(const QString& path, const QString& suffix, const QByteArray& bytes) {
    for (int n = 0; n < 1000; ++n) {
        const QString candidate =
            path + suffix + (n == 0 ? QString() : QLatin1Char('.') + QString::number(n));
        const std::optional<QByteArray> held = read(candidate);
        if (held == bytes) {
            return candidate;
        }
        if (!held && !QFileInfo::exists(candidate)) {
            return write(candidate, bytes) ? candidate : QString();
        }
    }
    return {};
}

}  // namespace ts::privateFile
