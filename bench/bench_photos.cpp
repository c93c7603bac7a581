// Photo cards kept on disc and printed as sticker sheets: writing one card (synced), the
// start-up with 500 cards kept from before, and one A4 page of 16 stickers at 300 dpi.
#include "MainWindowStart.h"
#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "player/photos/PhotoFolder.h"
#include "player/print/StickerSheet.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// Something like a photo: gradients with sensor noise, so it compresses as one does.
QImage photoLike(int seed) {
    QImage picture(240, 180, QImage::Format_ARGB32);
    QRandomGenerator noise(static_cast<quint32>(seed));
    for (int y = 0; y < 180; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < 240; ++x) {
            const int n = static_cast<int>(noise.bounded(12));
            line[x] = qRgb((x + seed * 7 + n) & 0xFF, (y + n) & 0xFF, (x + y + seed + n) & 0xFF);
        }
    }
    return picture;
}

void BM_KeepOneCard(benchmark::State& state) {
    QTemporaryDir dir;
    player::PhotoFolder folder(dir.filePath(QStringLiteral("photos")));
    const QImage picture = photoLike(1);
    QDateTime taken = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (auto _ : state) {
        taken = taken.addMSecs(1);
        if (!folder.keep(picture, 1, taken))
            state.SkipWithError("not kept");
    }
}
// The share of the above that is the picture's encoding, without the disc.
void BM_EncodeOneCard(benchmark::State& state) {
    const QImage picture = photoLike(1);
    const QDateTime taken = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (auto _ : state)
        benchmark::DoNotOptimize(player::PhotoFolder::encode(picture, 1, taken));
    state.counters["bytes"] = double(player::PhotoFolder::encode(picture, 1, taken).size());
}
BENCHMARK(BM_EncodeOneCard)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_KeepOneCard)->Unit(benchmark::kMillisecond)->Iterations(300)->Repetitions(3);

using benchsupport::SilentDialogs;

;

// Milliseconds from making the main window to its first painted frame; with `allPlaced`,
// the milliseconds until every kept card is on the tray as well.
double startOnce(const QString& dir, SilentDialogs& dialogs, int expectedCards,
                 double* allPlaced = nullptr) {
    QElapsedTimer clock;
    clock.start();
    auto form = benchsupport::makeMainWindow(dir, dialogs);
    const double first = benchsupport::showUntilFirstFrame(*form, clock);
    if (allPlaced) {
        // The tray is placed on the movie's second frame; the kept cards follow it.
        player::Clip* root = form->ShockwaveFlash1->stage().root();
        const auto placed = [root, expectedCards] {
            const player::Clip* tray = root->resolve(QStringLiteral("/manage_mc"));
            if (!tray)
                return false;
            int n = 0;
            for (const player::Clip* clip : tray->childClips())
                n += clip->name().startsWith(QLatin1String("KeptPhoto"));
            return n >= expectedCards;
        };
        while (!placed() && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            5);
        *allPlaced = double(clock.nsecsElapsed()) / 1e6;
    }
    return first;
}

// Start-up to the first frame with state.range(0) cards kept from before.
void BM_StartupWithKeptCards(benchmark::State& state) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("borders"));
    const int cards = static_cast<int>(state.range(0));
    player::PhotoFolder folder(dir.filePath(QStringLiteral("photos")));
    const QDateTime t0 = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (int i = 0; i < cards; ++i) {
        if (!folder.keep(photoLike(i), 1, t0.addSecs(i)))
            state.SkipWithError("not kept");
    }
    SilentDialogs dialogs;
    startOnce(dir.path(), dialogs, 0); // warm-up: fonts, plugins, caches
    double placed = 0;
    for (auto _ : state) {
        const double ms = startOnce(dir.path(), dialogs, cards, &placed);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["all_cards_ms"] = placed;
}
BENCHMARK(BM_StartupWithKeptCards)
    ->Arg(0)
    ->Arg(500)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// One A4 page of 16 different stickers at 300 dpi, as a printer would be sent it.
void BM_StickerPageA4At300Dpi(benchmark::State& state) {
    QList<QImage> cards;
    for (int i = 0; i < 16; ++i)
        cards.append(photoLike(i).convertToFormat(QImage::Format_RGB32));
    const player::StickerSheet sheet(cards, 0);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const player::StickerPage page = player::StickerSheet::pageOf(a4);
    const player::StickerLayout::Sheet layout = player::StickerLayout::grid(4, 4, 5).arrange(page);
    const QList<int> order = sheet.cardsOnPage(16, 0, player::StickerSheet::Fill::EveryCardInTurn);
    constexpr double kDotsPerMm = 300 / 25.4;
    const QSize pixels = a4.fullRectPixels(300).size();
    for (auto _ : state) {
        QImage target(pixels, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter painter(&target);
        sheet.paintPage(painter, layout, page, order, kDotsPerMm, true);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_StickerPageA4At300Dpi)->Unit(benchmark::kMillisecond);

} // namespace
