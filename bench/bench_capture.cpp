// The capture page: the snapshot, one stage frame after a new camera frame, and the share
// of a core the live camera view costs.
#include "CpuTime.h"
#include "Duration.h"
#include "EventLoop.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "player/media/Camera.h"
#include "player/media/LatestFrameConverter.h"
#include "player/media/VideoClip.h"
#include "support/CaptureHarness.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QVideoFrame>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>

namespace {

using benchsupport::spin;

using player::Clip;

QImage gradient(int shift) {
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            image.setPixel(x, y, qRgb((x + shift) & 255, y, (x * y) & 255));
    return image;
}

// The capture page on the still camera, with a tray that takes photos and keeps none, and
// a clip that keeps the frame clock running as a playing movie does.
struct Fixture {
    Fixture() {
        harness.widget().show();
        harness.root()
            ->child(QStringLiteral("manage_mc"))
            ->define(QStringLiteral("NewPhoto"), [](const QVariantList&) { return QVariant(); });
        harness.root()->createEmptyMovieClip(QStringLiteral("ticker"), 200)->onEnterFrame([] {});
        spin(500);
        video = qobject_cast<media::VideoClip*>(
            harness.view()->resolve(QStringLiteral("cam_pic_mc/my_video_mc/my_video")));
    }
    Clip* root() const { return harness.root(); }
    player::PlayerWidget* player() const { return &harness.widget(); }

    capturetest::CaptureHarness harness;
    media::VideoClip* video = nullptr;
};

void BM_Snapshot(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        f.root()->call(QStringLiteral("CaptureDo"));
}
BENCHMARK(BM_Snapshot)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_StageFrameWithNewCameraFrame(benchmark::State& state) {
    Fixture f;
    const QImage frames[2] = {gradient(0), gradient(7)};
    QImage target(800, 600, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        f.video->showFrame(frames[i++ & 1]);
        QPainter painter(&target);
        f.player()->stage().render(&painter, QRectF(0, 0, 800, 600), QRectF(0, 0, 800, 600));
    }
}
BENCHMARK(BM_StageFrameWithNewCameraFrame)->UseRealTime()->Unit(benchmark::kMillisecond);

// 10 s of the movie at 16 fps with a live camera at 15 fps: each camera frame is a new
// picture, shown in the view and painted by the player widget.
// With state.range(0) == 0 the camera shows the same still picture: the movie's own cost.
void BM_LiveViewCpu(benchmark::State& state) {
    Fixture f;
    const QImage frames[2] = {gradient(0), gradient(7)};
    int i = 0;
    QTimer camera;
    camera.setTimerType(Qt::PreciseTimer);
    const bool live = state.range(0) != 0;
    QObject::connect(&camera, &QTimer::timeout, [&] {
        f.video->showFrame(frames[live ? i & 1 : 0]);
        ++i;
    });
    camera.start(1000 / 15);
    spin(500);
    for (auto _ : state) {
        const double cpu0 = benchsupport::cpuSeconds();
        const int frames0 = i;
        QElapsedTimer wall;
        wall.start();
        spin(benchsupport::measuringMs(10000));
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_percent"] = (benchsupport::cpuSeconds() - cpu0) / seconds * 100.0;
        state.counters["camera_fps"] = (i - frames0) / seconds;
    }
}
BENCHMARK(BM_LiveViewCpu)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

QVideoFrame yuyvFrame(int shift) {
    const QImage image = gradient(shift).scaled(640, 480);
    QVideoFrame frame(QVideoFrameFormat({640, 480}, QVideoFrameFormat::Format_YUYV));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < 480; ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < 640; ++x) {
            line[2 * x] = uchar(qGray(image.pixel(x, y)));
            line[2 * x + 1] = uchar(x % 2 ? qRed(image.pixel(x, y)) : qBlue(image.pixel(x, y)));
        }
    }
    frame.unmap();
    return frame;
}

// A webcam as the media back end makes one, without the device: frames submitted from any
// thread are converted on the converter's own, and delivered with their screen copy. The
// UI thread's share of each delivery (taking the picture and asking for the repaint) is
// added up in `handOver`.
class FeedCamera : public media::Camera {
public:
    FeedCamera() : Camera(QStringLiteral("feed")) {
        connect(&converter, &media::LatestFrameConverter::converted, this,
                [this](const QImage& image, const media::ScreenCopy& onScreen) {
                    const double cpu0 = benchsupport::threadCpuSeconds();
                    ++delivered;
                    deliver(image, onScreen);
                    handOver += benchsupport::threadCpuSeconds() - cpu0;
                });
    }
    [[nodiscard]] bool muted() const override { return false; }
    void start() override {}
    void stop() override {}
    [[nodiscard]] bool isActive() const override { return true; }
    void setScreenLook(const media::ScreenLook& look) override {
        Camera::setScreenLook(look);
        converter.setScreenLook(look);
    }

    media::LatestFrameConverter converter{{320, 240}};
    int delivered = 0;
    double handOver = 0;
};

// What a live webcam costs the UI thread once its frames are converted elsewhere: a feeder
// thread sends 640×480 YUYV frames at 15 fps through the converter into the view, as the
// media back end does. The UI thread's CPU time with the feed, less its time without, per
// frame shown; painting the view's new picture is part of it. The hand-over alone is
// counted apart.
void BM_UiThreadPerCameraFrame(benchmark::State& state) {
    Fixture f;
    FeedCamera camera;
    f.video->attachCamera(&camera);
    media::LatestFrameConverter& converter = camera.converter;
    const int& shown = camera.delivered;
    const double& handOver = camera.handOver;
    const QVideoFrame frames[2] = {yuyvFrame(0), yuyvFrame(7)};
    std::atomic<bool> feeding = false;
    std::jthread feeder([&](const std::stop_token& stop) {
        for (int i = 0; !stop.stop_requested(); ++i) {
            if (feeding)
                converter.submit(frames[i & 1]);
            std::this_thread::sleep_for(std::chrono::milliseconds(1000 / 15));
        }
    });
    const auto uiSeconds = [](int ms) {
        const double cpu0 = benchsupport::threadCpuSeconds();
        spin(ms);
        return benchsupport::threadCpuSeconds() - cpu0;
    };
    spin(500);
    // Quiet and live stretches take turns, so that a machine busier in one half of the run
    // weighs on both sides of the difference.
    constexpr int kRounds = 4;
    const int stretchMs = benchsupport::measuringMs(5000) / kRounds;
    for (auto _ : state) {
        double idle = 0;
        double live = 0;
        int frameCount = 0;
        double handOverTotal = 0;
        for (int round = 0; round < kRounds; ++round) {
            idle += uiSeconds(stretchMs);
            feeding = true;
            spin(200);
            const int shown0 = shown;
            const double handOver0 = handOver;
            live += uiSeconds(stretchMs);
            frameCount += shown - shown0;
            handOverTotal += handOver - handOver0;
            feeding = false;
            spin(200);
        }
        state.counters["ui_ms_per_frame"] = (live - idle) * 1000.0 / std::max(frameCount, 1);
        state.counters["hand_over_ms_per_frame"] = handOverTotal * 1000.0 / std::max(frameCount, 1);
        state.counters["frames_shown"] = frameCount;
        state.counters["ui_cpu_percent_live"] = live / (stretchMs * kRounds / 1000.0) * 100.0;
    }
    feeder.request_stop();
}
BENCHMARK(BM_UiThreadPerCameraFrame)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
