#include "movie/web/AdBanner.h"

#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/loaders/ClipLoader.h"

namespace web {

using player::Clip;

namespace {

constexpr int kLoaderDepth = 159;
constexpr int kFrames = 12;
constexpr int kEditionFrame = 11;
constexpr int kLoadFrame = 12;

void loadBanner(Clip& loader) {
    Clip* ad = loader.createEmptyMovieClip(QStringLiteral("ad_mc"), 1);
    ad->setRect(QRectF(0, 0, 18, 18), QColor(0xcc, 0xcc, 0xcc));
    ad->setPos(160, 160);
    ad->setAlpha(0);

    auto* mcLoader = new loaders::ClipLoader(&loader);
    mcLoader->setObjectName(QStringLiteral("mcLoader"));
    QObject::connect(mcLoader, &loaders::ClipLoader::ready, &loader, [](Clip* target) {
        target->setPos(0, 0);
        target->setAlpha(100);
    });
    Clip* l = &loader;
    QObject::connect(mcLoader, &loaders::ClipLoader::failed, &loader,
                     [l](Clip*, const QString& error) {
                         if (player::Stage* stage = l->stage())
                             stage->trace(QStringLiteral("advertisement not loaded: ") + error);
                     });
    mcLoader->loadClip(
        moviecommon::settingsOf(loader).siteUrl(QStringLiteral("/iVemba/ad2005.swf")), ad);
}

} // namespace

void placeAdLoader(Clip& root) {
    Clip* loader = root.createEmptyMovieClip(QString(), kLoaderDepth);
    loader->timeline().setTotalFrames(kFrames);
    loader->timeline().setScript(kEditionFrame, [loader] {
        if (moviecommon::isBrowserEdition(*loader))
            loader->stop();
    });
    loader->timeline().setScript(kLoadFrame, [loader] {
        loader->stop();
        loadBanner(*loader);
    });
    loader->play();
}

} // namespace web
