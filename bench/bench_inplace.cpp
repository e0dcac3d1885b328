// Fixed costs of the in-place rewrite on a real X server with a real editor (mousepad): the
// capture latency from the synthetic copy to the clipboard change, the whole capture step, and
// one whole rewrite with an instant scripted model answer (everything but the model's own time)
// while another program owns the clipboard, its median and the median of each of its steps in
// milliseconds as counters.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <map>
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

// When each step of a rewrite began, from the in-place step log lines.
struct StepClock {
    QElapsedTimer clock;
    std::map<QString, qint64> marks;  // step name -> nanoseconds since the rewrite began

    static StepClock& instance() {
        static StepClock steps;
        return steps;
    }
    static void handler(QtMsgType, const QMessageLogContext& context, const QString& message) {
        if (qstrcmp(context.category, "tessarine.inplace.steps") == 0) {
            instance().marks.emplace(message, instance().clock.nsecsElapsed());
        }
    }
    void start() {
        marks.clear();
        clock.start();
    }
    // Milliseconds from one step's start to the next's, -1 when either is missing.
    double between(const QString& from, const QString& to) const {
        const auto a = marks.find(from);
        const auto b = marks.find(to);
        return a == marks.end() || b == marks.end() ? -1 : (b->second - a->second) / 1e6;
    }
};

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

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
    StepClock& steps = StepClock::instance();
    QObject::connect(&runner, &InPlaceRunner::requestFinished, [&](InPlaceRunner::Outcome o) {
        outcome = o;
        steps.marks.emplace(QStringLiteral("end"), steps.clock.nsecsElapsed());
        state.SetIterationTime(static_cast<double>(steps.clock.nsecsElapsed()) / 1e9);
    });
    QLoggingCategory::setFilterRules(QStringLiteral("tessarine.inplace.steps.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(&StepClock::handler);
    // Step name as logged, counter name; each counter runs up to the next step's start.
    const std::vector<std::pair<QString, std::string>> names = {
        {"begin", "settle_ms"},     {"modifiers", "modwait_ms"}, {"snapshot", "snapshot_ms"},
        {"copy", "copy_ms"},        {"model", "model_ms"},       {"activation", "activate_ms"},
        {"paste", "paste_read_ms"}, {"restore", "restore_ms"},   {"end", ""}};
    std::map<std::string, std::vector<double>> perStep;
    std::vector<double> totals;
    for (auto _ : state) {
        // The user's clipboard belongs to another program, as it usually does.
        tool(QStringLiteral("sh"),
             {QStringLiteral("-c"),
              QStringLiteral("printf 'the user clipboard' | xclip -i -selection clipboard")});
        spinUntil([] { return !QGuiApplication::clipboard()->ownsClipboard(); }, 2000);
        p.keys.send(kSelectAll);
        settle();
        outcome.reset();
        steps.start();
        steps.marks.emplace(QStringLiteral("begin"), 0);
        runner.runInPlace(Mode::rewrite);
        if (!spinUntil([&] { return outcome.has_value(); }, 10000) ||
            *outcome != InPlaceRunner::Outcome::pasted) {
            qInstallMessageHandler(previous);
            state.SkipWithError("the rewrite did not paste");
            return;
        }
        totals.push_back(steps.between(QStringLiteral("begin"), QStringLiteral("end")));
        for (std::size_t i = 0; i + 1 < names.size(); ++i) {
            perStep[names[i].second].push_back(steps.between(names[i].first, names[i + 1].first));
        }
    }
    qInstallMessageHandler(previous);
    state.counters["median_ms"] = median(totals);
    for (const auto& [name, values] : perStep) {
        state.counters[name] = median(values);
    }
}
BENCHMARK(BM_WholeRewriteBesidesTheModel)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
