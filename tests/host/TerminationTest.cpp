// The real program, run as a portable copy in a folder of its own, ended by the signals a
// logout, `kill` or Ctrl+C sends.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace host {
namespace {

bool waitForFile(const QString& path, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(path)) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(10);
    }
    return true;
}

TEST(TerminationTest, TerminationSignalsEndTheProgramAsItsCloseButtonDoesAndRemoveTheMovie) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(IVEMBA_PROGRAM), dir.filePath("ivemba")));
    QFile::setPermissions(dir.filePath("ivemba"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(QDir(dir.path()).mkdir("borders")); // a portable copy runs from its folder
    const QString movie = dir.filePath("ivemba.swf");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("IVEMBA_SITE_BASE", "http://127.0.0.1:9");
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(number);
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(dir.filePath("ivemba"), {});
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(waitForFile(movie, 20000)) << "the program wrote no movie file";
        ::kill(pid_t(program.processId()), number);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_FALSE(QFile::exists(movie)) << "the movie file was left behind";
    }
}

} // namespace
} // namespace host
