#include "providers/OllamaError.h"

namespace ts {

OllamaError OllamaError::notRunning(QUrl baseURL) {
    return OllamaError(Kind::notRunning, std::move(baseURL));
}

QString OllamaError::description() const {
    const QString where = m_baseURL.host().isEmpty() ? m_baseURL.toString() : m_baseURL.host();
    return QStringLiteral("Couldn't reach Ollama at ") + where +
           QStringLiteral(". Is `ollama serve` running?");
}

}  // namespace ts
