// The web services of the movie: UI-thread time of each report and of the version check,
// reading a version file, and the share of a core an animated banner costs.
#include "CpuTime.h"
#include "Duration.h"
#include "EventLoop.h"
#include "movie/web/Reports.h"
#include "movie/web/VersionCheck.h"
#include "player/Clip.h"
#include "player/MovieProgram.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "player/loaders/SequenceMovie.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

using benchsupport::spin;

using player::Clip;

QByteArray demoBanner() {
    QFile file(QStringLiteral(IVEMBA_SOURCE_DIR "/site/demo/ad2005.swf"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A movie that holds the web services' root variables, pointed at a port where nothing
// listens, and optionally plays the demo banner.
class BenchMovie : public player::MovieProgram {
public:
    explicit BenchMovie(QString base, bool banner) : m_base(std::move(base)), m_banner(banner) {}
    void start(player::Stage& stage) override {
        Clip* root = stage.root();
        root->setVar(QStringLiteral("UploadFormOpen"), m_base + QLatin1Char('/'));
        root->setVar(QStringLiteral("WebRoot"), m_base + QStringLiteral("/ivemba"));
        root->setVar(QStringLiteral("SetIdeType"), QStringLiteral("soft"));
        root->setVar(QStringLiteral("pVersion"), 2);
        root->createEmptyMovieClip(QStringLiteral("upload_hintMsg_mc"), 161)->hide();
        web::defineSendCpRecord(*root);
        web::defineDetectNewVersion(*root);
        if (m_banner) {
            auto movie = loaders::readPictureSequence(demoBanner(), m_base + "/");
            if (movie)
                root->adopt(new loaders::SequenceClip(movie.value()), 159);
        }
        root->timeline().setScript(1, [root] { root->stop(); });
    }

private:
    QString m_base;
    bool m_banner;
};

struct Fixture {
    explicit Fixture(bool banner) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
        player::MovieRegistry registry;
        registry.add(QStringLiteral("ivemba"),
                     [base, banner] { return std::make_unique<BenchMovie>(base, banner); });
        player = std::make_unique<player::PlayerWidget>(std::move(registry));
        player->resize(800, 600);
        player->show();
        player->loadMovie(QStringLiteral(IVEMBA_BENCH_BUNDLE));
        spin(300);
    }
    Clip* root() const { return player->stage().root(); }
    std::unique_ptr<player::PlayerWidget> player;
};

// What one call costs the UI thread: building the request and starting its transfer.
void BM_CaptureReportUiTime(benchmark::State& state) {
    Fixture f(false);
    for (auto _ : state) {
        f.root()->setVar(QStringLiteral("CpRecord"), 3);
        f.root()->call(QStringLiteral("SendCpRecord"));
        state.PauseTiming();
        spin(2); // lets the refused connection end, so transfers do not pile up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CaptureReportUiTime)->Iterations(300)->Unit(benchmark::kMicrosecond);

void BM_UsageReportUiTime(benchmark::State& state) {
    Fixture f(false);
    for (auto _ : state) {
        web::sendUsageReport(*f.root());
        state.PauseTiming();
        spin(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UsageReportUiTime)->Iterations(300)->Unit(benchmark::kMicrosecond);

void BM_VersionCheckUiTime(benchmark::State& state) {
    Fixture f(false);
    for (auto _ : state) {
        f.root()->call(QStringLiteral("DetectNewVersion"));
        state.PauseTiming();
        spin(2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_VersionCheckUiTime)->Iterations(300)->Unit(benchmark::kMicrosecond);

// Runs off the UI thread; the site's version file and one of 100,000 entries.
void BM_ReadVersionFile(benchmark::State& state) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<iVemba>");
    for (int i = 0; i < state.range(0); ++i)
        text += QStringLiteral("<Delphi version=\"2\" download=\"http://127.0.0.1:8405/\"/>");
    text += QStringLiteral("</iVemba>\r\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(web::readVersionFile(text));
}
BENCHMARK(BM_ReadVersionFile)->Arg(1)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The demo banner animating at its frame rate in a shown player.
void BM_BannerCpu(benchmark::State& state) {
    Fixture f(state.range(0) != 0);
    spin(500);
    for (auto _ : state) {
        const double cpu0 = benchsupport::cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        spin(benchsupport::measuringMs(10000));
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_percent"] = (benchsupport::cpuSeconds() - cpu0) / seconds * 100.0;
    }
}
BENCHMARK(BM_BannerCpu)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
