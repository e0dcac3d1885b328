#include "store/DocumentFile.h"

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
    m_loadedBytes = privateFile::read(m_path).value_or(QByteArray());
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
