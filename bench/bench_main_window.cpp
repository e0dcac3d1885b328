// The main window while an answer streams in: 20,000 pieces, each delivered in its own turn of
// the event loop, with the window showing the streamed preview, against the same stream with
// no window at all. The difference per piece is what the preview costs the main thread.
// Run it on a display: bash scripts/test-env.sh build-bench/bench/bench_main_window
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedProvider.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "ui/main/MainWindow.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

namespace {

using namespace ts;

constexpr int kPieces = 20000;

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_main_window";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: the windows' statics must not outlive it at exit.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

class NoClipboard final : public ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return std::nullopt; }
    void replaceWithText(const QString&) override {}
};

QStringList pieces() {
    static const QStringList words = [] {
        QStringList out;
        const QStringList vocabulary{"the ", "numbers ", "by ", "Friday, ", "could ",
                                     "you ", "send ",    "me ", "please.\n"};
        for (int i = 0; i < kPieces; ++i) {
            out << vocabulary[i % vocabulary.size()];
        }
        return out;
    }();
    return words;
}

// QTest::qWaitFor sleeps 10 ms between rounds, which would dominate a 20,000-turn stream.
bool runToResult(AppState& session) {
    QEventLoop loop;
    QObject::connect(&session, &AppState::phaseChanged, &loop, [&] {
        if (session.phase().kind != AppState::Phase::reviewing) {
            loop.quit();
        }
    });
    session.run();
    if (session.phase().kind == AppState::Phase::reviewing || session.hasRunningTask()) {
        loop.exec();
    }
    return session.phase().kind == AppState::Phase::result;
}

// Seconds from run() to the result, for one 20,000-piece stream.
double streamOnce(bool withWindow) {
    application();
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    HistoryStore history(dir.filePath("history.json"));
    PromptStore prompts(dir.filePath("prompts.json"));
    MemoryKeyStore keys;
    keys.saveAPIKey("sk-bench", apiKeyAccount(ProviderKind::openai));
    test::ScriptedProvider provider;
    provider.fallback() = {pieces(), {}, {}, 0, false};
    NoClipboard clipboard;
    AppState session(AppState::Services{
        RequestServices{settings, keys, [&]() -> HistoryStore& { return history; },
                        [&](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                            return std::make_unique<test::ScriptedProvider>(provider);
                        }},
        clipboard});
    std::unique_ptr<MainWindow> window;
    if (withWindow) {
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        window = std::make_unique<MainWindow>(MainWindow::Services{session, prompts});
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            return 0;
        }
    }
    session.setText(QStringLiteral("so could you send the numbers"));
    QElapsedTimer clock;
    clock.start();
    if (!runToResult(session)) {
        qFatal("the stream did not end in a result: %s", qPrintable(session.phase().message));
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

void BM_StreamedPreview(benchmark::State& state) {
    const bool withWindow = state.range(0) != 0;
    double total = 0;
    for (auto _ : state) {
        const double seconds = streamOnce(withWindow);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["us_per_piece"] =
        benchmark::Counter(total * 1e6 / (static_cast<double>(state.iterations()) * kPieces));
    state.SetLabel(withWindow ? "window showing the preview" : "session alone");
}
BENCHMARK(BM_StreamedPreview)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

// 200 short requests through the window (run, result, copy, back to the editor): the resident
// size once the history is full (after 50) and after all 200, so growth per request shows.
void BM_RequestsThroughTheWindow(benchmark::State& state) {
    application();
    for (auto _ : state) {
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath("tessarine.conf"));
        HistoryStore history(dir.filePath("history.json"));
        PromptStore prompts(dir.filePath("prompts.json"));
        MemoryKeyStore keys;
        keys.saveAPIKey("sk-bench", apiKeyAccount(ProviderKind::openai));
        test::ScriptedProvider provider;
        provider.fallback() = {
            {"Could you send ", "the numbers ", "by Friday?\n<<<WHYS>>>\n- clarity: Direct"},
            {},
            {},
            0,
            false};
        NoClipboard clipboard;
        AppState session(AppState::Services{
            RequestServices{settings, keys, [&]() -> HistoryStore& { return history; },
                            [&](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                                return std::make_unique<test::ScriptedProvider>(provider);
                            }},
            clipboard});
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        MainWindow window(MainWindow::Services{session, prompts});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window never showed");
            return;
        }
        long afterWarmUp = 0;
        for (int i = 0; i < 200; ++i) {
            session.setText(QStringLiteral("so could you send the numbers %1").arg(i));
            if (!runToResult(session)) {
                state.SkipWithError("a request did not finish");
                return;
            }
            session.copyImproved();
            session.returnToEditor();
            provider.state().requests.clear();  // the fake's own record is not the program's
            if (i == 49) {
                QTest::qWait(50);
                afterWarmUp = residentKiB();
            }
        }
        QTest::qWait(50);
        const long atEnd = residentKiB();
        state.counters["rss_after_50_MiB"] = static_cast<double>(afterWarmUp) / 1024.0;
        state.counters["rss_after_200_MiB"] = static_cast<double>(atEnd) / 1024.0;
        state.counters["growth_KiB_per_request"] = static_cast<double>(atEnd - afterWarmUp) / 150.0;
    }
}
BENCHMARK(BM_RequestsThroughTheWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
