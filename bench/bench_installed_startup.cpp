// Start-up of the real program, process start to the first painted frame, run from the
// build tree and from an installed copy in turns, so that both see the same machine. The
// installed copy runs from its per-user folder, which is the difference being weighed.
//
// The installed program is IVEMBA_INSTALLED_PROGRAM when set (for example /usr/bin/ivemba
// after the package was installed); otherwise this build is installed into a temporary
// prefix first.
#include "ProgramLaunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>
#include <vector>

namespace {

using benchsupport::Launch;
using benchsupport::launchOnce;
using benchsupport::median;

QProcessEnvironment launchEnvironment(const QString& dataHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("IVEMBA_QUIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));
    // Nothing answers here, so the start-up border check ends at once for both.
    env.insert(QStringLiteral("IVEMBA_SITE_BASE"), QStringLiteral("http://127.0.0.1:9"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    return env;
}

// Installs this build into `prefix`; the installed program, or an empty string.
QString installBuild(const QString& prefix) {
    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    install.start(QStringLiteral(IVEMBA_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(IVEMBA_BINARY_DIR),
                   QStringLiteral("--prefix"), prefix});
    if (!install.waitForFinished(120000) || install.exitCode() != 0)
        return {};
    const QString program = prefix + QStringLiteral("/bin/ivemba");
    return QFileInfo(program).isExecutable() ? program : QString();
}

void BM_InstalledStartupAgainstBuildTree(benchmark::State& state) {
    QTemporaryDir scratch;
    QString installed = qEnvironmentVariable("IVEMBA_INSTALLED_PROGRAM");
    if (installed.isEmpty())
        installed = installBuild(scratch.filePath(QStringLiteral("prefix")));
    const QString buildTree = QCoreApplication::applicationDirPath() + QStringLiteral("/ivemba");
    if (installed.isEmpty() || !QFileInfo(buildTree).isExecutable()) {
        state.SkipWithError("no installed program, or no program in the build tree");
        return;
    }
    const QProcessEnvironment env = launchEnvironment(scratch.filePath(QStringLiteral("data")));
    const int pairs = int(state.range(0));
    for (auto _ : state) {
        std::vector<double> fromBuild, fromInstall;
        // The first start of each warms the disc cache and seeds the per-user folder.
        for (int i = -1; i < pairs; ++i) {
            for (const QString& program : {buildTree, installed}) {
                const Launch launch = launchOnce(program, env);
                if (!launch.failure.isEmpty()) {
                    state.SkipWithError(qPrintable(launch.failure));
                    return;
                }
                if (i >= 0)
                    (program == buildTree ? fromBuild : fromInstall)
                        .push_back(*launch.firstFrameMs);
            }
        }
        const double build = median(fromBuild), install = median(fromInstall);
        state.SetIterationTime(install / 1000.0);
        state.counters["build_tree_ms"] = build;
        state.counters["installed_ms"] = install;
        state.counters["installed_vs_build_percent"] = (install / build - 1.0) * 100.0;
    }
    // The per-user folder is what the installed program ran from: seeded, no movie left.
    const QDir user(scratch.filePath(QStringLiteral("data/ivemba")));
    if (!user.exists(QStringLiteral("borders/borders.xml")))
        state.SkipWithError("the per-user folder was not seeded with the borders");
    else if (user.exists(QStringLiteral("ivemba.swf")))
        state.SkipWithError("the movie file was left in the per-user folder");
}
BENCHMARK(BM_InstalledStartupAgainstBuildTree)
    ->Arg(15)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
