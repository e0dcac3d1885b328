#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QString>
#include <QStringList>

#include "ProseGenerator.h"
#include "core/DiffSegment.h"
#include "core/DiffTokenizer.h"
#include "core/WordDiff.h"

namespace {

long maxRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Peak resident size before any benchmark ran; run one benchmark per process (with
// --benchmark_filter) to read its rss_growth_MB, since the peak is the process's.
const long kStartRssKiB = maxRssKiB();

qsizetype markedTokens(const QList<ts::DiffSegment>& segments) {
    qsizetype count = 0;
    for (const ts::DiffSegment& segment : segments) {
        if (segment.op != ts::DiffOp::equal) {
            count += qsizetype(ts::diffTokens(segment.text).size());
        }
    }
    return count;
}

void runDiff(benchmark::State& state, const QString& original, const QString& improved,
             bool compareWithExact) {
    ts::wordDiffDetail::Stats stats;
    QList<ts::DiffSegment> segments;
    for (auto _ : state) {
        segments = ts::wordDiffDetail::wordDiff(original, improved,
                                                ts::wordDiffDetail::kTraceByteBound, &stats);
        benchmark::DoNotOptimize(segments);
    }
    state.counters["search_MB"] = double(stats.peakBytes) / (1024.0 * 1024.0);
    state.counters["linear"] = stats.linearSpace ? 1 : 0;
    state.counters["near_min"] = stats.nearMinimal ? 1 : 0;
    state.counters["rss_growth_MB"] = double(maxRssKiB() - kStartRssKiB) / 1024.0;
    if (compareWithExact) {
        // The shortest script, however long it takes, as the yardstick of the cut searches.
        const qsizetype exact = markedTokens(ts::wordDiffDetail::wordDiff(
            original, improved, ts::wordDiffDetail::kTraceByteBound, nullptr, 0));
        state.counters["extra_marked_pct"] =
            100.0 * double(markedTokens(segments) - exact) / double(exact);
    }
}

void BM_EditedText(benchmark::State& state) {
    bench::ProseGenerator gen(1);
    const QStringList original = gen.tokens(int(state.range(0)));
    const QStringList improved = gen.edited(original, double(state.range(1)) / 100.0);
    runDiff(state, original.join(QString()), improved.join(QString()), true);
}

void BM_UnrelatedTexts(benchmark::State& state) {
    bench::ProseGenerator gen(2);
    const QString original = gen.tokens(int(state.range(0))).join(QString());
    const QString improved = gen.tokens(int(state.range(0))).join(QString());
    runDiff(state, original, improved, true);
}

}  // namespace

// An email with a tenth of its words changed, long documents with one in a hundred, and answers
// that have nothing to do with the text.
BENCHMARK(BM_EditedText)
    ->Args({2000, 10})
    ->Args({20000, 1})
    ->Args({200000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnrelatedTexts)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
