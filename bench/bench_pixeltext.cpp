// Building the pixel text a photo is saved with, and the whole save step.
#include "movie/output/PixelText.h"
#include "movie/output/SavePhoto.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

// A photo-like picture: every value has its full number of digits most of the time.
QImage photo() {
    QImage image(240, 180, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
    return image;
}

// The plain way, for comparison: one snprintf per pixel into a growing text.
QString snprintfPixelText(const QImage& image) {
    QByteArray text;
    char value[16];
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const int n = std::snprintf(value, sizeof value, "-%u", image.pixel(x, y) & 0xFFFFFFu);
            text.append(value, n);
        }
    }
    return QString::fromLatin1(text);
}

void BM_PixelText(benchmark::State& state) {
    const QImage image = photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(output::pixelText(image));
}
BENCHMARK(BM_PixelText)->Unit(benchmark::kMicrosecond);

void BM_PixelTextSnprintf(benchmark::State& state) {
    const QImage image = photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(snprintfPixelText(image));
}
BENCHMARK(BM_PixelTextSnprintf)->Unit(benchmark::kMicrosecond);

void BM_PixelTextBlack(benchmark::State& state) {
    QImage image(240, 180, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state)
        benchmark::DoNotOptimize(output::pixelText(image));
}
BENCHMARK(BM_PixelTextBlack)->Unit(benchmark::kMicrosecond);

// The save step's work: a card's picture (grey plate with the snapshot) drawn into the
// opaque black save bitmap, then turned into text.
void BM_SavePhoto2discDrawAndText(benchmark::State& state) {
    player::Stage stage;
    player::Clip* card = stage.root()->createEmptyMovieClip("Photo1", 11);
    player::Clip* pic = card->createEmptyMovieClip("pic", 3);
    pic->setRect(QRectF(0, 0, 240, 180), QColor(0x99, 0x99, 0x99), Qt::white);
    auto snapshot = std::make_shared<player::Bitmap>(240, 180, true, 0);
    snapshot->image() = photo().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pic->attachBitmap(snapshot, 50, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(output::savePictureText(*card));
}
BENCHMARK(BM_SavePhoto2discDrawAndText)->Unit(benchmark::kMicrosecond);

} // namespace
