#include "movie/common/SharedRules.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"

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
    return QStringLiteral("您已拍摄 ") + QString::number(count) + QStringLiteral(" 张！");
}

} // namespace moviecommon
