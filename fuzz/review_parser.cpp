// The answer parser takes any text; the improved text never holds the separator, and the
// streamed preview of a whole answer is where the improved text was cut from.
#include "FuzzCheck.h"
#include "core/ReviewParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = QString::fromUtf8(fuzz::bytes(data, size));
    const ts::Review review = ts::parseReview(answer);
    FUZZ_CHECK(!review.improved.contains(QLatin1String("<<<WHYS>>>")));
    for (const ts::WhyBullet& why : review.whys) {
        FUZZ_CHECK(!why.text.contains(QLatin1Char('\n')));
    }
    const QString preview = ts::streamingPreview(answer);
    FUZZ_CHECK(preview.size() <= answer.size());
    return 0;
}
