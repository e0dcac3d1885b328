// The tessarine program from its start to the "ready" line it logs after the last launch step,
// and its resident size once it idles with the main window up. Each run has its own settings
// (onboarding done) and ends the program before the next.
// Run it on a display: bash scripts/test-env.sh build-bench/bench/bench_startup
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "bench_startup";
    static char* argv[] = {name, nullptr};
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
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

void BM_StartToReady(benchmark::State& state) {
    application();
    const QRegularExpression ready(QStringLiteral(R"(ready (\d+) ms after the process started)"));
    double readyTotal = 0;
    double rssTotal = 0;
    for (auto _ : state) {
        QTemporaryDir root;
        QDir().mkpath(root.filePath("config/tessarine"));
        QFile config(root.filePath("config/tessarine/tessarine.conf"));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write("[General]\nhasCompletedOnboarding=true\n"
                         "hasRunOnboardingMigration=true\n") < 0) {
            state.SkipWithError("cannot write the settings");
            return;
        }
        config.close();
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"CONFIG", "STATE", "DATA", "CACHE"}) {
            env.insert(QStringLiteral("XDG_%1_HOME").arg(QLatin1String(name)),
                       root.filePath(QString::fromLatin1(name).toLower()));
        }
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::SeparateChannels);
        program.setReadChannel(QProcess::StandardError);  // the log
        program.start(QStringLiteral(TESSARINE_PATH), {});
        QByteArray log;
        std::optional<double> readyMs;
        while (!readyMs && program.waitForReadyRead(10000)) {
            log += program.readAllStandardError();
            if (const auto match = ready.match(QString::fromUtf8(log)); match.hasMatch()) {
                readyMs = match.captured(1).toDouble();
            }
        }
        if (!readyMs) {
            program.kill();
            program.waitForFinished();
            state.SkipWithError(("no ready line: " + log.toStdString()).c_str());
            return;
        }
        QThread::msleep(1500);  // the window painted, the event loop idle
        const long rss = residentKiB(program.processId());
        program.terminate();
        program.waitForFinished(5000);
        state.SetIterationTime(*readyMs / 1000.0);
        readyTotal += *readyMs;
        rssTotal += static_cast<double>(rss) / 1024.0;
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ready_ms"] = readyTotal / runs;
    state.counters["idle_rss_MiB"] = rssTotal / runs;
}
BENCHMARK(BM_StartToReady)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
