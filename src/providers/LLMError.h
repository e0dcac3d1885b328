#pragma once

#include <QByteArrayView>
#include <QMetaType>
#include <QString>
#include <optional>

namespace ts {

// What a service said in an error body: its message, and whether its words name the model.
struct ProviderMessage {
    QString text;
    bool namesModel = false;

    bool operator==(const ProviderMessage&) const = default;
};

// The clients' own failures; description() is the sentence the user reads.
class LLMError {
public:
    enum class Kind { invalidResponse, httpError, reported, missingAPIKey, cancelled };

    static LLMError invalidResponse(QString detail);
    static LLMError httpError(int status, QString body);
    // With the message read beforehand from the whole body (the kept text may be cut short), so
    // that the client can redact it after the JSON escapes are decoded.
    static LLMError httpError(int status, QString body, ProviderMessage message);
    // An error the service reported inside a successful stream, in its own words.
    static LLMError reported(QString message);
    static LLMError missingAPIKey();
    static LLMError cancelled();

    Kind kind() const { return m_kind; }
    int status() const { return m_status; }
    // The detail of invalidResponse, the response text of httpError, the message of reported.
    const QString& text() const { return m_text; }

    QString description() const;

    bool operator==(const LLMError&) const = default;

private:
    LLMError(Kind kind, int status, QString text)
        : m_kind(kind), m_status(status), m_text(std::move(text)) {}

    Kind m_kind;
    int m_status = 0;
    QString m_text;
    std::optional<ProviderMessage> m_message;
};

// The provider's own message inside an error body: error.message, error as a text, else a
// top-level message, else the body's first 200 characters, trimmed.
QString providerMessage(const QString& body);
ProviderMessage providerMessageOf(QByteArrayView body);

}  // namespace ts

Q_DECLARE_METATYPE(ts::LLMError)
