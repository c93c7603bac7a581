// Start-up of the program from the build tree against a bare Qt window of the same size:
// process start to the first painted frame, and to the exit that follows it, launched in
// turns so that both see the same machine.
#include "ProgramLaunch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupAgainstBareWindow(benchmark::State& state) {
    const QString dir = QCoreApplication::applicationDirPath();
    // IVEMBA_STARTUP_PROGRAM weighs another build of the program against the same window.
    const QString program = qEnvironmentVariableIsSet("IVEMBA_STARTUP_PROGRAM")
                                ? qEnvironmentVariable("IVEMBA_STARTUP_PROGRAM")
                                : dir + QStringLiteral("/ivemba");
    const QString bare = dir + QStringLiteral("/ivemba_bare_window");
    if (!QFileInfo(program).isExecutable() || !QFileInfo(bare).isExecutable()) {
        state.SkipWithError("no program or no bare window next to the benchmark");
        return;
    }
    QTemporaryDir scratch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("IVEMBA_QUIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));
    // Nothing answers here, so the start-up border check ends at once.
    env.insert(QStringLiteral("IVEMBA_SITE_BASE"), QStringLiteral("http://127.0.0.1:9"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), scratch.filePath(QStringLiteral("data")));
    const int runs = int(state.range(0));
    for (auto _ : state) {
        std::vector<double> programFrame, programExit, bareFrame, bareExit;
        // The first start of each warms the disc cache.
        for (int i = -1; i < runs; ++i) {
            for (const QString& which : {program, bare}) {
                const benchsupport::Launch launch = benchsupport::launchOnce(which, env);
                if (!launch.failure.isEmpty()) {
                    state.SkipWithError(qPrintable(launch.failure));
                    return;
                }
                if (i < 0)
                    continue;
                (which == program ? programFrame : bareFrame).push_back(*launch.firstFrameMs);
                (which == program ? programExit : bareExit).push_back(launch.exitMs);
            }
        }
        const double frame = benchsupport::median(programFrame);
        const double bareMedian = benchsupport::median(bareFrame);
        state.SetIterationTime(frame / 1000.0);
        state.counters["first_frame_ms"] = frame;
        state.counters["bare_first_frame_ms"] = bareMedian;
        state.counters["first_frame_ratio"] = frame / bareMedian;
        state.counters["exit_ms"] = benchsupport::median(programExit);
        state.counters["bare_exit_ms"] = benchsupport::median(bareExit);
        state.counters["exit_ratio"] =
            benchsupport::median(programExit) / benchsupport::median(bareExit);
    }
}
BENCHMARK(BM_StartupAgainstBareWindow)
    ->Arg(9)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
