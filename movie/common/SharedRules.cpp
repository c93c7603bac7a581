#include "movie/common/SharedRules.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"

#include <QCoreApplication>

namespace moviecommon {

bool isBrowserEdition(const player::Clip& anyClip) {
    const player::Stage* stage = anyClip.stage();
    const player::Clip* root = stage ? stage->root() : &anyClip;
    return root->var(vars::SetIdeType).toString() == moviecommon::editions::browser;
}

const common::Settings& settingsOf(const player::Clip& anyClip) {
    if (const player::Stage* stage = anyClip.stage())
        return stage->services().settings;
    static const common::Settings unplayed = common::Settings::fromEnvironment();
    return unplayed;
}

QString captureCountText(int count) {
    return captureCountText(QString::number(count));
}

QString captureCountText(const QString& count) {
    return QCoreApplication::translate("moviecommon", "您已拍摄 %1 张！").arg(count);
}

} // namespace moviecommon
