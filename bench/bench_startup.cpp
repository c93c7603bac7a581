// Start-up of the program up to the first painted frame of the movie, and the processor
// time a loaded movie takes while nobody touches it.
#include "CpuTime.h"
#include "MainWindowStart.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using benchsupport::SilentDialogs;

// Builds, shows and waits for the first painted frame; returns the milliseconds taken.
double startOnce(const QString& dir, SilentDialogs& dialogs,
                 std::unique_ptr<host::TForm1>* keep = nullptr) {
    QElapsedTimer clock;
    clock.start();
    auto form = benchsupport::makeMainWindow(dir, dialogs);
    const double ms = benchsupport::showUntilFirstFrame(*form, clock);
    if (keep)
        *keep = std::move(form);
    return ms;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    startOnce(dir.path(), dialogs); // warm-up: fonts, plugins, caches
    for (auto _ : state)
        state.SetIterationTime(startOnce(dir.path(), dialogs) / 1000.0);
}
BENCHMARK(BM_StartupToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true);

// The share of one core the process uses while a loaded movie sits idle for 3 s.
void BM_IdleCpu(benchmark::State& state) {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    std::unique_ptr<host::TForm1> form;
    startOnce(dir.path(), dialogs, &form);
    // Let the start-up's own work (timers of the first seconds) settle first.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();
    for (auto _ : state) {
        const double cpu0 = benchsupport::cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        const double share =
            (benchsupport::cpuSeconds() - cpu0) / (double(wall.nsecsElapsed()) / 1e9);
        state.counters["cpu_percent"] = share * 100.0;
    }
}
BENCHMARK(BM_IdleCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
