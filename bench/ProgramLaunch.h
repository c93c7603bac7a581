#pragma once

// Starting a program as a user would and timing it from outside: process start to the line
// "first frame painted" on its standard output, and to its exit.
#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

namespace benchsupport {

struct Launch {
    std::optional<double> firstFrameMs;
    double exitMs = 0;
    QString failure;
};

inline Launch launchOnce(const QString& program, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    // The program's traces come through as well; they are shown only when a start fails.
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    Launch launch;
    QByteArray out;
    while (!out.contains("first frame painted") && clock.elapsed() < 20000) {
        if (!process.waitForReadyRead(int(std::max<qint64>(1, 20000 - clock.elapsed()))))
            break;
        out += process.readAllStandardOutput();
    }
    if (out.contains("first frame painted"))
        launch.firstFrameMs = double(clock.nsecsElapsed()) / 1e6;
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        launch.failure = program + QStringLiteral(" did not quit");
    } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        launch.failure =
            program + QStringLiteral(" ended with code ") + QString::number(process.exitCode());
    } else if (!launch.firstFrameMs) {
        launch.failure = program + QStringLiteral(" painted no frame");
    }
    launch.exitMs = double(clock.nsecsElapsed()) / 1e6;
    if (!launch.failure.isEmpty())
        launch.failure += QStringLiteral(":\n") +
                          QString::fromLocal8Bit(out + process.readAllStandardOutput()).right(2000);
    return launch;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace benchsupport
