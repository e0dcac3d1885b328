#include "core/WordDiff.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <deque>

#include "core/DiffTokenizer.h"
#include "core/MyersDiff.h"

namespace ts {

namespace {

// Normalisation sorts each run of combining marks with a quadratic sort, so a token that holds a
// run longer than Unicode's stream-safe limit is compared as it stands; no real text has one.
bool hasLongMarkRun(QStringView token) {
    constexpr int kStreamSafeMarks = 30;
    int run = 0;
    for (qsizetype i = 0; i < token.size(); ++i) {
        char32_t point = token[i].unicode();
        if (token[i].isHighSurrogate() && i + 1 < token.size() && token[i + 1].isLowSurrogate()) {
            point = QChar::surrogateToUcs4(token[i], token[i + 1]);
            ++i;
        }
        run = QChar::combiningClass(point) != 0 ? run + 1 : 0;
        if (run > kStreamSafeMarks) {
            return true;
        }
    }
    return false;
}

// Canonically equivalent tokens share an id, so the search compares integers. Keys are views
// into the texts (or into the normalised copies kept here), so a word is never copied twice. The
// table grows with the distinct tokens, which prose has far fewer of than tokens.
class TokenInterner final {
public:
    TokenInterner() : slots_(256) {}

    std::vector<int> intern(const QString& text, const std::vector<DiffToken>& tokens) {
        std::vector<int> ids;
        ids.reserve(tokens.size());
        for (const DiffToken& token : tokens) {
            ids.push_back(idOf(QStringView(text).sliced(token.start, token.length)));
        }
        return ids;
    }

private:
    struct Slot {
        QStringView key;
        quint64 hash = 0;
        int id = -1;
    };

    // FNV-1a; also tells whether the text is all Latin-1.
    static quint64 hashOf(QStringView key, bool* latin1 = nullptr) {
        quint64 h = 14695981039346656037ULL;
        char16_t bits = 0;
        for (QChar ch : key) {
            h = (h ^ ch.unicode()) * 1099511628211ULL;
            bits |= ch.unicode();
        }
        if (latin1) {
            *latin1 = bits < 0x100;
        }
        return h;
    }

    Slot& slotFor(QStringView key, quint64 hash) {
        const size_t mask = slots_.size() - 1;
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.id < 0 ||
                (slot.hash == hash && slot.key.size() == key.size() &&
                 std::memcmp(slot.key.data(), key.data(), size_t(key.size()) * 2) == 0)) {
                return slot;
            }
        }
    }

    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.id >= 0) {
                slotFor(slot.key, slot.hash) = slot;
            }
        }
    }

    int idOf(QStringView token) {
        // Latin-1 text is NFC already, which spares the normaliser most words.
        bool stable = false;
        quint64 hash = hashOf(token, &stable);
        QStringView key = token;
        if (!stable && hasLongMarkRun(token)) {
            stable = true;
        }
        if (!stable) {
            normalised_.push_back(token.toString().normalized(QString::NormalizationForm_C));
            key = normalised_.back();
            hash = hashOf(key);
        }
        Slot& slot = slotFor(key, hash);
        if (slot.id >= 0) {
            if (!stable) {
                normalised_.pop_back();
            }
            return slot.id;
        }
        slot = Slot{key, hash, nextId_++};
        // At most half full, so probes stay short.
        if (size_t(nextId_) * 2 > slots_.size()) {
            grow();
        }
        return nextId_ - 1;
    }

    std::vector<Slot> slots_;
    std::deque<QString> normalised_;
    int nextId_ = 0;
};

// A version 4 UUID from the seeded generator: the system one costs a system call per id, and a
// diff of two long unrelated texts has tens of thousands of segments.
QUuid freshId() {
    QRandomGenerator& random = *QRandomGenerator::global();
    const quint64 high = random.generate64();
    const quint64 low = random.generate64();
    return QUuid(quint32(high >> 32), quint16(high >> 16), quint16((high & 0x0FFF) | 0x4000),
                 uchar((low >> 56 & 0x3F) | 0x80), uchar(low >> 48), uchar(low >> 40),
                 uchar(low >> 32), uchar(low >> 24), uchar(low >> 16), uchar(low >> 8), uchar(low));
}

// Consecutive tokens of one run are adjacent in their source text, so a run is one slice.
class SegmentBuilder final {
public:
    SegmentBuilder(const QString& original, const QString& improved)
        : original_(original), improved_(improved) {}

    void append(DiffOp op, const DiffToken& token) {
        if (!runs_.empty() && runs_.back().op == op) {
            runs_.back().end = token.start + token.length;
        } else {
            runs_.push_back({op, token.start, token.start + token.length});
        }
    }

    // Ids are handed out once the runs are final: a segment extended token by token would
    // otherwise draw a UUID per token, and none of the intermediate ones is ever seen.
    QList<DiffSegment> take() const {
        QList<DiffSegment> segments;
        segments.reserve(qsizetype(runs_.size()));
        for (const Run& run : runs_) {
            const QString& source = run.op == DiffOp::insert ? improved_ : original_;
            segments.append(
                DiffSegment{freshId(), run.op, source.mid(run.start, run.end - run.start)});
        }
        return segments;
    }

private:
    struct Run {
        DiffOp op;
        qsizetype start;
        qsizetype end;
    };

    const QString& original_;
    const QString& improved_;
    std::vector<Run> runs_;
};

}  // namespace

QList<DiffSegment> wordDiff(const QString& original, const QString& improved) {
    return wordDiffDetail::wordDiff(original, improved, wordDiffDetail::kTraceByteBound);
}

QList<DiffSegment> wordDiffDetail::wordDiff(const QString& original, const QString& improved,
                                            qint64 traceByteBound, Stats* stats, int costLimit) {
    const std::vector<DiffToken> tokensA = diffTokens(original);
    const std::vector<DiffToken> tokensB = diffTokens(improved);
    TokenInterner interner;
    const std::vector<int> a = interner.intern(original, tokensA);
    const std::vector<int> b = interner.intern(improved, tokensB);

    EditScript script;
    qint64 peakBytes = 0;
    const bool greedy = greedyEditScript(a, b, traceByteBound, script, peakBytes);
    bool nearMinimal = false;
    if (!greedy) {
        qint64 linearBytes = 0;
        nearMinimal = linearSpaceEditScript(a, b, script, linearBytes, costLimit);
        peakBytes = std::max(peakBytes, linearBytes);
    }
    if (stats) {
        stats->peakBytes = peakBytes;
        stats->linearSpace = !greedy;
        stats->nearMinimal = nearMinimal;
    }

    const size_t n = a.size();
    const size_t m = b.size();
    SegmentBuilder out(original, improved);
    size_t i = 0;
    size_t j = 0;
    while (i < n || j < m) {
        while (j < m && script.inserted[j]) {
            out.append(DiffOp::insert, tokensB[j++]);
        }
        if (i < n) {
            if (script.removed[i]) {
                out.append(DiffOp::delete_, tokensA[i++]);
                continue;
            }
            if (j < m && a[i] == b[j]) {
                out.append(DiffOp::equal, tokensA[i++]);
                ++j;
                continue;
            }
            out.append(DiffOp::delete_, tokensA[i++]);
        }
        if (j < m) {
            out.append(DiffOp::insert, tokensB[j++]);
        }
    }
    return out.take();
}

}  // namespace ts
