#include "store/DocumentSlot.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include "store/SettingsStore.h"
#include "store/StoreLogging.h"

namespace ts {

DocumentSlot::DocumentSlot(SettingsStore& settings, QString key)
    : m_settings(settings), m_key(std::move(key)) {}

QString DocumentSlot::unreadableKey() const {
    return m_key + QStringLiteral(".unreadable");
}

std::optional<QJsonArray> DocumentSlot::load() {
    m_unreadable.reset();
    m_loadedBytes = m_settings.data(m_key);
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

void DocumentSlot::markUnreadable() {
    m_unreadable = m_loadedBytes;
}

void DocumentSlot::save(const QJsonArray& array) {
    if (m_unreadable) {
        m_settings.setData(unreadableKey(), *m_unreadable);
        qCWarning(lcStore, "%s could not be read; its %lld bytes are kept under %s",
                  qPrintable(m_key), static_cast<long long>(m_unreadable->size()),
                  qPrintable(unreadableKey()));
        m_unreadable.reset();
    }
    m_settings.setData(m_key, QJsonDocument(array).toJson(QJsonDocument::Compact));
}

}  // namespace ts
