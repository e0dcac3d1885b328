// The main window while an answer streams in: 20,000 pieces, each delivered in its own turn of
// the event loop, with the window showing the streamed preview, against the same stream with
// no window at all. The difference per piece is what the preview costs the main thread.
// Run it on a display: bash scripts/test-env.sh build-bench/bench/bench_main_window
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
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
    static QApplication app(argc, argv);
    return app;
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
        QTest::qWaitForWindowExposed(window.get());
    }
    session.setText(QStringLiteral("so could you send the numbers"));
    QElapsedTimer clock;
    clock.start();
    session.run();
    QTest::qWaitFor([&] { return session.phase().kind == AppState::Phase::result; }, 600000);
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

}  // namespace
