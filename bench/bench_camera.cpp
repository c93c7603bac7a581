// A camera frame turned into the view's 320×240 picture, and that in the view's screen
// look, on one core: the work the converter thread does for each frame a webcam sends.
#include "player/media/FrameConverter.h"
#include "player/media/ScreenCopy.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QVideoFrame>
#include <benchmark/benchmark.h>

namespace {

// Something with the detail of a camera picture, so that JPEG has real work to do: soft
// gradients under fine noise.
QImage scene(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(random.bounded(24));
            line[x] = qRgb((x * 255 / size.width() + n) & 255, (y * 255 / size.height() + n) & 255,
                           ((x + y) / 4 + n) & 255);
        }
    }
    return image;
}

QVideoFrame mjpeg(QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    writer.write(scene(size));
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_Jpeg));
    frame.map(QVideoFrame::WriteOnly);
    std::fill_n(frame.bits(0), frame.mappedBytes(0), uchar(0));
    std::copy(bytes.begin(), bytes.end(), frame.bits(0));
    frame.unmap();
    return frame;
}

QVideoFrame yuyv(QSize size) {
    const QImage image = scene(size);
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_YUYV));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < size.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            line[2 * x] = uchar(16 + ((66 * qRed(c) + 129 * qGreen(c) + 25 * qBlue(c)) >> 8));
            line[2 * x + 1] = uchar(x % 2 ? 128 + ((112 * qRed(c) - 94 * qGreen(c)) >> 8)
                                          : 128 + ((112 * qBlue(c) - 38 * qRed(c)) >> 8));
        }
    }
    frame.unmap();
    return frame;
}

void convert(benchmark::State& state, const QVideoFrame& frame) {
    for (auto _ : state) {
        const QImage image = media::convertFrame(frame, {320, 240});
        if (image.size() != QSize(320, 240)) {
            state.SkipWithError("no picture");
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ConvertMjpeg1280x720(benchmark::State& state) {
    convert(state, mjpeg({1280, 720}));
}
BENCHMARK(BM_ConvertMjpeg1280x720)->Unit(benchmark::kMillisecond);

void BM_ConvertMjpeg640x480(benchmark::State& state) {
    convert(state, mjpeg({640, 480}));
}
BENCHMARK(BM_ConvertMjpeg640x480)->Unit(benchmark::kMillisecond);

void BM_ConvertYuyv640x480(benchmark::State& state) {
    convert(state, yuyv({640, 480}));
}
BENCHMARK(BM_ConvertYuyv640x480)->Unit(benchmark::kMillisecond);

void BM_ConvertYuyv1280x720(benchmark::State& state) {
    convert(state, yuyv({1280, 720}));
}
BENCHMARK(BM_ConvertYuyv1280x720)->Unit(benchmark::kMillisecond);

// The same picture in the view's screen look (at the stage's own size, 240×180 screen
// pixels; mirrored as the second argument says), made on the converter thread as well.
void BM_ScreenCopy(benchmark::State& state) {
    const QImage picture = scene({320, 240});
    const media::ScreenLook look{{240, 180}, state.range(0) != 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(media::makeScreenCopy(picture, look).image.constBits());
}
BENCHMARK(BM_ScreenCopy)->ArgName("mirrored")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
