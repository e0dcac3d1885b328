#include "store/DocumentFile.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include "store/PrivateFile.h"
#include "store/StoreLogging.h"

namespace ts {

DocumentFile::DocumentFile(QString path) : m_path(std::move(path)) {}

QString DocumentFile::unreadableSuffix() {
    return QStringLiteral(".unreadable");
}

std::optional<QJsonArray> DocumentFile::load() {
    m_unreadable.reset();
    const std::optional<QByteArray> bytes = privateFile::read(m_path);
    // A file that exists but cannot be opened (its mode, a failing disk) is not an empty one:
    // what was loaded from it knows nothing of its contents, so nothing is written over it.
    m_unopenable = !bytes && QFileInfo::exists(m_path);
    if (m_unopenable) {
        qCWarning(lcStore, "%s cannot be read; changes are not saved over it", qPrintable(m_path));
        return std::nullopt;
    }
    m_loadedBytes = bytes.value_or(QByteArray());
    if (m_loadedBytes.isEmpty()) {
        return QJsonArray();
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(m_loadedBytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        markUnreadable();
        return std::nullopt;
    }
    return document.array();
}

void DocumentFile::markUnreadable() {
    m_unreadable = m_loadedBytes;
}

void DocumentFile::save(const QJsonArray& array) {
    if (m_unopenable) {
        return;
    }
    if (m_unreadable) {
        const QString aside = privateFile::keepAside(m_path, unreadableSuffix(), *m_unreadable);
        if (aside.isEmpty()) {
            // Overwriting now would lose the only copy; the next save tries again.
            return;
        }
        qCWarning(lcStore, "%s could not be read; its %lld bytes are kept in %s",
                  qPrintable(m_path), static_cast<long long>(m_unreadable->size()),
                  qPrintable(aside));
        m_unreadable.reset();
    }
    privateFile::write(m_path, QJsonDocument(array).toJson(QJsonDocument::Compact));
}

}  // namespace ts
