#pragma once

#include <QMetaType>
#include <QString>
#include <any>

namespace ts {

// The failure of a provider call. The description is the one sentence shown to the user; the
// detail keeps the typed error of whoever failed (an LLMError, an OllamaError, …) for callers
// that must tell cases apart.
class RequestError {
public:
    RequestError() = default;
    explicit RequestError(QString description, std::any detail = {})
        : m_description(std::move(description)), m_detail(std::move(detail)) {}

    const QString& description() const { return m_description; }

    template <typename T>
    const T* as() const {
        return std::any_cast<T>(&m_detail);
    }

private:
    QString m_description;
    std::any m_detail;
};

}  // namespace ts

Q_DECLARE_METATYPE(ts::RequestError)
