// The result view showing the word diff of a 20,000-word original against a 20,000-word
// answer: the longest main-thread stall from the press of "SHOW CHANGES" until the whole diff
// is in the view (a 1 ms timer notes the longest gap between its ticks), the time from the
// press to the last slice, and what the diff alone costs (it runs on a worker in the view).
// Run it on a display: bash scripts/test-env.sh build-bench/bench/bench_result_view
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "ProseGenerator.h"
#include "core/WordDiff.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "ui/main/DiffFormat.h"
#include "ui/main/DiffText.h"
#include "ui/main/ResultView.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"
#include "ui/theme/StyleSheet.h"

namespace {

using namespace ts;

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_result_view";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: Qt's GUI statics may be gone by the time a static application would be.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

class NoClipboard final : public ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return std::nullopt; }
    void replaceWithText(const QString&) override {}
};

// The longest gap between the ticks of a 1 ms timer: how long the main thread was busy in
// one go.
class StallMeter final {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_worst = std::max(m_worst, m_sinceTick.restart()); });
    }
    void start() {
        m_worst = 0;
        m_sinceTick.start();
        m_timer.start();
    }
    qint64 stop() {
        m_timer.stop();
        return std::max(m_worst, m_sinceTick.elapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    qint64 m_worst = 0;
};

// Runs the event loop until every text of the view is complete.
void runUntilSettled(QWidget& view) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const auto texts = view.findChildren<DiffText*>();
        if (std::all_of(texts.begin(), texts.end(), [](DiffText* t) { return t->isSettled(); })) {
            loop.quit();
        }
    });
    poll.start(5);
    loop.exec();
}

QAbstractButton* buttonNamed(QWidget& view, const QString& text) {
    for (QAbstractButton* button : view.findChildren<QAbstractButton*>()) {
        if (button->text() == text && button->isVisibleTo(&view)) {
            return button;
        }
    }
    return nullptr;
}

// range(0): share of the tokens the answer changes, in percent (100: an unrelated text).
void ResultViewDiff(benchmark::State& state) {
    application();
    bench::ProseGenerator gen(7);
    const QStringList tokens = gen.tokens(20000);
    const QString original = tokens.join(QString());
    const QString improved =
        state.range(0) >= 100 ? gen.tokens(20000).join(QString())
                              : gen.edited(tokens, double(state.range(0)) / 100.0).join(QString());

    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    HistoryStore history(dir.filePath("history.json"));
    MemoryKeyStore keys;
    NoClipboard clipboard;
    AppState session(
        {RequestServices{settings, keys, [&]() -> HistoryStore& { return history; }}, clipboard});
    Palette::setAppearanceSource([] { return QStringLiteral("light"); });
    qApp->setStyleSheet(windowStyleSheet(Palette::current()));
    PopoverBackground host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(18, 14, 18, 16);
    auto* view = new ResultView(session, nullptr, &host);
    layout->addWidget(view);
    host.resize(480, 620);
    host.show();

    HistoryItem record;
    record.original = original;
    record.review.improved = improved;
    record.mode = Mode::rewrite;

    StallMeter meter;
    qint64 worstStall = 0;
    qint64 worstPlainStall = 0;
    for (auto _ : state) {
        record.id = QUuid::createUuid();
        meter.start();
        session.restoreHistoryItem(record);
        runUntilSettled(*view);
        worstPlainStall = std::max(worstPlainStall, meter.stop());

        QAbstractButton* show = buttonNamed(*view, QStringLiteral("SHOW CHANGES"));
        QElapsedTimer shown;
        shown.start();
        // The meter's first gap runs from here, so the press itself is counted too.
        meter.start();
        show->click();
        runUntilSettled(*view);
        state.SetIterationTime(double(shown.nsecsElapsed()) / 1e9);
        worstStall = std::max(worstStall, meter.stop());
    }

    qint64 diffNs = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QList<TextRun> runs = cutIntoRuns(wordDiff(original, improved), 4000);
        benchmark::DoNotOptimize(runs);
        diffNs = std::min(diffNs, clock.nsecsElapsed());
    }
    state.counters["worst_stall_ms"] = double(worstStall);
    state.counters["plain_stall_ms"] = double(worstPlainStall);
    state.counters["diff_ms"] = double(diffNs) / 1e6;
}
BENCHMARK(ResultViewDiff)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
