// tessarine:// links: any string parses without harm, and a text encoded into a link's query
// comes back exactly as it was.
#include <QUrl>

#include "FuzzCheck.h"
#include "desktop/services/UrlSchemeAction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ts;
    const QString input = QString::fromUtf8(fuzz::bytes(data, size));
    parseUrlSchemeAction(input);

    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(input));
    const UrlSchemeAction rewrite =
        parseUrlSchemeAction(QStringLiteral("tessarine://rewrite?text=") + encoded);
    FUZZ_CHECK(rewrite.kind == UrlSchemeAction::Kind::rewrite);
    FUZZ_CHECK(rewrite.text == input);
    const UrlSchemeAction reply =
        parseUrlSchemeAction(QStringLiteral("tessarine://reply?intent=x&received=") + encoded +
                             QStringLiteral("&run=1"));
    FUZZ_CHECK(reply.received == input && reply.intent == QLatin1String("x") && reply.autoRun);
    return 0;
}
