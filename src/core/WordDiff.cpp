#include "core/WordDiff.h"

#include <QHash>
#include <algorithm>

#include "core/DiffTokenizer.h"
#include "core/MyersDiff.h"

namespace ts {

namespace {

// Canonically equivalent tokens share an id, so the search compares integers.
class TokenInterner final {
public:
    std::vector<int> intern(const QString& text, const std::vector<DiffToken>& tokens) {
        std::vector<int> ids;
        ids.reserve(tokens.size());
        for (const DiffToken& token : tokens) {
            const QStringView view = QStringView(text).sliced(token.start, token.length);
            ids.push_back(idOf(view));
        }
        return ids;
    }

private:
    int idOf(QStringView token) {
        // Code points below U+0300 are all NFC-stable, which spares the normaliser most words.
        const bool stable =
            std::all_of(token.begin(), token.end(), [](QChar ch) { return ch.unicode() < 0x300; });
        const QString key =
            stable ? token.toString() : token.toString().normalized(QString::NormalizationForm_C);
        const auto it = ids_.constFind(key);
        if (it != ids_.constEnd()) {
            return *it;
        }
        const int id = int(ids_.size());
        ids_.insert(key, id);
        return id;
    }

    QHash<QString, int> ids_;
};

class SegmentBuilder final {
public:
    void append(DiffOp op, QStringView token) {
        if (!segments_.isEmpty() && segments_.last().op == op) {
            segments_.last().text += token;
        } else {
            segments_.append(DiffSegment{QUuid(), op, token.toString()});
        }
    }

    // Ids are handed out once the runs are final: a segment extended token by token would
    // otherwise draw a UUID per token, and none of the intermediate ones is ever seen.
    QList<DiffSegment> take() {
        for (DiffSegment& segment : segments_) {
            segment.id = QUuid::createUuid();
        }
        return std::move(segments_);
    }

private:
    QList<DiffSegment> segments_;
};

}  // namespace

QList<DiffSegment> wordDiff(const QString& original, const QString& improved) {
    return wordDiffDetail::wordDiff(original, improved, wordDiffDetail::kTraceByteBound);
}

QList<DiffSegment> wordDiffDetail::wordDiff(const QString& original, const QString& improved,
                                            qint64 traceByteBound, Stats* stats) {
    const std::vector<DiffToken> tokensA = diffTokens(original);
    const std::vector<DiffToken> tokensB = diffTokens(improved);
    TokenInterner interner;
    const std::vector<int> a = interner.intern(original, tokensA);
    const std::vector<int> b = interner.intern(improved, tokensB);

    EditScript script;
    qint64 peakBytes = 0;
    const bool greedy = greedyEditScript(a, b, traceByteBound, script, peakBytes);
    if (!greedy) {
        qint64 linearBytes = 0;
        linearSpaceEditScript(a, b, script, linearBytes);
        peakBytes = std::max(peakBytes, linearBytes);
    }
    if (stats) {
        stats->peakBytes = peakBytes;
        stats->linearSpace = !greedy;
    }

    const size_t n = a.size();
    const size_t m = b.size();
    auto tokenA = [&](size_t i) {
        return QStringView(original).sliced(tokensA[i].start, tokensA[i].length);
    };
    auto tokenB = [&](size_t j) {
        return QStringView(improved).sliced(tokensB[j].start, tokensB[j].length);
    };
    SegmentBuilder out;
    size_t i = 0;
    size_t j = 0;
    while (i < n || j < m) {
        while (j < m && script.inserted[j]) {
            out.append(DiffOp::insert, tokenB(j++));
        }
        if (i < n) {
            if (script.removed[i]) {
                out.append(DiffOp::delete_, tokenA(i++));
                continue;
            }
            if (j < m && a[i] == b[j]) {
                out.append(DiffOp::equal, tokenA(i++));
                ++j;
                continue;
            }
            out.append(DiffOp::delete_, tokenA(i++));
        }
        if (j < m) {
            out.append(DiffOp::insert, tokenB(j++));
        }
    }
    return out.take();
}

}  // namespace ts
