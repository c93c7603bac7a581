// Picture slots: from the host's answer to the thumbnail for a 4000×3000 photograph, the
// longest the movie's thread stands still meanwhile, and what two loaded slots hold.
#include "EventLoop.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "support/CaptureHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <random>
#include <unistd.h>

namespace {

using benchsupport::spin;

using player::Clip;

// A photograph-like 4000×3000 JPEG: smooth light with grain, which JPEG cannot shrink away.
QString writePhoto(const QTemporaryDir& dir) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(random() % 24);
            line[x] = qRgb((x / 16 + grain) & 255, (y / 12 + grain) & 255, (x + y) / 28 & 255);
        }
    }
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.write(image);
    return path;
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// The capture page on the still camera, switched to picture files.
struct Fixture {
    Fixture() {
        photo = writePhoto(dir);
        harness.widget().show();
        spin(500);
        harness.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    }
    Clip* root() const { return harness.root(); }
    Clip* slot(int n) const {
        return root()->resolve(QStringLiteral("capture_mc/local_photo_previews_mc/photo_") +
                               QString::number(n));
    }
    // Answers for slot `n` and runs the loop until its thumbnail shows; returns the longest
    // pause between two turns of the loop in the meantime, in milliseconds.
    double load(int n) {
        Clip* s = slot(n);
        s->child(QStringLiteral("sub_delete_but"))->release();
        QElapsedTimer sinceTurn;
        double longest = 0;
        QTimer turns;
        turns.setInterval(2);
        QObject::connect(&turns, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceTurn.nsecsElapsed()) / 1e6);
            sinceTurn.restart();
        });
        sinceTurn.start();
        turns.start();
        s->call(QStringLiteral("OnSelectFiledOK"), {photo});
        Clip* shown = s->child(QStringLiteral("sub_delete_but"));
        while (!shown->isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return longest;
    }

    QTemporaryDir dir;
    QString photo;
    capturetest::CaptureHarness harness;
};

// Built once for every benchmark and never destroyed: its widgets must not outlive the
// application, which is gone by the time static objects are.
Fixture& fixture() {
    static Fixture* f = new Fixture;
    return *f;
}

void BM_AnswerToThumbnail4000x3000(benchmark::State& state) {
    Fixture& f = fixture();
    double longestStall = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        longestStall = std::max(longestStall, f.load(1));
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["longest_ui_pause_ms"] = longestStall;
}
BENCHMARK(BM_AnswerToThumbnail4000x3000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_TwoLoadedSlotsMemory(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        for (int n : {1, 2})
            f.slot(n)->child(QStringLiteral("sub_delete_but"))->release();
        spin(200);
        const qint64 before = residentBytes();
        state.ResumeTiming();
        f.load(1);
        f.load(2);
        state.PauseTiming();
        spin(300); // the thumbnails take over from the full-size first paint
        qint64 held = 0;
        for (int n : {1, 2})
            held += f.slot(n)
                        ->var(QStringLiteral("myBitMap"))
                        .value<player::BitmapPtr>()
                        ->image()
                        .sizeInBytes();
        state.counters["bitmaps_MB"] = double(held) / 1e6;
        state.counters["resident_growth_MB"] = double(residentBytes() - before) / 1e6;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TwoLoadedSlotsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
