// Fixed costs of the in-place rewrite on a real X server with a real editor (mousepad): the
// capture latency from the synthetic copy to the clipboard change, the whole capture step, and
// one whole rewrite with an instant scripted model answer (everything but the model's own time).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "ScriptedProvider.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/inplace/InPlaceService.h"
#include "desktop/platform/ClipboardChords.h"
#include "desktop/platform/x11/X11Platform.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

namespace {

using namespace ts;

const KeyChord kSelectAll{'a', Modifier::control};

// Runs the event loop until the predicate holds or the time is up.
bool spinUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// Lets the X server and the editor see our clipboard ownership before the clock starts, as a
// user's clipboard is long settled when they press the hotkey.
void settle() {
    QElapsedTimer clock;
    clock.start();
    spinUntil([&] { return clock.elapsed() >= 30; }, 100);
}

QByteArray tool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    spinUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
    return process.readAllStandardOutput();
}

// One application, platform and focused editor for every benchmark of the run.
struct Desktop {
    Desktop() {
        qputenv("QT_QPA_PLATFORM", "xcb");
        app = std::make_unique<QApplication>(argc, argv);
        platform = std::make_unique<X11Platform>();
        const QString path = dir.filePath(QStringLiteral("bench-inplace.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        file.write("so could you maybe send the numbers");
        file.close();
        editor.start(QStringLiteral("mousepad"), {QStringLiteral("--disable-server"), path});
        QByteArray window;
        spinUntil(
            [&] {
                window = tool(QStringLiteral("xdotool"),
                              {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), QStringLiteral("bench-inplace.txt")})
                             .trimmed();
                return !window.isEmpty();
            },
            20000);
        tool(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                         QString::fromLatin1(window.split('\n').last())});
        ready = spinUntil(
            [&] {
                const auto front = platform->platform().frontmost.current();
                return front && front->windowClass == QLatin1String("Mousepad");
            },
            10000);
        // A fresh window may drop its first keystrokes; measure only once it copies.
        Platform p = platform->platform();
        bool copies = false;
        for (int attempt = 0; ready && attempt < 20 && !copies; ++attempt) {
            p.clipboard.setText(QStringLiteral("sentinel"), false);
            const quint64 before = p.clipboard.changeCount();
            p.keys.send(kSelectAll);
            p.keys.send(KeyChord{kKeysymC, Modifier::control});
            copies = spinUntil([&] { return p.clipboard.changeCount() != before; }, 500);
        }
        ready = ready && copies;
    }
    ~Desktop() {
        editor.kill();
        editor.waitForFinished(5000);
    }

    int argc = 1;
    char name[14] = "bench_inplace";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<X11Platform> platform;
    QTemporaryDir dir;
    QProcess editor;
    bool ready = false;
};

Desktop* desktop(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("needs an X server (run through scripts/run-benchmarks.sh)");
        return nullptr;
    }
    static Desktop instance;
    if (!instance.ready) {
        state.SkipWithError("mousepad did not come up focused");
        return nullptr;
    }
    return &instance;
}

void BM_CopyToClipboardChange(benchmark::State& state) {
    Desktop* d = desktop(state);
    if (d == nullptr) {
        return;
    }
    Platform p = d->platform->platform();
    const KeyChord copy = *clipboardChord(ClipboardCommand::copy, QStringLiteral("Mousepad"));
    p.keys.send(kSelectAll);
    for (auto _ : state) {
        p.clipboard.setText(QStringLiteral("sentinel"), false);
        settle();
        const quint64 before = p.clipboard.changeCount();
        QElapsedTimer clock;
        clock.start();
        p.keys.send(copy);
        if (!spinUntil([&] { return p.clipboard.changeCount() != before; }, 5000)) {
            state.SkipWithError("the editor never copied");
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_CopyToClipboardChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CaptureSelection(benchmark::State& state) {
    Desktop* d = desktop(state);
    if (d == nullptr) {
        return;
    }
    Platform p = d->platform->platform();
    InPlaceService service(p);
    QObject context;
    p.keys.send(kSelectAll);
    for (auto _ : state) {
        p.clipboard.setText(QStringLiteral("sentinel"), false);
        settle();
        bool captured = false;
        QElapsedTimer clock;
        clock.start();
        service.captureSelection(&context, [&](const InPlaceService::CaptureResult& result) {
            captured = std::holds_alternative<CapturedSelection>(result);
            state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        });
        if (!spinUntil([&] { return captured; }, 5000)) {
            state.SkipWithError("the capture failed");
            return;
        }
    }
}
BENCHMARK(BM_CaptureSelection)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_WholeRewriteBesidesTheModel(benchmark::State& state) {
    Desktop* d = desktop(state);
    if (d == nullptr) {
        return;
    }
    Platform p = d->platform->platform();
    SettingsStore settings(d->dir.filePath(QStringLiteral("config/tessarine.conf")));
    HistoryStore history(d->dir.filePath(QStringLiteral("state/history.json")));
    MemoryKeyStore keys;
    keys.saveAPIKey(QStringLiteral("sk-bench"), apiKeyAccount(ProviderKind::openai));
    test::ScriptedProvider provider;
    provider.fallback().pieces = {QStringLiteral("Could you send the numbers?\n<<<WHYS>>>\n")};
    InPlaceRunner runner(InPlaceRunner::Services{
        p,
        RequestServices{settings, keys, [&]() -> HistoryStore& { return history; },
                        [&](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                            return std::make_unique<test::ScriptedProvider>(provider);
                        }},
        [](const QString&, ToastKind, auto) {}, [] {}});
    std::optional<InPlaceRunner::Outcome> outcome;
    QElapsedTimer clock;
    QObject::connect(&runner, &InPlaceRunner::requestFinished, [&](InPlaceRunner::Outcome o) {
        outcome = o;
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    });
    for (auto _ : state) {
        p.keys.send(kSelectAll);
        settle();
        outcome.reset();
        clock.start();
        runner.runInPlace(Mode::rewrite);
        if (!spinUntil([&] { return outcome.has_value(); }, 10000) ||
            *outcome != InPlaceRunner::Outcome::pasted) {
            state.SkipWithError("the rewrite did not paste");
            return;
        }
    }
}
BENCHMARK(BM_WholeRewriteBesidesTheModel)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
