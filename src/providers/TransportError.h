#pragma once

#include <QMetaType>
#include <QNetworkReply>
#include <QString>

namespace ts {

// A failure below HTTP: no connection, a time-out, TLS, a connection lost mid-body. Callers
// that must tell "the server is not there" apart from other failures look at kind().
class TransportError {
public:
    enum class Kind { cannotConnect, timedOut, other };

    TransportError(Kind kind, QNetworkReply::NetworkError code, QString description)
        : m_kind(kind), m_code(code), m_description(std::move(description)) {}

    Kind kind() const { return m_kind; }
    QNetworkReply::NetworkError code() const { return m_code; }
    // Qt's own wording, with any secret removed.
    const QString& description() const { return m_description; }

private:
    Kind m_kind;
    QNetworkReply::NetworkError m_code;
    QString m_description;
};

}  // namespace ts

Q_DECLARE_METATYPE(ts::TransportError)
