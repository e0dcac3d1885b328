// The word diff of two texts (split at the first NUL): the equal and deleted segments give the
// original, the equal and inserted ones the answer (up to canonical equivalence), keeping every
// change gives the answer and dropping every change the original.
#include <QSet>

#include "FuzzCheck.h"
#include "core/ChangeSet.h"
#include "core/WordDiff.h"

namespace {

QString nfc(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ts;
    const auto [original, improved] = fuzz::twoTexts(data, size);
    const QList<DiffSegment> segments = wordDiff(original, improved);
    QString oldSide;
    QString newSide;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const DiffSegment& segment = segments[i];
        FUZZ_CHECK(!segment.text.isEmpty());
        FUZZ_CHECK(i == 0 || segments[i - 1].op != segment.op);
        if (segment.op != DiffOp::insert) {
            oldSide += segment.text;
        }
        if (segment.op != DiffOp::delete_) {
            newSide += segment.text;
        }
    }
    FUZZ_CHECK(oldSide == original);
    const QString kept = keptText(segments, {});
    FUZZ_CHECK(kept == newSide);
    // Equal tokens that are only equivalent (as normalisation makes them) carry the original's
    // spelling; a long run of marks is compared as it stands, so equal holds exactly there.
    FUZZ_CHECK(newSide == improved || nfc(newSide) == nfc(improved));
    QSet<int> all;
    for (int i = 0; i < changesOf(segments).size(); ++i) {
        all.insert(i);
    }
    FUZZ_CHECK(keptText(segments, all) == original);
    return 0;
}
