// Runs the download worker over every package of the published history in a program
// directory, for tests that kill it on purpose. Writes "phase2" to standard output when the
// border files start, and "done" at the end.
#include "updates/BorderFolder.h"
#include "updates/BorderUpdateWorker.h"
#include "updates/WorkGate.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

class PrintingView : public updates::BorderUpdateView {
public:
    void showStatus(const QString&) override {}
    void showFile(const QString&) override {}
    void setTotalRange(int) override {
        std::puts("phase2");
        std::fflush(stdout);
    }
    void startPackage(int) override {}
    void fileDone() override {}
    void packagesChosen(const QStringList&) override {}
    void finished() override {}
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    common::Result<updates::BorderHistory> published = updates::BorderHistory::load(
        updates::BorderFolder::inProgramDirectory(programDir).publishedHistoryPath());
    if (!published)
        return 3;
    updates::BorderUpdateJob job;
    job.programDir = programDir;
    job.published = std::make_shared<updates::BorderHistory>(std::move(published).value());
    for (int i = 0; i < job.published->entryCount(); ++i)
        job.checkedLines.insert(i);
    updates::WorkGate gate;
    PrintingView view;
    updates::runBorderUpdate(job, gate, view);
    std::puts("done");
    return 0;
}
