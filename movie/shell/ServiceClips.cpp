#include "movie/shell/ServiceClips.h"

#include "player/Clip.h"

namespace shell {

void placeServiceClipsOfFrame1(player::Clip& root) {
    player::Clip* settings = root.createEmptyMovieClip(QStringLiteral("Uploadsetting_mc"), 146);
    settings->setVisible(false);
    root.createEmptyMovieClip(QString(), 159);
}

void placeServiceClipsOfFrame2(player::Clip& root) {
    root.createEmptyMovieClip(QStringLiteral("Lwz"), 120)->setPos(0.15, -37.7);
    root.createEmptyMovieClip(QStringLiteral("Upload_mc"), 123)->setPos(85.3, -38);
}

} // namespace shell
