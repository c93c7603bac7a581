#include "movie/shell/ServiceClips.h"

#include "movie/common/MovieNames.h"
#include "movie/output/Lwz.h"
#include "movie/output/Upload.h"
#include "movie/output/UploadSettings.h"
#include "player/Clip.h"
#include "player/Stage.h"

namespace shell {

void placeServiceClipsOfFrame1(player::Clip& root) {
    player::Clip* settings = root.createEmptyMovieClip(moviecommon::clips::Uploadsetting_mc, 146);
    settings->setVisible(false);
    // Its fields are styled widgets that cost more than the rest of the first frame
    // together, and nobody sees them before a save asks for them.
    if (player::Stage* stage = root.stage())
        stage->afterFirstPaint(settings, [settings] { output::buildUploadSettings(*settings); });
    else
        output::buildUploadSettings(*settings);
    root.createEmptyMovieClip(QString(), 159);
}

void placeServiceClipsOfFrame2(player::Clip& root) {
    player::Clip* lwz = root.createEmptyMovieClip(QStringLiteral("Lwz"), 120);
    lwz->setPos(0.15, -37.7);
    output::defineLwz(*lwz);
    player::Clip* upload = root.createEmptyMovieClip(moviecommon::clips::Upload_mc, 123);
    upload->setPos(85.3, -38);
    output::defineUpload(*upload);
}

} // namespace shell
