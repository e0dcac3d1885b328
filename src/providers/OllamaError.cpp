#include "providers/OllamaError.h"

#include <QCoreApplication>

namespace ts {

OllamaError OllamaError::notRunning(QUrl baseURL) {
    return OllamaError(Kind::notRunning, std::move(baseURL));
}

QString OllamaError::description() const {
    const QString where = m_baseURL.host().isEmpty() ? m_baseURL.toString() : m_baseURL.host();
    return QCoreApplication::translate("ts::OllamaError",
                                       "Couldn't reach Ollama at %1. Is `ollama serve` running?")
        .arg(where);
}

}  // namespace ts
