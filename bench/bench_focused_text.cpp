// The in-place rewrite through the accessibility bus besides the model, in mousepad on native
// Wayland (a headless sway of its own), each step in milliseconds as counters:
//   read_ms       the focused element's selection (AtspiFocusedText::selection)
//   replace_ms    AtspiFocusedText::replace: the check that the element still holds the
//                 selection, the delete, the insert and its own read back
//   readback_ms   one plain read of the element's text, what each of replace's reads costs
//   total_ms      read and replace, the rewrite as the program does it (also the time column)
// Each repetition is one rewrite, back and forth between two texts, so the aggregates are over
// rewrites (the console shows their aggregates, --benchmark_out each one). The selection is made
// with keys and awaited before the clock starts, as a user's selection is settled when they press
// the hotkey.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "SwayTestTools.h"
#include "desktop/platform/atspi/AtspiBus.h"
#include "desktop/platform/atspi/AtspiFocusedText.h"

namespace {

using namespace ts;
using namespace ts::test;

// A line break, é, Cyrillic and an emoji, whose lengths each toolkit counts in its own units.
const QString kTexts[2] = {
    QStringLiteral("Привет, so could you maybe send the café numbers 👍\nThanks"),
    QStringLiteral("Здравствуйте — café 👍\nCould you send the numbers?"),
};

// Our own bus, sway, the held keyboard and mousepad for the whole run.
class Desktop {
public:
    Desktop() {
        // Started first: the selection is found through the focus events mousepad sends.
        if (!bus_.start()) {
            whyNot = QStringLiteral("no accessibility bus (run through scripts/run-benchmarks.sh)");
            return;
        }
        if (!Sway::installed() ||
            QStandardPaths::findExecutable(QStringLiteral("mousepad")).isEmpty()) {
            whyNot = QStringLiteral("sway, wl-clipboard or mousepad is not installed");
            return;
        }
        sway_ = std::make_unique<Sway>();
        if (!sway_->running()) {
            whyNot = QStringLiteral("sway did not start: ") + sway_->log();
            return;
        }
        env_ = sway_->environment();
        env_.remove(QStringLiteral("NO_AT_BRIDGE"));  // GTK programs join the accessibility bus
        holder_ = std::make_unique<RunningProgram>(QStringLiteral(TS_WAYLAND_HELPER),
                                                   QStringList{QStringLiteral("hold")}, env_);
        const QString path = dir_.filePath(QStringLiteral("bench-focused-text.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            whyNot = QStringLiteral("cannot write ") + path;
            return;
        }
        file.write(kTexts[0].toUtf8());
        file.close();
        editor_ = std::make_unique<RunningProgram>(
            QStringLiteral("mousepad"), QStringList{QStringLiteral("--disable-server"), path},
            env_);
        if (!QTest::qWaitFor(
                [&] { return sway_->focusedApp().contains(QLatin1String("mousepad")); }, 20000)) {
            whyNot = QStringLiteral("mousepad did not get the focus");
            return;
        }
        // The first selections may come before mousepad is on the bus or has drawn its text.
        bool heard = false;
        for (int attempt = 0; attempt < 10 && !heard; ++attempt) {
            heard = selectAll(2000);
        }
        if (!heard) {
            whyNot = QStringLiteral("mousepad's selection never reached the accessibility bus");
        }
    }

    // Selects the whole text and waits until the bus tells it.
    bool selectAll(int timeoutMs = 5000) {
        if (runTool(QStringLiteral(TS_WAYLAND_HELPER),
                    {QStringLiteral("keys"), QStringLiteral("ctrl+a")}, {}, env_)
                .exitCode != 0) {
            return false;
        }
        return QTest::qWaitFor(
            [&] {
                const std::optional<TextSelection> selection = text_.selection();
                return selection && selection->text == current();
            },
            timeoutMs);
    }
    const QString& current() const { return kTexts[current_]; }
    const QString& other() const { return kTexts[1 - current_]; }
    void swap() { current_ = 1 - current_; }

    AtspiFocusedText& text() { return text_; }
    // The text of the element the focus events named, read in one call.
    std::optional<QString> readBack(qint64& nanoseconds) {
        atspi::GObjectRef textRef(
            atspi_accessible_get_text_iface(bus_.lastFocused().as<AtspiAccessible>()));
        auto* reader = textRef.as<AtspiText>();
        if (reader == nullptr) {
            return std::nullopt;
        }
        GError* error = nullptr;
        QElapsedTimer clock;
        clock.start();
        gchar* read = atspi_text_get_text(reader, 0, -1, &error);
        nanoseconds = clock.nsecsElapsed();
        if (error != nullptr) {
            g_clear_error(&error);
            g_free(read);
            return std::nullopt;
        }
        return atspi::takeString(read);
    }

    QString whyNot;  // empty once mousepad has the focus and is heard on the bus

private:
    AtspiBus bus_;
    AtspiFocusedText text_{bus_};
    std::unique_ptr<Sway> sway_;
    QProcessEnvironment env_;
    std::unique_ptr<RunningProgram> holder_;
    QTemporaryDir dir_;
    std::unique_ptr<RunningProgram> editor_;
    int current_ = 0;  // which of kTexts the editor holds
};

void rewrite(benchmark::State& state, Desktop& desktop) {
    for (auto _ : state) {
        if (!desktop.selectAll()) {
            state.SkipWithError("the selection never reached the accessibility bus");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        const std::optional<TextSelection> selection = desktop.text().selection();
        const qint64 read = clock.nsecsElapsed();
        if (!selection || selection->text != desktop.current()) {
            state.SkipWithError("the selection was not read");
            return;
        }
        clock.restart();
        const FocusedText::Replaced replaced = desktop.text().replace(*selection, desktop.other());
        const qint64 replace = clock.nsecsElapsed();
        if (replaced != FocusedText::Replaced::replaced) {
            state.SkipWithError("mousepad did not take the text");
            return;
        }
        desktop.swap();
        qint64 readBack = 0;
        if (desktop.readBack(readBack) != desktop.current()) {
            state.SkipWithError("the text read back differs");
            return;
        }
        state.SetIterationTime(static_cast<double>(read + replace) / 1e9);
        state.counters["read_ms"] = static_cast<double>(read) / 1e6;
        state.counters["replace_ms"] = static_cast<double>(replace) / 1e6;
        state.counters["readback_ms"] = static_cast<double>(readBack) / 1e6;
        state.counters["total_ms"] = static_cast<double>(read + replace) / 1e6;
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Qt's event dispatcher runs the GLib main context that delivers the bus's events.
    QCoreApplication app(argc, argv);
    // Until mousepad is on the bus, each look for the selection would log that none is there.
    QLoggingCategory::setFilterRules(QStringLiteral("tessarine.desktop.accessible.info=false"));
    Desktop desktop;
    if (!desktop.whyNot.isEmpty()) {
        std::printf("bench_focused_text: skipped: %s\n", qPrintable(desktop.whyNot));
        return 0;
    }
    benchmark::RegisterBenchmark("BM_RewriteThroughTheBus",
                                 [&](benchmark::State& state) { rewrite(state, desktop); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(40)
        ->DisplayAggregatesOnly(true);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
