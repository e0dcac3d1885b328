#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <random>

#include "core/ReviewParser.h"
#include "core/StreamAccumulator.h"

namespace {

// Token-sized pieces as a chat model streams them (about five characters each), with line
// breaks, and the separator plus bullets at the end.
QStringList answerPieces(int count) {
    std::mt19937 rng(7);
    static const QStringList words{QStringLiteral(" the"),  QStringLiteral(" numbers"),
                                   QStringLiteral(" by"),   QStringLiteral(" Thursday"),
                                   QStringLiteral(", "),    QStringLiteral(" review"),
                                   QStringLiteral(".\n\n"), QStringLiteral(" quick"),
                                   QStringLiteral(" ask:"), QStringLiteral(" fold")};
    QStringList pieces;
    pieces.reserve(count);
    for (int i = 0; i < count - 8; ++i) {
        pieces << words[int(rng() % words.size())];
    }
    pieces << QStringLiteral("\n<<<") << QStringLiteral("WHYS") << QStringLiteral(">>>\n")
           << QStringLiteral("- concision: trimmed") << QStringLiteral(" filler\n")
           << QStringLiteral("- clarity: opens with") << QStringLiteral(" the ask\n")
           << QStringLiteral("- tone: warmer");
    return pieces;
}

void StreamAccumulation(benchmark::State& state) {
    const QStringList pieces = answerPieces(int(state.range(0)));
    qsizetype chars = 0;
    for (const QString& piece : pieces) {
        chars += piece.size();
    }
    for (auto _ : state) {
        ts::StreamAccumulator accumulator;
        for (const QString& piece : pieces) {
            benchmark::DoNotOptimize(accumulator.append(piece));
        }
        benchmark::DoNotOptimize(accumulator.text().size());
    }
    state.counters["answer_chars"] = double(chars);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StreamAccumulation)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

// The whole answer is streamed before the separator, so every piece grows the preview.
void StreamAccumulationNoSeparator(benchmark::State& state) {
    QStringList pieces = answerPieces(int(state.range(0)));
    pieces.resize(pieces.size() - 8);
    for (auto _ : state) {
        ts::StreamAccumulator accumulator;
        for (const QString& piece : pieces) {
            benchmark::DoNotOptimize(accumulator.append(piece));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StreamAccumulationNoSeparator)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

void ParseReview50KB(benchmark::State& state) {
    QString answer;
    std::mt19937 rng(11);
    while (answer.size() < 45000) {
        answer += QStringLiteral("Quick ask: can you send the Q2 numbers by Thursday? ");
        if (rng() % 8 == 0) {
            answer += QStringLiteral("\n\n");
        }
    }
    answer += QStringLiteral("\n<<<WHYS>>>\n");
    while (answer.size() < 50000) {
        answer += QStringLiteral("- concision: trimmed ~35% by cutting filler\n");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ts::parseReview(answer));
    }
    state.counters["answer_chars"] = double(answer.size());
}
BENCHMARK(ParseReview50KB)->Unit(benchmark::kMicrosecond);

}  // namespace
