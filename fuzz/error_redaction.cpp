// The error sentences of failed requests: an API key placed anywhere in an error body, raw or
// spelt with JSON or URL escapes, never reaches the message the user reads.
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

#include "FuzzCheck.h"
#include "core/RequestError.h"
#include "providers/LLMError.h"
#include "providers/SecretRedactor.h"
#include "providers/WireFormat.h"

namespace {

const QString kKey = QStringLiteral("sk-proj-abcdefghijkl");

// The key spelt as a body might carry it.
QByteArray spelling(uint8_t choice) {
    switch (choice % 4) {
        case 0:
            return kKey.toUtf8();
        case 1:
            return QByteArrayLiteral("sk-proj-\\u0061bcdefghijkl");
        case 2:
            return QByteArrayLiteral("\\u0073\\u006b-proj-abcdefghijk\\u006c");
        default:
            return QUrl::toPercentEncoding(kKey);
    }
}

const int kStatuses[] = {400, 401, 404, 418, 422, 429, 500, 503, 529, 200};

// What a reader makes of a message that still holds JSON escapes.
QString unescaped(const QString& text) {
    static const QRegularExpression escape(QStringLiteral(R"(\\u([0-9a-fA-F]{4})|\\/)"));
    QString out;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : escape.globalMatch(text)) {
        out += text.sliced(at, match.capturedStart() - at);
        out += match.captured(1).isEmpty()
                   ? QChar(u'/')
                   : QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        at = match.capturedEnd();
    }
    return out + text.sliced(at);
}

}  // namespace

// Byte 0: the status; byte 1: the spelling; byte 2: where the key goes; the rest: the body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ts;
    if (size < 3) {
        return 0;
    }
    const int status = kStatuses[data[0] % std::size(kStatuses)];
    QByteArray body = fuzz::bytes(data + 3, size - 3);
    body.insert(qsizetype(data[2]) % (body.size() + 1), spelling(data[1]));
    const SecretRedactor redactor(kKey);

    const LLMError whole =
        wire::httpFailure(status, wire::errorText(body, redactor), body, redactor);
    FUZZ_CHECK(!unescaped(whole.description()).contains(kKey));
    if (const std::optional<QJsonObject> event = wire::parseObject(body)) {
        if (const std::optional<RequestError> streamed =
                wire::streamedError(*event, true, body, redactor)) {
            FUZZ_CHECK(!unescaped(streamed->description()).contains(kKey));
        }
    }
    return 0;
}
