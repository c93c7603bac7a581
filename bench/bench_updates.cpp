// Border updates: the start-up check's comparison of two large histories, the download
// worker's own cost per border file, and how soon a cancel ends it in the middle of a
// transfer.
#include "CpuTime.h"
#include "updates/BorderHistory.h"
#include "updates/BorderUpdateWorker.h"
#include "updates/StartupBorderCheck.h"
#include "updates/WorkGate.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <httplib.h>
#include <thread>

namespace {

// The job that fetches the first line of a published history into `programDir`.
updates::BorderUpdateJob firstLineOf(const QByteArray& published, const QString& programDir) {
    updates::BorderUpdateJob job;
    job.programDir = programDir;
    job.published = std::make_shared<updates::BorderHistory>(
        updates::BorderHistory::fromBytes(published, QStringLiteral("p")).value());
    job.checkedLines = {0};
    return job;
}

using namespace std::chrono_literals;

QByteArray history(int first, int count) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?><BorderVersions>";
    for (int i = first; i < first + count; ++i)
        xml += "<BorderVersion BVNum=\"" + QByteArray::number(i) +
               "\" URL=\"http://h/d.xml\" 注释=\"包\"/>";
    return xml + "</BorderVersions>";
}

// 10,000 published entries against 10,000 installed, half of them the same.
void BM_CheckComparison10k(benchmark::State& state) {
    const QByteArray published = history(5000, 10000);
    const common::Result<updates::BorderHistory> local =
        updates::BorderHistory::fromBytes(history(0, 10000), QStringLiteral("local"));
    for (auto _ : state) {
        state.PauseTiming();
        common::Result<updates::BorderHistory> copy =
            updates::BorderHistory::fromBytes(published, QStringLiteral("published"));
        state.ResumeTiming();
        benchmark::DoNotOptimize(updates::removeInstalledPackages(copy.value(), local.value()));
    }
}
BENCHMARK(BM_CheckComparison10k)->Unit(benchmark::kMillisecond);

// A web site on 127.0.0.1 for the benchmarks below.
class Site {
public:
    Site() {
        server_.set_tcp_nodelay(true);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(1ms);
    }
    ~Site() {
        stopping_ = true;
        server_.stop();
        thread_.join();
    }
    QString url(const std::string& path) const {
        return QStringLiteral("http://127.0.0.1:%1").arg(port_) + QString::fromStdString(path);
    }
    httplib::Server server_;
    std::atomic<bool> stopping_{false};

private:
    int port_ = 0;
    std::thread thread_;
};

class QuietView : public updates::BorderUpdateView {
public:
    void showStatus(const QString&) override {}
    void showFile(const QString&) override {}
    void setTotalRange(int) override {}
    void startPackage(int) override {}
    void fileDone() override { ++files; }
    void packagesChosen(const QStringList&) override {}
    void finished() override {}
    std::atomic<int> files{0};
};

// One package of 200 border files of 20 kB each, fetched from a local site: the time per
// file, the worker's share of the processor per file (the site runs in this process too,
// so the processor figure is an upper bound). Every file is synced to disc before it takes
// its name; argument 1 puts the border folder in memory (/dev/shm), which shows the
// worker's cost without the disc's sync time.
void BM_WorkerPerBorderFile(benchmark::State& state) {
    const bool inMemory = state.range(0) == 1 && QDir(QStringLiteral("/dev/shm")).exists();
    constexpr int kFiles = 200;
    Site site;
    const std::string picture(20 * 1024, 'p');
    site.server_.Get(R"(/f/(\d+)\.gif)", [&](const httplib::Request&, httplib::Response& r) {
        r.set_content(picture, "image/gif");
    });
    QByteArray description = "<package><class name=\"类\">";
    for (int i = 0; i < kFiles; ++i)
        description += "<file>" + site.url("/f/" + std::to_string(i) + ".gif").toUtf8() + "</file>";
    description += "</class></package>";
    site.server_.Get("/d.xml", [&](const httplib::Request&, httplib::Response& r) {
        r.set_content(description.toStdString(), "application/octet-stream");
    });
    const QByteArray published =
        "<h><p BVNum=\"1\" URL=\"" + site.url("/d.xml").toUtf8() + "\"/></h>";

    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir =
            inMemory ? QTemporaryDir(QStringLiteral("/dev/shm/ivemba-XXXXXX")) : QTemporaryDir();
        QDir().mkpath(dir.filePath(QStringLiteral("borders")));
        updates::BorderUpdateJob job = firstLineOf(published, dir.path());
        updates::WorkGate gate;
        QuietView view;
        state.ResumeTiming();
        const double before = benchsupport::cpuSeconds();
        updates::runBorderUpdate(job, gate, view);
        cpu += benchsupport::cpuSeconds() - before;
        if (view.files != kFiles)
            state.SkipWithError("not every file arrived");
    }
    state.counters["ms_per_file"] =
        benchmark::Counter(double(kFiles) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["cpu_ms_per_file"] =
        cpu * 1000.0 / (double(kFiles) * double(state.iterations()));
}
BENCHMARK(BM_WorkerPerBorderFile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

// From the cancel (or the pause followed by the quit's stop) to the worker's end, while a
// border file is in the middle of its transfer.
void cancelMidTransfer(benchmark::State& state, bool pausedFirst) {
    Site site;
    site.server_.Get("/d.xml", [&](const httplib::Request&, httplib::Response& r) {
        r.set_content("<package><class name=\"类\"><file>" + site.url("/f/slow.gif").toStdString() +
                          "</file></class></package>",
                      "application/octet-stream");
    });
    std::atomic<int> started{0};
    site.server_.Get("/f/slow.gif", [&](const httplib::Request&, httplib::Response& r) {
        ++started;
        r.set_content_provider(1 << 20, "image/gif",
                               [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                   if (offset == 0)
                                       return sink.write("GIF89a", 6);
                                   while (!site.stopping_ && sink.is_writable())
                                       std::this_thread::sleep_for(5ms);
                                   return false;
                               });
    });
    const QByteArray published =
        "<h><p BVNum=\"1\" URL=\"" + site.url("/d.xml").toUtf8() + "\"/></h>";
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("borders")));
        updates::BorderUpdateJob job = firstLineOf(published, dir.path());
        updates::WorkGate gate;
        QuietView view;
        std::atomic<bool> ended{false};
        const int before = started;
        std::jthread worker([&](std::stop_token stop) {
            gate.setStopToken(stop);
            updates::runBorderUpdate(job, gate, view);
            ended = true;
        });
        while (started == before)
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(30ms);
        if (pausedFirst) {
            gate.pause();
            std::this_thread::sleep_for(100ms);
        }
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (pausedFirst)
            worker.request_stop();
        else
            gate.cancel();
        worker.join();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}

void BM_CancelMidTransfer(benchmark::State& state) {
    cancelMidTransfer(state, false);
}
BENCHMARK(BM_CancelMidTransfer)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

void BM_StopWhilePausedMidTransfer(benchmark::State& state) {
    cancelMidTransfer(state, true);
}
BENCHMARK(BM_StopWhilePausedMidTransfer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->UseManualTime();

} // namespace
