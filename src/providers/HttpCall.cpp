#include "providers/HttpCall.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <utility>

#include "providers/LLMError.h"
#include "providers/NetworkAccess.h"
#include "providers/TextLimits.h"
#include "providers/TransportError.h"
#include "providers/WireFormat.h"

namespace ts {
namespace {

constexpr qsizetype streamErrorTextLength = 400;
constexpr qint64 kReadSlice = 64 * 1024;

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

// Qt reports HTTP error statuses as reply errors too, from several of its ranges (400 is a
// protocol error, 407 a proxy one). Once a status has arrived, only the connection range and a
// protocol failure mean that the exchange itself broke.
bool isTransportFailure(const QNetworkReply& reply) {
    const QNetworkReply::NetworkError code = reply.error();
    if (code == QNetworkReply::NoError) {
        return false;
    }
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        return true;
    }
    return code <= QNetworkReply::UnknownNetworkError || code == QNetworkReply::ProtocolFailure;
}

class FailedCall final : public ProviderCall {
public:
    explicit FailedCall(RequestError error) : m_error(std::move(error)) {
        QTimer::singleShot(0, this, [this] { deliverFailure(m_error); });
    }

private:
    RequestError m_error;
};

}  // namespace

std::unique_ptr<ProviderCall> HttpCall::whole(Request request, SecretRedactor redactor,
                                              BodyDecoder decoder, bool asSinglePiece) {
    std::unique_ptr<HttpCall> call(new HttpCall(std::move(redactor)));
    call->m_bodyDecoder = std::move(decoder);
    call->m_asSinglePiece = asSinglePiece;
    call->start(std::move(request));
    return call;
}

std::unique_ptr<ProviderCall> HttpCall::events(Request request, SecretRedactor redactor,
                                               EventDecoder decoder, BodyDecoder wholeAnswer) {
    std::unique_ptr<HttpCall> call(new HttpCall(std::move(redactor)));
    call->m_eventDecoder = std::move(decoder);
    call->m_bodyDecoder = std::move(wholeAnswer);
    call->m_asSinglePiece = true;
    call->start(std::move(request));
    return call;
}

std::unique_ptr<ProviderCall> HttpCall::failing(RequestError error) {
    return std::make_unique<FailedCall>(std::move(error));
}

HttpCall::HttpCall(SecretRedactor redactor) : m_redactor(std::move(redactor)) {}

HttpCall::~HttpCall() {
    detach();
}

void HttpCall::start(Request request) {
    QNetworkAccessManager& manager = threadNetworkManager();
    m_reply = request.body.isNull() && request.verb == "GET"
                  ? manager.get(request.request)
                  : manager.sendCustomRequest(request.request, request.verb, request.body);
    if (m_eventDecoder) {
        connect(m_reply, &QNetworkReply::readyRead, this, &HttpCall::onReadyRead);
    }
    connect(m_reply, &QNetworkReply::finished, this, &HttpCall::onFinished);
}

void HttpCall::releaseRequest() {
    detach();
}

void HttpCall::detach() {
    if (!m_reply) {
        return;
    }
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    // Qt flags an HTTP error status as a reply error of its own, and aborting such a reply
    // makes it complain about a second error. Destroying it closes the connection just the same.
    const bool errorStatus = m_headChecked && !isSuccess(m_status);
    if (reply->error() == QNetworkReply::NoError && !errorStatus) {
        reply->abort();
    }
    reply->deleteLater();
}

bool HttpCall::checkHead() {
    if (!m_headChecked) {
        m_headChecked = true;
        m_status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
    return isSuccess(m_status);
}

bool HttpCall::answersWhole() const {
    if (!m_bodyDecoder || !isSuccess(m_status)) {
        return false;
    }
    const QByteArray type = m_reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    return type.trimmed().toLower().startsWith("application/json");
}

void HttpCall::onReadyRead() {
    if (!m_reply) {
        return;
    }
    // A whole JSON answer is read once it is complete.
    if (checkHead() && answersWhole()) {
        return;
    }
    // A backlog (a server or proxy that buffers the whole answer) is read a slice at a time: the
    // lines are handed on from a buffer that stays in the cache, and the pieces of each slice go
    // out together, instead of one copy of the whole answer and one piece as large.
    m_readBuffer.resize(kReadSlice);
    for (;;) {
        const qint64 size = m_reply->read(m_readBuffer.data(), kReadSlice);
        if (size <= 0) {
            return;
        }
        if (!feedLines(QByteArrayView(m_readBuffer.constData(), size)) || !sendPieces() ||
            !m_reply) {
            return;  // stopped: this object may be gone
        }
    }
}

bool HttpCall::feedLines(QByteArrayView data) {
    // Kept on the stack: once a handler has asked to stop, this object may be gone.
    bool stopped = false;
    const auto handler = [this, &stopped](QByteArrayView line) {
        stopped = !handleLine(line);
        return !stopped;
    };
    if (m_reader.feed(data, handler)) {
        return true;
    }
    return !stopped && failWithOverflow();
}

bool HttpCall::failWithOverflow() {
    // An error answer is reported by its status, however long its lines.
    if (!isSuccess(m_status)) {
        failWithStatus(m_text, m_errorBody);
        return false;
    }
    const QString detail = m_reader.overflowed()
                               ? QCoreApplication::translate(
                                     "ts::HttpCall", "The server sent a line longer than %1 MB.")
                                     .arg(EventStreamReader::kMaxLineBytes / (1024 * 1024))
                               : QCoreApplication::translate(
                                     "ts::HttpCall", "The server sent an event larger than %1 MB.")
                                     .arg(ServerSentEvents::kMaxEventBytes / (1024 * 1024));
    detach();
    if (sendPieces()) {
        deliverFailure(wire::decodingFailure(detail));
    }
    return false;
}

// The pieces of one network read go out together: a consumer redraws or writes once per read
// rather than once per chunk of a few characters.
bool HttpCall::sendPieces() {
    // In a non-2xx answer the text is the error text, never pieces.
    if (!isSuccess(m_status) || m_sent == m_text.size()) {
        return true;
    }
    const QString pieces = m_text.sliced(std::exchange(m_sent, m_text.size()));
    return deliverPiece(pieces);
}

bool HttpCall::handleLine(QByteArrayView line) {
    if (!isSuccess(m_status)) {
        return handleErrorLine(line);
    }
    bool stopped = false;
    const auto handler = [this, &stopped](const ServerSentEvent& event) {
        stopped = !handleEvent(event);
        return !stopped;
    };
    // An event that grew too large ends the call through the reader's caller.
    return m_events.line(line, handler) || (!stopped && failWithOverflow());
}

bool HttpCall::handleEvent(const ServerSentEvent& event) {
    Step step = m_eventDecoder(event);
    switch (step.action) {
        case Step::Action::skip:
            return true;
        case Step::Action::piece:
            m_text += step.text;
            return true;
        case Step::Action::end: {
            detach();
            if (!sendPieces()) {
                return false;
            }
            const QString text = std::move(m_text);
            return deliverCompleted(text);
        }
        case Step::Action::fail:
            detach();
            return sendPieces() && deliverFailure(*step.error);
    }
    return true;
}

bool HttpCall::handleErrorLine(QByteArrayView line) {
    if (m_errorBody.size() <= wire::kErrorBodyParseLimit) {
        m_errorBody.append(line.data(), line.size()).append('\n');
    }
    if (m_errorLength <= streamErrorTextLength) {
        const QString text = m_redactor.apply(wire::utf8OrEmpty(line.toByteArray()));
        m_text += text;
        m_errorLength += characterCount(text);
    }
    if (m_errorLength <= streamErrorTextLength) {
        return true;
    }
    // A JSON body is read on to its end, within bounds, so that its message can be parsed.
    const bool json = QByteArrayView(m_errorBody).trimmed().startsWith('{');
    if (json && m_errorBody.size() <= wire::kErrorBodyParseLimit) {
        return true;
    }
    return failWithStatus(m_text, m_errorBody);
}

bool HttpCall::failWithStatus(const QString& text, QByteArrayView body) {
    const LLMError error = wire::httpFailure(m_status, text, body, m_redactor);
    detach();
    return deliverFailure(wire::failure(error));
}

bool HttpCall::failWithTransportError() {
    const QNetworkReply::NetworkError code = m_reply->error();
    TransportError::Kind kind = TransportError::Kind::other;
    QString description = m_redactor.apply(m_reply->errorString());
    if (code == QNetworkReply::ConnectionRefusedError) {
        kind = TransportError::Kind::cannotConnect;
        const QUrl url = m_reply->url();
        const QString host = url.host().contains(QLatin1Char(':'))
                                 ? QLatin1Char('[') + url.host() + QLatin1Char(']')
                                 : url.host();
        const int defaultPort = url.scheme() == QLatin1String("https") ? 443 : 80;
        description = QCoreApplication::translate(
                          "ts::HttpCall", "Couldn't connect to %1:%2. Is the server running?")
                          .arg(host)
                          .arg(url.port(defaultPort));
    } else if (code == QNetworkReply::TimeoutError) {
        kind = TransportError::Kind::timedOut;
    } else if (code == QNetworkReply::OperationCanceledError) {
        // Only the transfer timeout cancels a reply that this call has not released itself.
        kind = TransportError::Kind::timedOut;
        description = QCoreApplication::translate("ts::HttpCall", "The request timed out.");
    }
    detach();
    const TransportError error(kind, code, description);
    return deliverFailure(RequestError(description, error));
}

void HttpCall::onFinished() {
    if (!m_reply) {
        return;
    }
    if (m_eventDecoder && !(checkHead() && answersWhole())) {
        // A reply cancelled by the transfer timeout is closed and has nothing left to read.
        finishEvents(m_reply->isReadable() ? m_reply->readAll() : QByteArray());
        return;
    }
    if (isTransportFailure(*m_reply)) {
        failWithTransportError();
        return;
    }
    checkHead();
    const QByteArray body = m_reply->readAll();
    if (!isSuccess(m_status)) {
        failWithStatus(wire::errorText(body, m_redactor), body);
        return;
    }
    // Some servers label an event stream as JSON; its events are read as events all the same.
    if (m_eventDecoder && looksLikeEvents(body)) {
        finishEvents(body);
        return;
    }
    detach();
    deliverOutcome(m_bodyDecoder(body));
}

bool HttpCall::looksLikeEvents(const QByteArray& body) {
    const QByteArray start = body.left(64).trimmed();
    return start.startsWith("data:") || start.startsWith("event:") || start.startsWith(':');
}

void HttpCall::finishEvents(const QByteArray& rest) {
    if (!feedLines(rest)) {
        return;
    }
    bool stopped = false;
    const auto handler = [this, &stopped](QByteArrayView line) {
        stopped = !handleLine(line);
        return !stopped;
    };
    // A line cut off by a broken connection is not handed on.
    if (isTransportFailure(*m_reply)) {
        if (sendPieces()) {
            failWithTransportError();
        }
        return;
    }
    if (!m_reader.finish(handler)) {
        if (!stopped) {
            failWithOverflow();
        }
        return;
    }
    if (isSuccess(m_status) &&
        !m_events.finish([this](const ServerSentEvent& event) { return handleEvent(event); })) {
        return;
    }
    if (!isSuccess(m_status)) {
        failWithStatus(m_text, m_errorBody);
    } else if (sendPieces()) {
        const QString text = std::move(m_text);
        detach();
        deliverCompleted(text);
    }
}

void HttpCall::deliverOutcome(Outcome outcome) {
    if (auto* text = std::get_if<QString>(&outcome)) {
        if (m_asSinglePiece && !deliverPiece(*text)) {
            return;
        }
        deliverCompleted(*text);
    } else if (auto* models = std::get_if<QStringList>(&outcome)) {
        deliverModels(*models);
    } else {
        deliverFailure(std::get<RequestError>(outcome));
    }
}

}  // namespace ts
