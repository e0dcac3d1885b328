#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QString>
#include <QStringList>
#include <random>

#include "core/WordDiff.h"

namespace {

// Prose-like text: a few thousand distinct words with skewed frequencies, punctuation and the
// odd paragraph break.
class ProseGenerator {
public:
    explicit ProseGenerator(unsigned seed) : rng_(seed) {
        std::mt19937 vocabRng(99);
        const QString letters = "etaoinshrdlucmfwypvbgkqjxz";
        for (int w = 0; w < 3000; ++w) {
            QString word;
            const int length = 1 + int(vocabRng() % 9);
            for (int c = 0; c < length; ++c) {
                word += letters[int(std::min(vocabRng() % 26, vocabRng() % 26))];
            }
            vocabulary_ << word;
        }
    }

    QString word() {
        // Squaring a uniform draw favours the front of the vocabulary, as in real prose.
        const double u = std::uniform_real_distribution<double>(0, 1)(rng_);
        return vocabulary_[int(u * u * double(vocabulary_.size()))];
    }

    QStringList tokens(int count) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            const unsigned roll = rng_() % 40;
            const QString tail = roll == 0 ? ".\n\n" : roll < 3 ? ", " : roll < 5 ? ". " : " ";
            out << word() + tail;
        }
        return out;
    }

    // Replaces, drops or adds about `share` of the tokens.
    QStringList edited(QStringList tokens, double share) {
        const int edits = int(double(tokens.size()) * share);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(rng_() % quint32(tokens.size()));
            switch (rng_() % 3) {
                case 0:
                    tokens[at] = word() + " ";
                    break;
                case 1:
                    tokens.removeAt(at);
                    break;
                default:
                    tokens.insert(at, word() + " ");
            }
        }
        return tokens;
    }

private:
    std::mt19937 rng_;
    QStringList vocabulary_;
};

long maxRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Peak resident size before any benchmark ran; run one benchmark per process (with
// --benchmark_filter) to read its rss_growth_MB, since the peak is the process's.
const long kStartRssKiB = maxRssKiB();

void runDiff(benchmark::State& state, const QString& original, const QString& improved) {
    ts::wordDiffDetail::Stats stats;
    for (auto _ : state) {
        auto segments = ts::wordDiffDetail::wordDiff(original, improved,
                                                     ts::wordDiffDetail::kTraceByteBound, &stats);
        benchmark::DoNotOptimize(segments);
    }
    state.counters["search_MB"] = double(stats.peakBytes) / (1024.0 * 1024.0);
    state.counters["linear"] = stats.linearSpace ? 1 : 0;
    state.counters["rss_growth_MB"] = double(maxRssKiB() - kStartRssKiB) / 1024.0;
}

void BM_EditedText(benchmark::State& state) {
    ProseGenerator gen(1);
    const QStringList original = gen.tokens(int(state.range(0)));
    const QStringList improved = gen.edited(original, double(state.range(1)) / 100.0);
    runDiff(state, original.join(QString()), improved.join(QString()));
}

void BM_UnrelatedTexts(benchmark::State& state) {
    ProseGenerator gen(2);
    const QString original = gen.tokens(int(state.range(0))).join(QString());
    const QString improved = gen.tokens(int(state.range(0))).join(QString());
    runDiff(state, original, improved);
}

}  // namespace

// An email with a tenth of its words changed, a long document with one in a hundred.
BENCHMARK(BM_EditedText)->Args({2000, 10})->Args({20000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnrelatedTexts)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
