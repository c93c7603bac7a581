// Start-up of the program up to the first painted frame of the movie, and the processor
// time a loaded movie takes while nobody touches it.
#include "CpuTime.h"
#include "host/Dialogs.h"
#include "host/TForm1.h"
#include "movie/shell/IvembaMovie.h"
#include "player/PlayerWidget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// Answers nothing; a message here means the start-up went wrong, which the run reports.
class SilentDialogs : public host::Dialogs {
public:
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> openFile(QWidget*, const host::FileRequest&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const host::FileRequest&) override { return {}; }
    void showModal(QDialog&) override {}
    void openUrl(const QUrl&) override {}
};

std::unique_ptr<host::TForm1> makeMainWindow(const QString& dir, SilentDialogs& dialogs) {
    player::MovieRegistry registry;
    shell::registerMovie(registry);
    return std::make_unique<host::TForm1>(
        host::TForm1::Setup{dir, &dialogs, std::move(registry), QStringLiteral("VEMBASWF"), {}});
}

// Builds, shows and waits for the first painted frame; returns the milliseconds taken.
double startOnce(const QString& dir, SilentDialogs& dialogs,
                 std::unique_ptr<host::TForm1>* keep = nullptr) {
    QElapsedTimer clock;
    clock.start();
    auto form = makeMainWindow(dir, dialogs);
    bool painted = false;
    QObject::connect(form->ShockwaveFlash1, &player::PlayerWidget::firstFramePainted,
                     [&painted] { painted = true; });
    form->show();
    while (!painted && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
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
