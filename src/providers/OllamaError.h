#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>

namespace ts {

// The local runtime's own failure: its server did not answer at all.
class OllamaError {
public:
    enum class Kind { notRunning };

    static OllamaError notRunning(QUrl baseURL);

    Kind kind() const { return m_kind; }
    const QUrl& baseURL() const { return m_baseURL; }

    QString description() const;

    bool operator==(const OllamaError&) const = default;

private:
    OllamaError(Kind kind, QUrl baseURL) : m_kind(kind), m_baseURL(std::move(baseURL)) {}

    Kind m_kind;
    QUrl m_baseURL;
};

}  // namespace ts

Q_DECLARE_METATYPE(ts::OllamaError)
