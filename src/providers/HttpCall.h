#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "core/ProviderCall.h"
#include "providers/EventStreamReader.h"
#include "providers/SecretRedactor.h"
#include "providers/ServerSentEvents.h"

class QNetworkReply;

namespace ts {

// One HTTP exchange behind a ProviderCall: sends the request on the thread's network manager,
// checks the status, and hands the 2xx body to a decoder, either whole or event by event as it
// arrives. Every text it hands out passes through the client's redactor. Stopping the call
// aborts the reply at once, which closes the connection.
class HttpCall final : public ProviderCall {
    Q_OBJECT

public:
    struct Request {
        QByteArray verb;  // "GET" or "POST"
        QNetworkRequest request;
        QByteArray body;
    };

    // What a whole 2xx body decodes to.
    using Outcome = std::variant<QString, QStringList, RequestError>;
    using BodyDecoder = std::function<Outcome(const QByteArray& body)>;

    // What one event of a 2xx streamed body asks for.
    struct Step {
        enum class Action { skip, piece, end, fail };
        Action action = Action::skip;
        QString text;
        std::optional<RequestError> error;

        static Step skip() { return {}; }
        static Step piece(QString text) { return {Action::piece, std::move(text), {}}; }
        static Step end() { return {Action::end, {}, {}}; }
        static Step fail(RequestError error) { return {Action::fail, {}, std::move(error)}; }
    };
    using EventDecoder = std::function<Step(const ServerSentEvent& event)>;

    // A text outcome is delivered as `completed`, or with `asSinglePiece` as one piece
    // followed by `completed` (a stream of a service that answers only whole).
    static std::unique_ptr<ProviderCall> whole(Request request, SecretRedactor redactor,
                                               BodyDecoder decoder, bool asSinglePiece = false);
    // A server that ignores the request to stream and answers one JSON document gets
    // `wholeAnswer` instead, its text delivered as a single piece.
    static std::unique_ptr<ProviderCall> events(Request request, SecretRedactor redactor,
                                                EventDecoder decoder, BodyDecoder wholeAnswer = {});

    // A call that fails on the next turn of the event loop without any traffic.
    static std::unique_ptr<ProviderCall> failing(RequestError error);

    ~HttpCall() override;

protected:
    void releaseRequest() override;

private:
    explicit HttpCall(SecretRedactor redactor);
    void start(Request request);
    void onReadyRead();
    void onFinished();
    bool checkHead();
    bool handleErrorLine(QByteArrayView line);
    bool handleLine(QByteArrayView line);
    bool handleEvent(const ServerSentEvent& event);
    bool answersWhole() const;
    bool sendPieces();
    void finishEvents(const QByteArray& rest);
    static bool looksLikeEvents(const QByteArray& body);
    bool failWithTransportError();
    bool failWithStatus(const QString& text, QByteArrayView body);
    bool feedLines(QByteArrayView data);
    bool failWithOverflow();
    void deliverOutcome(Outcome outcome);
    void detach();

    SecretRedactor m_redactor;
    BodyDecoder m_bodyDecoder;
    EventDecoder m_eventDecoder;
    bool m_asSinglePiece = false;
    QPointer<QNetworkReply> m_reply;
    bool m_headChecked = false;
    int m_status = 0;
    EventStreamReader m_reader;
    ServerSentEvents m_events;
    QString m_text;        // the pieces so far, or the error text of a non-2xx stream
    qsizetype m_sent = 0;  // how much of m_text has gone out as pieces
    qsizetype m_errorLength = 0;
    QByteArray m_errorBody;  // a non-2xx body's lines, for reading the service's message
    QByteArray m_readBuffer;
};

}  // namespace ts
