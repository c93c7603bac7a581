// The border browser: parsing a large class list, one refresh of the whole pool while the
// grid scrolls, and a class switch that loads a full pool of thumbnails from disc.
#include "movie/borders/BorderBrowser.h"
#include "movie/borders/ClassList.h"
#include "movie/borders/MBS_ListView.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/loaders/ClipLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using player::Clip;

const QString kThumb = QStringLiteral(IVEMBA_SOURCE_DIR "/resources/borders/节日祝福/fortune.gif");

QString classList(int classes, int pics) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<borders>");
    for (int c = 0; c < classes; ++c) {
        text += QStringLiteral("<class name=\"分类%1\" path=\"borders/c%1/\">").arg(c);
        for (int p = 0; p < pics; ++p)
            text += QStringLiteral("<pic>border%1</pic>").arg(p);
        text += QStringLiteral("</class>");
    }
    return text + QStringLiteral("</borders>");
}

void BM_ParseClassList200x21(benchmark::State& state) {
    const QString text = classList(200, 21);
    for (auto _ : state) {
        borders::ParsedClasses parsed = borders::parseClassList(text);
        benchmark::DoNotOptimize(parsed.classes);
    }
}
BENCHMARK(BM_ParseClassList200x21)->Unit(benchmark::kMillisecond);

// A browser clip with the grid, whose thumbnails are files in `folder`.
struct Grid {
    explicit Grid(const QString& folder) {
        borders::defineSymbols(stage);
        browser = stage.root()->createEmptyMovieClip(QStringLiteral("listiview_form_mc"), 3);
        browser->define(QStringLiteral("getSubPicUrl"), [folder](const QVariantList& args) {
            return QVariant(folder + QStringLiteral("/t%1.gif").arg(args.value(0).toInt()));
        });
        Clip* clip = browser->attachMovie(borders::kListViewSymbol, QStringLiteral("ListView"), 3);
        list = borders::MBS_ListView::of(clip);
        list->Init();
    }
    bool allShown() const {
        for (Clip* item : list->items()) {
            if (item->isVisible() && !item->child(QStringLiteral("mypic_mc"))->isVisible())
                return false;
        }
        return true;
    }
    void waitShown() const {
        while (!allShown())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    player::Stage stage;
    Clip* browser = nullptr;
    borders::MBS_ListView* list = nullptr;
};

QStringList names(int n) {
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << QStringLiteral("p%1").arg(i);
    return list;
}

QTemporaryDir& thumbnails() {
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        for (int i = 1; i <= 21; ++i)
            QFile::copy(kThumb, dir.filePath(QStringLiteral("t%1.gif").arg(i)));
        written = true;
    }
    return dir;
}

// Scrolling within one row pitch: every refresh moves the whole pool, none reloads.
void BM_ReFreshWhileScrolling(benchmark::State& state) {
    Grid grid(thumbnails().path());
    grid.list->Load(names(21));
    grid.list->ReFresh(true);
    grid.waitShown();
    Clip* clip = grid.browser->child(QStringLiteral("ListView"));
    if (grid.list->items().size() != 18) {
        state.SkipWithError("the pool was not built");
        return;
    }
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % 20;
        clip->setVar(QStringLiteral("_vPrecent"), position);
        grid.list->ReFresh(false);
    }
}
BENCHMARK(BM_ReFreshWhileScrolling)->Unit(benchmark::kMicrosecond);

// From the call to the last of 18 thumbnails shown.
void BM_ClassSwitchLoads18Thumbnails(benchmark::State& state) {
    Grid grid(thumbnails().path());
    grid.list->Load(names(18));
    grid.list->ReFresh(true);
    grid.waitShown();
    if (grid.list->items().size() != 18 || !grid.allShown()) {
        state.SkipWithError("the pool was not built");
        return;
    }
    for (auto _ : state) {
        grid.list->Load(names(18));
        grid.list->ReFresh(true);
        grid.waitShown();
    }
}
BENCHMARK(BM_ClassSwitchLoads18Thumbnails)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
